// The operations as the register window runs them: the confirmations of
// void and delete, the notes dialog, adding through the entry window, and
// the calculator that cannot be found.
#include "modalwindows.h"
#include "recordingshell.h"
#include "registerdata.h"
#include "scriptedprompts.h"
#include "testrunner.h"
#include "windowseams.h"

#include "controls/ZevButton.h"
#include "controls/MonthsCalendar.h"
#include "entry/frmNewEntry.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/RegisterModel.h"
#include "register/TransactionActions.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registergrid.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "util/dates.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace tallyo;
using namespace registerdata;
using tallyo::test::RecordingShell;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

double day(int d)
{
    return StoredFromDate(QDate(2026, 3, d)) + 0.5;
}

// Acts on the entry window once it is open and active (the shared way out
// closes it when the action fails).
void whenEntryWindowOpens(const std::function<void(frmNewEntry&)>& act)
{
    test::whenShown<frmNewEntry>(act);
}

}

class OperationsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowSeams> seams_;
    ScriptedPrompts* prompts_ = nullptr;
    RecordingShell* shell_ = nullptr;
    FixedClock* clock_ = nullptr;

    frmAccount* open()
    {
        currentAccount().CurrentAccountRecord = AppendAccount(QStringLiteral("Household"), NewAccountNotes());
        currentAccount().CurrentAccountKey = QString::fromLatin1(AccountKey);
        handmade::Transaction noted = transaction(day(3), "Deposit", 100, true, "Employer");
        noted.notes = "March pay";
        if (!writeTransactions({beginningBalance(1000), transaction(day(2), "1001", -45), noted,
                                transaction(day(4), "1002", -20)}))
            return nullptr;
        OpenRegisterWindow();
        frmAccount* window = RegisterWindow();
        if (!window || !QTest::qWaitForWindowActive(window))
            return nullptr;
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        return window;
    }

    static void highlight(frmAccount* window, int row)
    {
        window->grid->setCurrentIndex(window->model->index(row - 1, DateColumn));
        QCoreApplication::processEvents();
    }

    static QStringList typesShown(frmAccount* window)
    {
        QStringList shown;
        for (int r = 0; r < window->model->rowCount(); ++r)
            shown.append(window->model->index(r, TypeColumn).data().toString().trimmed());
        return shown;
    }

