// "Export this display..." in the register's print menu: the item's place,
// the rows of the view that is shown in the chosen format, the file's
// ending and permissions, and a file that cannot be written.
#include "registerwindow.h"
#include "scriptedprompts.h"
#include "testrunner.h"
#include "windowseams.h"

#include "index/currentaccount.h"
#include "register/ExportDisplay.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "util/dates.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace tallyo;
using namespace registerdata;

namespace {

double noonOf(int month, int day)
{
    return StoredFromDate(QDate(2026, month, day)) + 0.5;
}

QList<handmade::Transaction> household()
{
    handmade::Transaction salary = transaction(noonOf(3, 3), "Deposit", 1200, false, "Employer");
    salary.comment = "March salary";
    return {beginningBalance(1000), transaction(noonOf(3, 2), "1001", -25.5, true, "Corner Shop"), salary};
}

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
}

}

class ExportDisplayTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowSeams> seams_;
    std::unique_ptr<QTemporaryDir> outFolder_;  // fresh for each test
    QString outPath(const QString& name) const { return outFolder_->filePath(name); }
    QStringList suggested_;

    // The picker answers with `target` (nothing: cancelled) and keeps the
    // suggestions it was given.
    void answerPicker(const std::optional<ExportTarget>& target)
    {
        exportFilePicker() = [this, target](QWidget*, const QString& suggestion) {
            suggested_ << suggestion;
            return target;
        };
    }

    // Chooses the menu item as a user does; its action runs queued.
    static void chooseExport(frmAccount& window)
    {
        QAction* item = window.menuPrint->findChild<QAction*>(QStringLiteral("itemExportDisplay"));
        QVERIFY(item);
        item->trigger();
        settleEvents();
    }

private slots:
    void init()
    {
        seams_ = std::make_unique<test::WindowSeams>(QDateTime(QDate(2024, 1, 1), QTime(12, 0, 0)));
        navigation() = Navigation();
        navigation().showAccountIndex = [] {};
        ResetCurrentAccount();
        ResetRegisterState();
        ResetRegisterActions();
        ResetDisplayValues();
        LoadDisplayValues();
        suggested_.clear();
        outFolder_ = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        if (frmAccount* window = RegisterWindow())
            window->close();
        settleEvents();
        exportFilePicker() = nullptr;
        navigation() = Navigation();
        seams_.reset();
    }

    void theItemEndsThePrintMenu()
    {
        frmAccount* window = openRegister(household());
        QVERIFY(window);
        const QList<QAction*> items = window->menuPrint->actions();
        QCOMPARE(items.size(), 6);
        QVERIFY(items[2]->isSeparator());
        QCOMPARE(items[3]->text(), QStringLiteral("Export this display..."));
        QVERIFY(items[4]->isSeparator());
        QCOMPARE(items.last()->text(), QStringLiteral("Exit this menu"));
    }

    void writesTheShownViewInTheChosenFormat_data()
    {
        QTest::addColumn<bool>("qif");
        QTest::addColumn<bool>("reconcile");
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("normal view as QIF")
            << true << false
            << QByteArray("!Type:Bank\r\n"
                          "D03/02/2026\r\nT1000.00\r\nC*\r\nPOpening Balance\r\nL[Household]\r\n^\r\n"
                          "D03/02/2026\r\nT-25.50\r\nC*\r\nN1001\r\nPCorner Shop\r\n^\r\n"
                          "D03/03/2026\r\nT1200.00\r\nNDEP\r\nPEmployer\r\nMMarch salary\r\n^\r\n");
        QTest::newRow("normal view as CSV, with balances")
            << false << false
            << QByteArray("Date,Cleared,Type,Payee,Debit,Credit,Balance,Comment,Record\r\n"
                          ",*,Start,Beginning Balance,,1000.00,1000.00,,1\r\n"
                          "2026-03-02,*,1001,Corner Shop,-25.50,,974.50,,2\r\n"
                          "2026-03-03,,Deposit,Employer,,1200.00,2174.50,March salary,3\r\n");
        QTest::newRow("reconcile view as QIF: the uncleared only")
            << true << true
            << QByteArray("!Type:Bank\r\nD03/03/2026\r\nT1200.00\r\nNDEP\r\nPEmployer\r\nMMarch salary\r\n^\r\n");
        QTest::newRow("reconcile view as CSV, without balances")
            << false << true
            << QByteArray("Date,Cleared,Type,Payee,Debit,Credit,Balance,Comment,Record\r\n"
                          "2026-03-03,,Deposit,Employer,,1200.00,,March salary,3\r\n");
    }
    void writesTheShownViewInTheChosenFormat()
    {
        QFETCH(bool, qif);
        QFETCH(bool, reconcile);
        QFETCH(QByteArray, contents);
        frmAccount* window = openRegister(household());
        QVERIFY(window);
        if (reconcile)
            window->ReconcileList();
        const QString path = outPath(QStringLiteral("display"));
        answerPicker(ExportTarget{path, qif});
        chooseExport(*window);
        QCOMPARE(contentsOf(path), contents);
        QCOMPARE(suggested_.size(), 1);
        QVERIFY2(suggested_[0].endsWith(QStringLiteral("/Household.qif")), qPrintable(suggested_[0]));
        // A new file holds money matters: the user's alone.
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                          | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(path) & others, QFile::Permissions());
        QVERIFY(window->isEnabled());
    }

    void cancellingWritesNothing()
    {
        frmAccount* window = openRegister(household());
        QVERIFY(window);
        answerPicker(std::nullopt);
        chooseExport(*window);
        QCOMPARE(suggested_.size(), 1);
        QVERIFY(QDir(outFolder_->path()).isEmpty());
    }

    void aFileThatCannotBeWrittenIsSaidAndTheWindowGoesOn()
    {
        frmAccount* window = openRegister(household());
        QVERIFY(window);
        const QString path = outPath(QStringLiteral("missing/folder/display.qif"));
        answerPicker(ExportTarget{path, true});
        seams_->prompts.expectMessage(QStringLiteral("File error"), 1);
        chooseExport(*window);
        QVERIFY(seams_->prompts.verifyDone());
        QVERIFY(seams_->prompts.messages().last().text.contains(path));
        QVERIFY(!QFile::exists(path));
        QVERIFY(window->isEnabled());
    }

    void theEndingDecidesTheFormat_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("csvChosen");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("qif");
        QTest::newRow("qif ending, csv chosen") << "/d/a.QIF" << true << "/d/a.QIF" << true;
        QTest::newRow("csv ending, qif chosen") << "/d/a.csv" << false << "/d/a.csv" << false;
        QTest::newRow("no ending gets the chosen one") << "/d/a" << true << "/d/a.csv" << false;
        QTest::newRow("no ending, qif") << "/d.x/a" << false << "/d.x/a.qif" << true;
        QTest::newRow("another ending is kept") << "/d/a.txt" << true << "/d/a.txt" << false;
    }
    void theEndingDecidesTheFormat()
    {
        QFETCH(QString, typed);
        QFETCH(bool, csvChosen);
        QFETCH(QString, path);
        QFETCH(bool, qif);
        const ExportTarget target = ExportTargetOf(typed, csvChosen);
        QCOMPARE(target.path, path);
        QCOMPARE(target.qif, qif);
    }
};

TALLYO_TEST(ExportDisplayTest)
#include "exportdisplay_test.moc"
