// The check window and the layout setup as the user meets them, on a real
// Account.dex: the preview, the two choices, the question when no layout is
// set (saved: the window goes on with the new layout; declined or
// cancelled: it closes and nothing is written), printing on a recording
// surface, a failing printer, and the setup's fields, checks and save.
#include "modalwindows.h"
#include "../store/handmade.h"
#include "scriptedprompts.h"
#include "testrunner.h"
#include "transcript.h"
#include "windowseams.h"

#include "checks/frmPrintCheck.h"
#include "checks/frmPrintCheckSetup.h"
#include "controls/ZevButton.h"
#include "index/currentaccount.h"
#include "platform/recordingsurface.h"
#include "register/registeractions.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "util/dates.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;

namespace {

const QString crlf = QStringLiteral("\r\n");
const QByteArray Key = "20260101090000";
const QByteArray Layout("\x02\x3C\x04\x32\x06\x0A\x06\x3E\x08\x05\x0A\x08", 12); // rows 2 4 6 6 8 10

const QString PrintSettingsText =
    QStringLiteral("The positioning of text fields for your check format\r\n"
                   "has not yet been established for this account.\r\n\r\n"
                   "Printing is not possible until you first determine where\r\n"
                   "each text field is to be positioned on your check.\r\n\r\n"
                   "Do you want to complete this procedure now?\r\n\r\n"
                   "(See the manual for more information about this procedure)");
const QStringList PrintSettingsCaptions{QStringLiteral("&Yes, proceed"),
                                        QStringLiteral("&No, return to the Account Register")};

QByteArray accountRecord(const QByteArray& layout, const QByteArray& name = "Household Checking")
{
    handmade::Account a;
    a.key = Key;
    a.name = name;
    a.notes = "Notes stay as they are";
    a.checkLayout = layout;
    return handmade::account(a);
}

TransactionRecord checkTransaction(const QString& comment)
{
    TransactionRecord t;
    t.AccountKey = QString::fromLatin1(Key);
    t.TransactionDate = StoredFromDate(QDate(2021, 3, 5));
    t.TransactionType = QStringLiteral("1042        ");
    t.Payee = QStringLiteral("City Water Works").leftJustified(TransactionRecord::PayeeWidth);
    t.Amount = -12345600;
    t.Comment = comment.leftJustified(TransactionRecord::CommentWidth);
    return t;
}

// Acts once on the first active modal window of type W (the shared way out
// closes it when the action fails).
template <class W>
void whenOpen(const std::function<void(W&)>& act)
{
    test::whenShown<W>(act);
}

void typeLayout(frmPrintCheckSetup& setup, const QStringList& values)
{
    for (int i = 1; i <= LayoutFieldCount; ++i) {
        setup.txtRowCol(i)->clear();
        QTest::keyClicks(setup.txtRowCol(i), values[i - 1]);
    }
}

const QStringList Rows24668_10{"2", "60", "4", "50", "6", "10", "6", "62", "8", "5", "10", "8"};

// A recording surface whose transcript and origin outlive it.
struct PrintLog {
    QString transcript;
    PageOrigin origin = PageOrigin::PaperCorner;
    int surfaces = 0;
};

class LoggedSurface : public RecordingSurface {
public:
    explicit LoggedSurface(PrintLog& log) : log_(log) { ++log_.surfaces; }
    ~LoggedSurface() override
    {
        log_.transcript += transcript();
        log_.origin = origin();
    }

private:
    PrintLog& log_;
};

class BrokenPrinter : public RecordingSurface {
protected:
    void drawText(double, double, const QString&, const PrintFont&) override
    {
        throw FileError(QStringLiteral("Office printer"), QStringLiteral("print to"),
                        QStringLiteral("The printer is not answering."));
    }
};

}

class CheckWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowSeams> seams_;
    PrintLog log_;

    ScriptedPrompts& prompts() { return seams_->prompts; }

    void writeAccount(const QByteArray& layout)
    {
        QVERIFY(test::writeWholeFile(seams_->folder.filePath("Account.dex"),
                                     accountRecord(QByteArray(12, '\0'), "Savings").replace(0, 14, "20250101090000")
                                         + accountRecord(layout)));
        currentAccount().CurrentAccountKey = QString::fromLatin1(Key);
        currentAccount().CurrentAccountRecord = 2;
    }

    QByteArray storedAccount() const
    {
        return test::readWholeFile(seams_->folder.filePath("Account.dex")).mid(3000, 3000);
    }

    // Opens the check window and lets its first activation run.
    std::unique_ptr<frmPrintCheck> open(const QString& comment = QString())
    {
        auto window = std::make_unique<frmPrintCheck>(checkTransaction(comment));
        window->show();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the check window did not become active");
        if (!QTest::qWaitFor([&] { return !window->cmdFinished->caption().isEmpty() || !window->isVisible(); }))
            qWarning("the check window was not set up");
        return window;
    }

private slots:
    void init()
    {
        seams_ = std::make_unique<test::WindowSeams>(QDateTime(QDate(2026, 3, 10), QTime(9, 0)));
        LoadDisplayValues();
        log_ = PrintLog();
        platform().newPageSurface = [this] { return std::make_unique<LoggedSurface>(log_); };
    }

    void cleanup()
    {
        platform().newPageSurface = nullptr;
        seams_.reset();
        ResetDisplayValues();
        ResetCurrentAccount();
    }

    void previewShowsTheCheck()
    {
        writeAccount(Layout);
        SetSettingNumber(SettingKey::DateDisplay, 2);
        LoadDisplayValues();
        auto window = open();
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Tallyo - Check Printing"));
        QCOMPARE(window->labelAccountName->text().trimmed(), QStringLiteral("Household Checking"));
        QCOMPARE(window->labelCheckNumber->text(), QStringLiteral("1042        "));
        QCOMPARE(window->labelDate->text(), QStringLiteral("5 March, 2021"));
        QCOMPARE(window->labelPayee->text(), QStringLiteral("City Water Works"));
        QCOMPARE(window->labelNumericalAmount->text(), QStringLiteral("1,234.56"));
        QCOMPARE(window->labelLongHandAmount->text(),
                 QStringLiteral("One Thousand Two Hundred Thirty Four Dollars & 56 Cents"));
        QCOMPARE(window->label[2]->text(), QStringLiteral("$"));
        QCOMPARE(window->label[3]->text(), QStringLiteral("Dollars"));
        QCOMPARE(window->label[0]->text(), QStringLiteral("Chk#"));
        QCOMPARE(window->label[5]->text(), QStringLiteral("for"));
        QVERIFY(window->chkCheckNumber->isEnabled());
        QVERIFY(!window->chkCheckNumber->isChecked());
        QVERIFY(!window->chkComment->isEnabled());
        QVERIFY(!window->chkComment->isChecked());
        QVERIFY(window->labelComment->text().isEmpty());
        QCOMPARE(window->cmdPrintSetup->caption(), QStringLiteral("&Setup\r\nPrint Checking"));
        QCOMPARE(window->cmdPrintCheck->caption(), QStringLiteral("&Print\r\nthis Check"));
        QCOMPARE(window->cmdFinished->toolTip(), QStringLiteral(" &Finished <Esc> "));
    }

    void commentEnablesItsChoice()
    {
        writeAccount(Layout);
        ApplyCurrencySymbol(2);
        auto window = open(QStringLiteral("Water bill for the first quarter of 2021"));
        QVERIFY(window->chkComment->isEnabled());
        QVERIFY(window->chkComment->isChecked());
        QCOMPARE(window->labelComment->text(), QStringLiteral("Water bill for the first quarter"));
        QCOMPARE(window->label[2]->text(), QStringLiteral("\u00A3"));
        QCOMPARE(window->label[3]->text(), QStringLiteral("Pounds"));
    }

    void printsAndCloses()
    {
        writeAccount(Layout);
        auto window = open(QStringLiteral("Water bill"));
        window->chkCheckNumber->setChecked(true);
        window->cmdPrintCheck->click();
        QVERIFY(!window->isVisible());
        QCOMPARE(log_.surfaces, 1);
        QCOMPARE(log_.origin, PageOrigin::PrintableArea);
        TALLYO_COMPARE_TRANSCRIPT(log_.transcript, QStringLiteral("window-check"));
    }

    void untickedChoicesAreLeftOut()
    {
        writeAccount(Layout);
        auto window = open(QStringLiteral("Water bill"));
        window->chkComment->setChecked(false);
        window->cmdPrintCheck->click();
        QVERIFY(!log_.transcript.contains(u"1042"));
        QVERIFY(!log_.transcript.contains(u"Water bill"));
        QVERIFY(log_.transcript.contains(u"City Water Works"));
    }

    void failingPrinterLeavesTheWindowOpen()
    {
        writeAccount(Layout);
        platform().newPageSurface = [] { return std::make_unique<BrokenPrinter>(); };
        auto window = open();
        prompts().expectMessage(QStringLiteral("Printing failed"),
                                QStringLiteral("The check was not printed.") + crlf
                                    + QStringLiteral("Could not print to Office printer:\r\nThe printer is not answering."),
                                {QStringLiteral("&Okay")}, 1);
        window->cmdPrintCheck->click();
        QVERIFY(window->isVisible());
        QVERIFY(window->isEnabled());
        QCOMPARE(storedAccount(), accountRecord(Layout));
    }

    void escCloses()
    {
        writeAccount(Layout);
        auto window = open();
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(log_.surfaces, 0);
    }

    void noLayoutDeclinedCloses()
    {
        writeAccount(QByteArray(12, '\0'));
        prompts().expectMessage(QStringLiteral("Print Settings"), PrintSettingsText, PrintSettingsCaptions, 2)
            .expectMessageKind(IconExclamation);
        auto window = open();
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(storedAccount(), accountRecord(QByteArray(12, '\0')));
        // Asked again at the next opening.
        prompts().expectMessage(QStringLiteral("Print Settings"), 0);
        auto again = open();
        QTRY_VERIFY(!again->isVisible());
        QCOMPARE(log_.surfaces, 0);
    }

    void noLayoutSetupCancelledCloses()
    {
        writeAccount(QByteArray(12, '\0'));
        prompts().expectMessage(QStringLiteral("Print Settings"), 1);
        bool setupSeen = false;
        whenOpen<frmPrintCheckSetup>([&](frmPrintCheckSetup& setup) {
            setupSeen = true;
            typeLayout(setup, Rows24668_10);
            setup.cmdCancel->click();
        });
        auto window = open();
        QTRY_VERIFY(!window->isVisible());
        QVERIFY(setupSeen);
        QCOMPARE(storedAccount(), accountRecord(QByteArray(12, '\0')));
        QVERIFY(window->cmdPrintSetup->tag().isEmpty());
    }

    void noLayoutSetupSavedGoesOn()
    {
        writeAccount(QByteArray(12, '\0'));
        prompts().expectMessage(QStringLiteral("Print Settings"), 1);
        whenOpen<frmPrintCheckSetup>([&](frmPrintCheckSetup& setup) {
            typeLayout(setup, Rows24668_10);
            setup.cmdSave->click();
        });
        auto window = open(QStringLiteral("Water bill"));
        QTRY_VERIFY(window->chkComment->isChecked());
        QVERIFY(window->isVisible());
        QCOMPARE(window->cmdPrintSetup->tag(), QStringLiteral("!"));
        QCOMPARE(storedAccount(), accountRecord(Layout));
        QCOMPARE(log_.surfaces, 0); // saving prints nothing by itself
        window->chkCheckNumber->setChecked(true);
        window->cmdPrintCheck->click();
        TALLYO_COMPARE_TRANSCRIPT(log_.transcript, QStringLiteral("window-check"));
    }

    void setupButtonChangesTheLayoutInForce()
    {
        writeAccount(Layout);
        auto window = open();
        whenOpen<frmPrintCheckSetup>([&](frmPrintCheckSetup& setup) {
            QCOMPARE(setup.txtRowCol(2)->text(), QStringLiteral("60"));
            setup.txtRowCol(2)->setText(QStringLiteral("30"));
            setup.cmdSave->click();
        });
        window->cmdPrintSetup->click();
        QCOMPARE(window->account().CheckLayout[1], quint8(30));
        window->chkCheckNumber->setChecked(true);
        window->cmdPrintCheck->click();
        QVERIFY(log_.transcript.contains(QStringLiteral("2900.00tw 480.00tw  Arial 10 B--  \"1042")));
    }

    void registerHookOpensTheWindow()
    {
        ResetRegisterActions();
        InstallCheckActions();
        QVERIFY(bool(registerActions().printCheck));
        ResetRegisterActions();
    }

    // The setup window on its own.

    void setupOpensEmptyForANewAccount()
    {
        AccountRecord account;
        frmPrintCheckSetup setup(account, 1, nullptr);
        QCOMPARE(setup.windowTitle(), QStringLiteral(" Check Printing Setup for this account..."));
        for (int i = 1; i <= LayoutFieldCount; ++i)
            QVERIFY(setup.txtRowCol(i)->text().isEmpty());
        QVERIFY(!setup.cmdSave->isEnabled());
        QCOMPARE(setup.cmdSave->caption(), QStringLiteral("&Finished,\r\nSave"));
        QCOMPARE(setup.cmdCancel->caption(), QStringLiteral("&Cancel\r\n(Esc)"));
        QStringList values = Rows24668_10;
        for (int i = 1; i <= LayoutFieldCount; ++i) {
            QVERIFY(!setup.cmdSave->isEnabled());
            QTest::keyClicks(setup.txtRowCol(i), values[i - 1]);
        }
        QVERIFY(setup.cmdSave->isEnabled());
    }

    void setupEmptiesWhatIsNoNumber_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero") << "0" << "";
        QTest::newRow("point") << "." << "";
        QTest::newRow("letter") << "a" << "";
        QTest::newRow("minus") << "-" << "";
        QTest::newRow("one") << "1" << "1";
        QTest::newRow("ten") << "10" << "10";
        QTest::newRow("fraction") << "1.5" << "1.5";
    }

    void setupEmptiesWhatIsNoNumber()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        AccountRecord account;
        frmPrintCheckSetup setup(account, 1, nullptr);
        typeLayout(setup, Rows24668_10);
        setup.txtRowCol(4)->clear();
        QTest::keyClicks(setup.txtRowCol(4), typed);
        QCOMPARE(setup.txtRowCol(4)->text(), shown);
        QCOMPARE(setup.cmdSave->isEnabled(), !shown.isEmpty());
        // Pasted text is held to the same rule.
        setup.txtRowCol(7)->setText(QStringLiteral("0.75"));
        QVERIFY(setup.txtRowCol(7)->text().isEmpty());
        QVERIFY(!setup.cmdSave->isEnabled());
    }

    void setupShowsTheStoredLayout()
    {
        AccountRecord account;
        account.CheckLayout = CheckLayout{2, 60, 4, 50, 6, 10, 6, 62, 8, 5, 10, 8};
        frmPrintCheckSetup setup(account, 1, nullptr);
        QCOMPARE(setup.txtRowCol(1)->text(), QStringLiteral("2"));
        QCOMPARE(setup.txtRowCol(8)->text(), QStringLiteral("62"));
        QVERIFY(!setup.cmdSave->isEnabled());
    }

    void setupRefuses_data()
    {
        QTest::addColumn<QList<int>>("fields");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString above = QStringLiteral("Values exceeding 255\r\nare not allowed...");
        QTest::newRow("256") << QList<int>{5} << QStringList{"256"} << "Invalid value" << above;
        QTest::newRow("above before order") << QList<int>{6, 11} << QStringList{"62", "300"} << "Invalid value"
                                            << above;
        QTest::newRow("negative") << QList<int>{3} << QStringList{"-3"} << "Invalid value"
                                  << "Values below 1\r\nare not allowed...";
        QTest::newRow("order") << QList<int>{6} << QStringList{"62"} << "Error" << "Check your numbers, please...";
    }

    void setupRefuses()
    {
        QFETCH(QList<int>, fields);
        QFETCH(QStringList, values);
        QFETCH(QString, title);
        QFETCH(QString, text);
        writeAccount(QByteArray(12, '\0'));
        AccountRecord account = AccountRecord::decode(accountRecord(QByteArray(12, '\0')).constData());
        ZevButton reportTo;
        frmPrintCheckSetup setup(account, 2, &reportTo);
        setup.show();
        typeLayout(setup, Rows24668_10);
        for (int i = 0; i < fields.size(); ++i)
            setup.txtRowCol(fields[i])->setText(values[i]);
        prompts().expectMessage(title, text, {QStringLiteral("&Okay")}, 1).expectMessageKind(IconInformation);
        setup.cmdSave->click();
        QVERIFY(setup.isVisible());
        QVERIFY(reportTo.tag().isEmpty());
        QCOMPARE(account.CheckLayout, CheckLayout{});
        QCOMPARE(storedAccount(), accountRecord(QByteArray(12, '\0')));
    }

    void setupSavesTheWholeRecord()
    {
        writeAccount(QByteArray(12, '\0'));
        AccountRecord account = AccountRecord::decode(accountRecord(QByteArray(12, '\0')).constData());
        ZevButton reportTo;
        frmPrintCheckSetup setup(account, 2, &reportTo);
        setup.show();
        QStringList values = Rows24668_10;
        values[0] = QStringLiteral("2.5");  // a half goes to the even neighbour
        values[9] = QStringLiteral("4.5");
        typeLayout(setup, values);
        setup.cmdSave->click();
        QVERIFY(!setup.isVisible());
        QCOMPARE(setup.result(), int(QDialog::Accepted));
        QCOMPARE(reportTo.tag(), QStringLiteral("!"));
        QByteArray expected = Layout;
        expected[9] = 4;
        QCOMPARE(storedAccount(), accountRecord(expected));
        QCOMPARE(account.CheckLayout[9], quint8(4));
        // The other account is untouched.
        QCOMPARE(test::readWholeFile(seams_->folder.filePath("Account.dex")).left(14), QByteArray("20250101090000"));
    }

    void setupCancelChangesNothing()
    {
        writeAccount(Layout);
        AccountRecord account = AccountRecord::decode(accountRecord(Layout).constData());
        ZevButton reportTo;
        frmPrintCheckSetup setup(account, 2, &reportTo);
        setup.show();
        setup.txtRowCol(1)->setText(QStringLiteral("3"));
        QTest::keyClick(&setup, Qt::Key_Escape);
        QVERIFY(!setup.isVisible());
        QVERIFY(reportTo.tag().isEmpty());
        QCOMPARE(account.CheckLayout[0], quint8(2));
        QCOMPARE(storedAccount(), accountRecord(Layout));
    }

    void setupWriteFailureKeepsTheWindow()
    {
        writeAccount(QByteArray(12, '\0'));
        AccountRecord account = AccountRecord::decode(accountRecord(QByteArray(12, '\0')).constData());
        ZevButton reportTo;
        frmPrintCheckSetup setup(account, 2, &reportTo);
        setup.show();
        typeLayout(setup, Rows24668_10);
        // A folder where the index should be: it cannot be opened.
        QVERIFY(QFile::remove(seams_->folder.filePath("Account.dex")));
        QVERIFY(QDir(seams_->folder.path()).mkdir("Account.dex"));
        prompts().expectMessage(QStringLiteral("File error"), 1).expectMessageKind(IconStop);
        setup.cmdSave->click();
        QVERIFY(setup.isVisible());
        QVERIFY(reportTo.tag().isEmpty());
        QCOMPARE(account.CheckLayout, CheckLayout{});
        QCOMPARE(setup.txtRowCol(1)->text(), QStringLiteral("2"));
    }

    // F1 opens the manual only unmodified; here it cannot, which shows a message.
    void manualKeyActsOnlyUnmodified()
    {
        writeAccount(Layout);
        auto window = open();
        seams_->shell.openResult = false;
        QTest::keyClick(window.get(), Qt::Key_F1, Qt::ControlModifier);
        QTest::keyClick(window.get(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(prompts().verifyDone());
        prompts().expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        QTest::keyClick(window.get(), Qt::Key_F1);
        QVERIFY(prompts().verifyDone());
        QVERIFY(window->isVisible());
    }
};

TALLYO_TEST(CheckWindowsTest)
#include "checkwindows_test.moc"