private slots:
    void init()
    {
        // Account keys are made from the clock: this one gives registerdata's key.
        seams_ = std::make_unique<test::WindowSeams>(QDateTime(QDate(2024, 1, 1), QTime(12, 0, 0)));
        prompts_ = &seams_->prompts;
        shell_ = &seams_->shell;
        clock_ = &seams_->clock;
        shell_->requests.clear();
        shell_->startResult = true;
        navigation() = Navigation();
        ResetCurrentAccount();
        ResetRegisterState();
        ResetRegisterActions();
        InstallTransactionActions();
        LoadDisplayValues();
    }

    void cleanup()
    {
        if (frmAccount* window = RegisterWindow())
            window->close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetRegisterActions();
        seams_.reset();
    }

    void confirmationsDecide_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("captions");
        const QString voidText =
            QStringLiteral("Are you sure you want\r\nto VOID this transaction?\r\n\r\n(This action can not be reversed)");
        const QStringList voidCaptions{"&Yes, void this transaction", "&No, return to the Account Register"};
        const QString deleteText = QStringLiteral("Are you sure you want to delete this transaction?");
        const QStringList deleteCaptions{"&Yes, remove this transaction", "&No, never mind"};
        QTest::newRow("void declined") << "cmdVoidTransaction" << "Void Transaction" << 2
                                       << QStringList{"Start", "1001", "Deposit", "1002"} << voidText << voidCaptions;
        QTest::newRow("void") << "cmdVoidTransaction" << "Void Transaction" << 1
                              << QStringList{"Start", "1001", "VOID", "1002"} << voidText << voidCaptions;
        QTest::newRow("delete declined") << "cmdDeleteTransaction" << "Confirm" << 0
                                         << QStringList{"Start", "1001", "Deposit", "1002"} << deleteText
                                         << deleteCaptions;
        QTest::newRow("delete") << "cmdDeleteTransaction" << "Confirm" << 1 << QStringList{"Start", "1001", "1002"}
                                << deleteText << deleteCaptions;
    }

    void confirmationsDecide()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        QFETCH(int, answer);
        QFETCH(QStringList, types);
        QFETCH(QString, text);
        QFETCH(QStringList, captions);
        frmAccount* window = open();
        QVERIFY(window);
        highlight(window, 3);
        prompts_->expectMessage(title, text, captions, answer).expectMessageKind(IconQuestion);
        window->findChild<ZevButton*>(button)->click();
        QCoreApplication::processEvents();
        QCOMPARE(prompts_->messages().value(0).defaultButton, 2);
        QCOMPARE(typesShown(window), types);
    }

    void notesDialogReturnsOrEdits()
    {
        frmAccount* window = open();
        QVERIFY(window);
        highlight(window, 3);
        QVERIFY(window->cmdSeeNotes->isEnabled());
        prompts_->expectMessage(QStringLiteral("Transaction Notes"), QStringLiteral("March pay"),
                                {QStringLiteral("&Edit these notes"), QStringLiteral("&Return to the Account Register")}, 2);
        window->cmdSeeNotes->click();
        QCOMPARE(window->cmdSeeNotes->tag(), QString());

        // "Edit these notes" opens the transaction for modification.
        prompts_->expectMessage(QStringLiteral("Transaction Notes"), 1);
        QString title;
        whenEntryWindowOpens([&title](frmNewEntry& entry) {
            title = entry.windowTitle();
            entry.cmdCancel_Click();
        });
        window->cmdSeeNotes->click();
        QCOMPARE(title, QStringLiteral("Tallyo - Modifying this transaction"));
        QCOMPARE(window->currentRow(), 3);
    }

    void anAddedCheckIsHighlighted()
    {
        frmAccount* window = open();
        QVERIFY(window);
        clock_->set(QDateTime(QDate(2026, 3, 3), QTime(18, 0, 0)));
        whenEntryWindowOpens([](frmNewEntry& entry) {
            entry.calendar->hidePopup();
            entry.combo[2]->lineEdit()->setText(QStringLiteral("1003"));
            entry.combo[3]->lineEdit()->setText(QStringLiteral("Plumber"));
            entry.txtAmount->setText(QStringLiteral("80"));
            entry.cmdSave_Click();
        });
        window->cmdAddTransaction->click();
        QCoreApplication::processEvents();
        QCOMPARE(typesShown(window), (QStringList{"Start", "1001", "1003", "Deposit", "1002"}));
        QCOMPARE(window->currentRow(), 3);
        QCOMPARE(window->model->index(2, DebitColumn).data().toString(), QStringLiteral("-80.00"));
    }

    void calculatorStartsOrIsReportedMissing_data()
    {
        QTest::addColumn<bool>("found");
        QTest::newRow("first one starts") << true;
        QTest::newRow("none starts") << false;
    }

    void calculatorStartsOrIsReportedMissing()
    {
        QFETCH(bool, found);
        frmAccount* window = open();
        QVERIFY(window);
        shell_->startResult = found;
        if (!found)
            prompts_->expectMessage(QStringLiteral("Not found"), 1).expectMessageKind(IconStop);
        window->cmdCalculator->click();
        QCOMPARE(shell_->targets(RecordingShell::Kind::Program),
                 found ? QStringList{CalculatorPrograms().first()} : CalculatorPrograms());
        // A missing calculator stays off, whatever the window enables later.
        window->UpdateControls();
        QCOMPARE(window->cmdCalculator->isEnabled(), found);
    }
};

TALLYO_TEST(OperationsWindowTest)
#include "operationswindow_test.moc"
