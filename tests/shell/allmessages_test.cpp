// Every message the program shows, as the user sees it: title, icon kind,
// text, buttons, default button and option box. Each row runs the real code
// path that shows the message, with the questions before it answered
// through the scripted prompts, and compares the message with the words
// written out here.
#include "../register/registerdata.h"
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"
#include "windowseams.h"

#include "checks/frmPrintCheck.h"
#include "checks/frmPrintCheckSetup.h"
#include "controls/MonthsCalendar.h"
#include "controls/ZevButton.h"
#include "entry/entrystate.h"
#include "entry/frmNewEntry.h"
#include "index/accessprotection.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "index/frmAccountIndex.h"
#include "platform/platform.h"
#include "platform/recordingsurface.h"
#include "platform/singleinstance.h"
#include "register/SearchMenu.h"
#include "register/TransactionActions.h"
#include "register/findreplace.h"
#include "register/search.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registerstate.h"
#include "reports/ReportActions.h"
#include "reports/listprintout.h"
#include "shell/Main.h"
#include "shell/appsettings.h"
#include "shell/frmTitlePage.h"
#include "shell/navigation.h"
#include "shell/quit.h"
#include "store/fileerror.h"
#include "store/fileseam.h"
#include "store/records.h"
#include "util/WindowHelpers.h"
#include "util/backuprestore.h"
#include "util/dates.h"
#include "version.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

using namespace tallyo;
using namespace registerdata;
using tallyo::test::WindowSeams;

namespace {

// Runs the code path of one row; it scripts every prompt on the way.
using Trigger = std::function<void(WindowSeams&)>;

// A part of a text the row cannot know: a folder, the system's reason.
const QString Any = QStringLiteral("<any>");

QString lines(const QStringList& parts)
{
    return parts.join(QStringLiteral("\r\n"));
}

bool textMatches(const QString& expected, const QString& shown)
{
    if (!expected.contains(Any))
        return expected == shown;
    QStringList parts = expected.split(Any);
    for (QString& part : parts)
        part = QRegularExpression::escape(part);
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(parts.join(QStringLiteral(".+"))),
                                     QRegularExpression::DotMatchesEverythingOption);
    return pattern.match(shown).hasMatch();
}

double day(int d)
{
    return StoredFromDate(QDate(2026, 3, d)) + 0.5;
}

// An account in the index, made the current one.
qint32 addAccount(const QString& name)
{
    const qint32 record = AppendAccount(name, NewAccountNotes());
    currentAccount().CurrentAccountRecord = record;
    currentAccount().CurrentAccountKey = ReadAccountAt(record).AccountKey;
    return record;
}

void protect(qint32 record, const QString& query, const QString& answer)
{
    AccountRecord account = ReadAccountAt(record);
    account.AccessQuery = query;
    account.AccessAnswer = answer;
    StoreAccountRecord(record, account);
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// The register of "Household" (the seams' clock makes registerdata's key)
// with the given transactions, shown and active; the given row highlighted.
frmAccount* openRegister(const QList<handmade::Transaction>& transactions, int row = 1)
{
    addAccount(QStringLiteral("Household"));
    if (!transactions.isEmpty() && !writeTransactions(transactions))
        return nullptr;
    OpenRegisterWindow();
    frmAccount* window = RegisterWindow();
    if (!window || !QTest::qWaitForWindowActive(window))
        return nullptr;
    settle();
    window->grid->setCurrentIndex(window->grid->model()->index(row - 1, 0));
    settle();
    return window;
}

QList<handmade::Transaction> household(bool cleared = false)
{
    handmade::Transaction paid = transaction(day(3), "Deposit", 100, cleared, "Employer");
    paid.notes = "March pay";
    return {beginningBalance(1000), transaction(day(2), "1001", -45, cleared), paid,
            transaction(day(4), "1002", -20, cleared)};
}

// The entry window for adding, with type, payee and amount filled in.
std::unique_ptr<frmNewEntry> openEntry(const QString& type, const QString& amount)
{
    EntryFlags& flags = entryFlags();
    flags.AddingEntry = true;
    flags.ModifyingEntry = false;
    flags.PrefillFromSelection = false;
    addAccount(QStringLiteral("Household"));
    auto window = std::make_unique<frmNewEntry>();
    window->LoadEntry();
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    settle();
    window->calendar->hidePopup();
    for (int n : {2, 3, 5})
        window->combo[n]->hidePopup();
    window->combo[2]->lineEdit()->setText(type);
    window->combo[3]->lineEdit()->setText(QStringLiteral("Smith"));
    window->txtAmount->setText(amount);
    settle();
    return window;
}

// The title window, waiting for Continue.
frmTitlePage* openTitle(WindowSeams& s)
{
    navigation().showAccountIndex = [] {};
    LoadDisplayValues();
    ShowTitleWindow();
    frmTitlePage* window = TitleWindow();
    if (!window
        || !QTest::qWaitFor([&] { return s.shell.targets(test::RecordingShell::Kind::Fetch).size() == 1; }))
        return nullptr;
    return window;
}

// The check window of check 1042 of the account, whose layout is given.
std::unique_ptr<frmPrintCheck> openCheck(const CheckLayout& layout)
{
    const qint32 record = addAccount(QStringLiteral("Household Checking"));
    AccountRecord account = ReadAccountAt(record);
    account.CheckLayout = layout;
    StoreAccountRecord(record, account);
    TransactionRecord check;
    check.AccountKey = account.AccountKey;
    check.TransactionDate = day(5);
    check.TransactionType = QStringLiteral("1042");
    check.Payee = QStringLiteral("Water Works");
    check.Amount = -1234500;
    auto window = std::make_unique<frmPrintCheck>(check);
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        return nullptr;
    if (!QTest::qWaitFor([&] { return !window->cmdFinished->caption().isEmpty() || !window->isVisible(); }))
        return nullptr;
    return window;
}

const CheckLayout GoodLayout{2, 60, 4, 50, 6, 10, 6, 62, 8, 5, 10, 8};

// The check layout setup with a good layout typed in but for one field.
void saveLayoutWith(int field, const QString& value)
{
    AccountRecord account = ReadAccountAt(addAccount(QStringLiteral("Household Checking")));
    ZevButton reportTo;
    frmPrintCheckSetup setup(account, 1, &reportTo);
    setup.show();
    for (int i = 1; i <= 12; ++i)
        setup.txtRowCol(i)->setText(QString::number(GoodLayout[size_t(i - 1)]));
    setup.txtRowCol(field)->setText(value);
    setup.cmdSave->click();
}

class Owner : public ProcedureOwner {
public:
    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override { caption_ = caption; }
    void setBusy(bool) override {}

private:
    QString caption_ = QStringLiteral("Program Options");
};

// A printer that refuses the first text.
class BrokenPrinter : public RecordingSurface {
protected:
    void drawText(double, double, const QString&, const PrintFont&) override
    {
        throw FileError(QStringLiteral("Office printer"), QStringLiteral("print to"),
                        QStringLiteral("The printer is not answering."));
    }
};

// A printer that saves its pages to a file, as when none is installed.
class FilePrinter : public RecordingSurface {
public:
    QString savedFile() const override { return QStringLiteral("/home/user/Documents/Tallyo.pdf"); }
};

QByteArray legacyIndex(int accounts)
{
    QByteArray bytes;
    for (int i = 1; i <= accounts; ++i) {
        LegacyAccountRecord record;
        record.AccountKey = QStringLiteral("2019010108000%1").arg(i);
        record.AccountName = QStringLiteral("Account %1").arg(i);
        bytes += record.encode();
    }
    return bytes;
}

// The caption of the register's menu item that finds and replaces payees.
const QString ReplacePayeeTitle = QStringLiteral("Find and replace `Payee/Creditor' text");

// Finds and replaces payees of the register (row 3 highlighted: "Employer"),
// with the prompts answered in turn.
void replacePayees(WindowSeams& s, const QString& find, int confirmation)
{
    frmAccount* window = openRegister(household(), 3);
    QVERIFY(window);
    s.prompts.expectInput(ReplacePayeeTitle, find)
        .expectInput(ReplacePayeeTitle, QStringLiteral("Acme"))
        .expectMessage(ReplacePayeeTitle, confirmation);
    if (confirmation == 1)
        s.prompts.expectMessage(QStringLiteral("Find/Replace Results"), 1);
    FindReplaceInRegister(*window, 1);
}

const QString OverviewText = QStringLiteral(
    "Tallyo is designed to maintain your financial accounts. Although primarily designed for checking accounts, "
    "Tallyo can handle savings, credit union, credit card, and other financial accounts as well.\r\n\r\n"
    "Tallyo can handle any number of separate accounts, and each account can have any number of transactions."
    "\r\n\r\n"
    "If you've ever tried other checking account programs, you'll immediately notice that Tallyo is designed to "
    "look and feel like a personal checkbook register-- very easy to use.\r\n\r\n"
    "Yet it has very powerful features-- it does all calculations automatically, of course, and it reconciles "
    "your accounts automatically, too! And prints your checks! And shows you graphs of your spending patterns! "
    "And it will find any one entry-- or group of entries-- instantly! You'll quickly find Tallyo "
    "indispensable, especially around tax time!\r\n\r\n"
    "Thanks for discovering and using yet another powerful, easy-to-use program by Zev Software!");

}

Q_DECLARE_METATYPE(Trigger)

class AllMessagesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowSeams> seams_;

private slots:
    void init()
    {
        // Account keys are made from the clock: this one gives registerdata's key.
        seams_ = std::make_unique<WindowSeams>(QDateTime(QDate(2024, 1, 1), QTime(12, 0, 0)));
        navigation() = Navigation();
        ResetCurrentAccount();
        ResetRegisterState();
        ResetRegisterActions();
        InstallTransactionActions();
        InstallReportActions();
        ResetEntryFlags();
        ResetDisplayValues();
        LoadDisplayValues();
        ResetProgramEnding();
    }

    void cleanup()
    {
        EndWithoutAsking();
        QApplication::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetProgramEnding();
        ResetRegisterActions();
        navigation() = Navigation();
        platform().newPageSurface = nullptr;
        seams_.reset();
        ResetDisplayValues();
        ResetCurrentAccount();
    }

    void everyMessage_data()
    {
        QTest::addColumn<Trigger>("trigger");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<bool>("optionBox");

        const QStringList okay{QStringLiteral("&Okay")};
        auto row = [](const char* name, Trigger trigger, const QString& title, int icon, const QString& text,
                      const QStringList& buttons, int defaultButton = 1, bool optionBox = false) {
            QTest::newRow(name) << trigger << title << icon << text << buttons << defaultButton << optionBox;
        };
        // Most rows answer their own message and stop there.
        auto answering = [](const QString& title, int answer, Trigger then) -> Trigger {
            return [=](WindowSeams& s) {
                s.prompts.expectMessage(title, answer);
                then(s);
            };
        };

        // --- start-up, quitting and the title window -----------------------
        row("second copy", answering("Terminating", 1, [](WindowSeams& s) {
                SingleInstance running(s.folder.filePath(QStringLiteral("tallyo.lock")));
                QVERIFY(running.tryLock());
                SingleInstance second(s.folder.filePath(QStringLiteral("tallyo.lock")));
                QVERIFY(!Main(second));
            }),
            "Terminating", IconStop, "Tallyo is already loaded\r\nand running on your computer!", okay);
        row("quit", answering("Confirm", 2, [](WindowSeams&) { QVERIFY(!QuitProgram()); }), "Confirm",
            IconQuestion, "This will close Tallyo\r\n\r\nIs this what you want to do?",
            {"&Yes, close Tallyo", "&No, let's go back"});
        row("new user overview", [](WindowSeams& s) {
                frmTitlePage* title = openTitle(s);
                QVERIFY(title);
                s.prompts.expectMessage(QStringLiteral(" Tallyo - New User Overview"), 1);
                title->cmdContinue->click();
            },
            " Tallyo - New User Overview", IconInformation,
            "Welcome! Are you a new user? If so, then let's take a moment for a quick overview.\r\n\r\n" + OverviewText,
            {"&Continue"}, 1, true);
        row("old index converted", [](WindowSeams& s) {
                SetSettingText(SettingKey::NewUser, QStringLiteral("NoShow"));
                QVERIFY(test::writeWholeFile(QStringLiteral("Account.ndx"), legacyIndex(2)));
                frmTitlePage* title = openTitle(s);
                QVERIFY(title);
                s.prompts.expectMessage(QStringLiteral("Good News!"), 1);
                title->cmdContinue->click();
            },
            "Good News!", IconInformation, "The Account Index File\r\nhas been successfully updated!",
            {"&Continue to the Account Index Window"});
        row("old index not converted", [](WindowSeams& s) {
                SetSettingText(SettingKey::NewUser, QStringLiteral("NoShow"));
                QVERIFY(test::writeWholeFile(QStringLiteral("Account.ndx"), legacyIndex(3)));
                frmTitlePage* title = openTitle(s);
                QVERIFY(title);
                s.prompts.expectMessage(QStringLiteral("File Error"), 1);
                test::FileSizeLimit full(1000);
                title->cmdContinue->click();
            },
            "File Error", IconStop, "Could not " + Any, okay);

        // --- the account index and its accounts ------------------------------
        row("no accounts", answering("No accounts on file", 2, [](WindowSeams&) {
                ShowAccountIndexWindow();
                QVERIFY(QTest::qWaitForWindowActive(AccountIndexWindow()));
                settle();
            }),
            "No accounts on file", IconQuestion,
            "There are currently no financial accounts on file.\r\n\r\n"
            "Would you like to add an account to the index now?",
            {"&Yes, please", "&No, not right now"});
        row("about", [](WindowSeams& s) {
                addAccount(QStringLiteral("Cash"));
                ShowAccountIndexWindow();
                QVERIFY(QTest::qWaitForWindowActive(AccountIndexWindow()));
                settle();
                s.prompts.expectMessage(QStringLiteral("About Tallyo"), 1);
                AccountIndexWindow()->cmdAbout->click();
            },
            "About Tallyo", IconInformation,
            QStringLiteral("Tallyo\r\nVersion w%1.%2.%3\r\n\r\nFinancial Account Manager\r\n\u00A9")
                    .arg(version::major)
                    .arg(version::minor)
                    .arg(version::revision)
                + Any + "\r\n\r\n",
            okay);
        row("offer to protect a new account", answering("Access protection", 1, [](WindowSeams& s) {
                s.prompts.expectInput(QStringLiteral("The query..."), QString());
                OfferProtectionForNewAccount(addAccount(QStringLiteral("Cash")));
            }),
            "Access protection", IconQuestion, "Do you want to protect access\r\nto this account?",
            {"&Yes, please", "&No, not right now"});
        row("protection can come later", [](WindowSeams& s) {
                s.prompts.expectMessage(QStringLiteral("Access protection"), 2)
                    .expectMessage(QStringLiteral("Protection Options"), 1);
                OfferProtectionForNewAccount(addAccount(QStringLiteral("Cash")));
            },
            "Protection Options", IconInformation,
            "Remember, you can protect access to\r\nthis account at any later time by clicking the\r\n"
            "'key' button to the left of the list of accounts.",
            okay, 1, true);
        row("offer to make notes", answering("Make Notes...", 1, [](WindowSeams&) {
                QVERIFY(OfferNotesForNewAccount());
            }),
            "Make Notes...", IconInformation, "Would you like to make some notes\r\non this new account right now?",
            {"&Yes, please", "No, not right now"}, 1, true);
        row("notes can come later", [](WindowSeams& s) {
                s.prompts.expectMessage(QStringLiteral("Make Notes..."), 2)
                    .expectMessage(QStringLiteral("Editing your Notes"), 1);
                QVERIFY(!OfferNotesForNewAccount());
            },
            "Editing your Notes", IconInformation,
            "Remember, you can edit the notes for\r\nthis account at any later time by clicking the\r\n"
            "'notepad' button to the left of the list of accounts.",
            okay, 1, true);
        row("delete an account", answering("Confirm", 2, [](WindowSeams&) {
                QVERIFY(!ConfirmAccountDeletion(QStringLiteral("Savings"), 5));
            }),
            "Confirm", IconQuestion, "Are you sure you want to delete the following account?\r\n\r\nSavings",
            {"&Yes, please", "&No, don't delete this account"}, 2);
        row("delete an account of many transactions", [](WindowSeams& s) {
                s.prompts.expectMessage(QStringLiteral("Confirm"), 1).expectMessage(QStringLiteral("Re-confirm"), 2);
                QVERIFY(!ConfirmAccountDeletion(QStringLiteral("Savings"), 101));
            },
            "Re-confirm", IconQuestion,
            "There are 101 transactions in this account!\r\n\r\nAre you SURE you want to delete this account?"
            "\r\n\r\nSavings",
            {"&Yes, I'm sure", "&No, don't delete this account"}, 2);
        row("delete an account of very many transactions", [](WindowSeams& s) {
                s.prompts.expectMessage(QStringLiteral("Confirm"), 1)
                    .expectMessage(QStringLiteral("Re-confirm"), 1)
                    .expectMessage(QStringLiteral("RE-confirm"), 2);
                QVERIFY(!ConfirmAccountDeletion(QStringLiteral("Savings"), 1001));
            },
            "RE-confirm", IconQuestion,
            "Pardon the caution, but there are 1001 transactions in this account!\r\n\r\n"
            "Are you REALLY SURE you want to delete the below named account?\r\n\r\nSavings",
            {"&Yes, I'm absolutely sure", "&No, do NOT delete this account"}, 2);

        row("unreadable index", answering("File error", 1, [](WindowSeams& s) {
                // A folder where the index file belongs.
                QVERIFY(QDir(s.folder.path()).mkdir(QStringLiteral("Account.dex")));
                ShowAccountIndexWindow();
                QVERIFY(QTest::qWaitForWindowActive(AccountIndexWindow()));
                settle();
            }),
            "File error", IconStop, "Could not " + Any + "Account.dex" + Any, okay);

        // --- access protection -------------------------------------------------
        row("protect an account", answering("Protect your account", 2, [](WindowSeams&) {
                OfferProtectionOptions(addAccount(QStringLiteral("Cash")));
            }),
            "Protect your account", IconInformation,
            "The highlighted account is currently not protected from unauthorized access.",
            {"&Establish access protection", "&Cancel, don't do anything"});
        row("options of a protected account", answering("Account Options", 3, [](WindowSeams&) {
                const qint32 record = addAccount(QStringLiteral("Cash"));
                protect(record, QStringLiteral("First pet?"), QStringLiteral("Rex"));
                OfferProtectionOptions(record);
            }),
            "Account Options", IconQuestion, "The highlighted account is currently protected from unauthorized access.",
            {"&Change the query/answer", "Remove &access protection", "&Cancel, don't do anything"});
        row("wrong answer", [](WindowSeams& s) {
                const qint32 record = addAccount(QStringLiteral("Cash"));
                protect(record, QStringLiteral("First pet?"), QStringLiteral("Rex"));
                s.prompts.expectInput(QStringLiteral("Authorization required"), QStringLiteral("Max"))
                    .expectMessage(QStringLiteral("Authorization denied"), 1);
                QVERIFY(!CheckAccess(ReadAccountAt(record)));
            },
            "Authorization denied", IconStop, "The provided response\r\nwas not correct.", okay);
        row("protection established", [](WindowSeams& s) {
                s.prompts.expectInput(QStringLiteral("The query..."), QStringLiteral("First pet?"))
                    .expectInput(QStringLiteral("The answer..."), QStringLiteral("Rex"))
                    .expectMessage(QStringLiteral("Protected access enabled"), 1);
                QVERIFY(ProtectAccount(ProtectRequest::Establish, addAccount(QStringLiteral("Cash"))));
            },
            "Protected access enabled", IconExclamation,
            "Congratulations!\r\n\r\nAccess to this account\r\nis now protected.", okay);
        row("protection changed", [](WindowSeams& s) {
                const qint32 record = addAccount(QStringLiteral("Cash"));
                protect(record, QStringLiteral("First pet?"), QStringLiteral("Rex"));
                s.prompts.expectInput(QStringLiteral("Authorization required"), QStringLiteral("rex"))
                    .expectInput(QStringLiteral("The query..."), QStringLiteral("First car?"))
                    .expectInput(QStringLiteral("The answer..."), QStringLiteral("Beetle"))
                    .expectMessage(QStringLiteral("Access query changed"), 1);
                QVERIFY(ProtectAccount(ProtectRequest::Change, record));
            },
            "Access query changed", IconExclamation,
            "Congratulations!\r\n\r\nThe access query needed to access\r\nthis account has been changed.", okay);
        row("protection removed", [](WindowSeams& s) {
                const qint32 record = addAccount(QStringLiteral("Cash"));
                protect(record, QStringLiteral("First pet?"), QStringLiteral("Rex"));
                s.prompts.expectInput(QStringLiteral("Authorization required"), QStringLiteral("Rex"))
                    .expectMessage(QStringLiteral("Protected access removed"), 1);
                QVERIFY(ProtectAccount(ProtectRequest::Remove, record));
            },
            "Protected access removed", IconInformation, "Protected access has been\r\nremoved from this account.",
            okay);

        // --- the register and its operations ---------------------------------------
        row("new account", answering("New Account", 2, [](WindowSeams&) {
                addAccount(QStringLiteral("Household"));
                OpenRegisterWindow();
                QVERIFY(QTest::qWaitFor([] { return !RegisterWindow(); }));
            }),
            "New Account", IconQuestion,
            "This is a new account--\r\n\r\nAre you ready to enter to establish\r\na beginning balance for this account?",
            {"&Yes, continue", "&No, not right now"});
        row("void", answering("Void Transaction", 2, [](WindowSeams&) {
                frmAccount* window = openRegister(household(), 3);
                QVERIFY(window);
                window->cmdVoidTransaction->click();
            }),
            "Void Transaction", IconQuestion,
            "Are you sure you want\r\nto VOID this transaction?\r\n\r\n(This action can not be reversed)",
            {"&Yes, void this transaction", "&No, return to the Account Register"}, 2);
        row("delete a transaction", answering("Confirm", 2, [](WindowSeams&) {
                frmAccount* window = openRegister(household(), 3);
                QVERIFY(window);
                window->cmdDeleteTransaction->click();
            }),
            "Confirm", IconQuestion, "Are you sure you want to delete this transaction?",
            {"&Yes, remove this transaction", "&No, never mind"}, 2);
        row("transaction notes", answering("Transaction Notes", 2, [](WindowSeams&) {
                frmAccount* window = openRegister(household(), 3);
                QVERIFY(window);
                window->cmdSeeNotes->click();
            }),
            "Transaction Notes", IconInformation, "March pay",
            {"&Edit these notes", "&Return to the Account Register"}, 2);
        row("no calculator", answering("Not found", 1, [](WindowSeams& s) {
                frmAccount* window = openRegister(household());
                QVERIFY(window);
                s.shell.startResult = false;
                window->cmdCalculator->click();
            }),
            "Not found", IconStop,
            lines({"Can not find a calculator program.", "", "Tried: gnome-calculator, kcalc, galculator,",
                   "mate-calc, qalculate-gtk, xcalc.", "", "Install one of them, then open",
                   "the register again to use it."}),
            okay);
        row("nothing to reconcile", answering("Nothing to reconcile", 1, [](WindowSeams&) {
                frmAccount* window = openRegister(household(true));
                QVERIFY(window);
                window->cmdReconcileAccount->click();
            }),
            "Nothing to reconcile", IconInformation, "All of the transactions\r\nare marked as cleared.", okay);
        row("print range: not a date", [](WindowSeams& s) {
                frmAccount* window = openRegister(household());
                QVERIFY(window);
                s.prompts.expectInput(QStringLiteral("Print List - Starting Date"), QStringLiteral("soon"))
                    .expectMessage(QStringLiteral("Date Entry Error"), 2);
                window->menuPrint_Click(2);
            },
            "Date Entry Error", IconStop, "'soon'\r\nis not a recognizable date.",
            {"&Try again", "&Cancel this print request"});
        row("print range: a date not listed", [](WindowSeams& s) {
                frmAccount* window = openRegister(household());
                QVERIFY(window);
                s.prompts
                    .expectInput(QStringLiteral("Print List - Starting Date"),
                                 FormatDate(day(20), SharedDisplayValues().DateFormat))
                    .expectMessage(QStringLiteral("No such date"), 2);
                window->menuPrint_Click(2);
            },
            "No such date", IconExclamation, "There is no such date\r\nin this displayed list",
            {"&Try again", "&Cancel this print request"});
        row("print range: ending before starting", [](WindowSeams& s) {
                frmAccount* window = openRegister(household());
                QVERIFY(window);
                const QString format = SharedDisplayValues().DateFormat;
                s.prompts.expectInput(QStringLiteral("Print List - Starting Date"), FormatDate(day(3), format))
                    .expectInput(QStringLiteral("Print List - Ending Date"), FormatDate(day(2), format))
                    .expectMessage(QStringLiteral("Sequence Error"), 2);
                window->menuPrint_Click(2);
            },
            "Sequence Error", IconStop, "The ending date cannot be earlier\r\nthan the starting date!",
            {"&Try again", "&Cancel this print request"});

        // --- search, find and replace ------------------------------------------------------
        row("search scope", answering("Search Scope", 3, [](WindowSeams&) { QVERIFY(AskSearchScope().isEmpty()); }),
            "Search Scope", IconQuestion, "Is there a particular year you wish to search?",
            {"&Yes, there is...", "&No, search all years", "&Cancel this search"}, 2);
        row("no matches", answering("No matches", 1, [](WindowSeams&) {
                frmAccount* window = openRegister(household());
                QVERIFY(window);
                RunSearch(*window, QStringLiteral("Nobody"), SearchPayee, SearchAllYears.toString());
            }),
            "No matches", IconInformation, "None of the transactions in this list\r\nmatch what you are looking for.",
            okay);
        row("find and replace: confirm", [](WindowSeams& s) { replacePayees(s, QStringLiteral("Employer"), 2); },
            ReplacePayeeTitle, IconQuestion,
            "In this display of transactions, you want to find\r\n\r\n'Employer'\r\n\r\nand replace it with\r\n\r\n"
            "'Acme'\r\n\r\nIs this correct?",
            {"&Yes, proceed", "&No, return to the Account Register"}, 2);
        row("find and replace: one", [](WindowSeams& s) { replacePayees(s, QStringLiteral("Employer"), 1); },
            "Find/Replace Results", IconInformation,
            "1 instance of\r\n\r\n'Employer'\r\n\r\nwas found and replaced with\r\n\r\n'Acme'", okay);
        row("find and replace: two", [](WindowSeams& s) { replacePayees(s, QStringLiteral("Payee"), 1); },
            "Find/Replace Results", IconInformation,
            "2 instances of\r\n\r\n'Payee'\r\n\r\nwere found and replaced with\r\n\r\n'Acme'", okay);
        row("find and replace: none", [](WindowSeams& s) { replacePayees(s, QStringLiteral("Nobody"), 1); },
            "Find/Replace Results", IconInformation,
            "'Nobody'\r\n\r\ncould not be found in\r\nthis list of transactions.", okay);
        row("find and replace: stopped", [](WindowSeams& s) {
                SetFileStepHook([](FileStep step, const QString& name) {
                    if (step == FileStep::Sync && name.endsWith(QStringLiteral("Account.dat")))
                        throw FileError(QStringLiteral("Account.dat"), QStringLiteral("write"), QStringLiteral("Disk full"));
                });
                replacePayees(s, QStringLiteral("Employer"), 1);
                SetFileStepHook({});
            },
            "Find/Replace Results", IconStop,
            "Could not write Account.dat:\r\nDisk full\r\n\r\nThe replacing stopped there.\r\n\r\n"
            "Nothing had been replaced.",
            okay);

        // --- the entry window -----------------------------------------------------------
        row("type not valid", answering("Entry Error", 1, [](WindowSeams&) {
                // A beginning two type words share.
                auto window = openEntry(QStringLiteral("Auto"), QStringLiteral("45"));
                QVERIFY(window);
                window->cmdSave->click();
            }),
            "Entry Error", IconStop, "The 'Type of Transaction'\r\nentry is not valid...", okay);
        row("amount not a number", answering("Entry Error", 1, [](WindowSeams&) {
                auto window = openEntry(QStringLiteral("1001"), QStringLiteral(",5"));
                QVERIFY(window);
                window->cmdSave->click();
            }),
            "Entry Error", IconStop, "The 'Amount' entry\r\nis not a number...", okay);

        // --- reports ------------------------------------------------------------------------
        row("print option", answering("Print Option", 3, [](WindowSeams&) { QVERIFY(!AskPrintOption()); }),
            "Print Option", IconQuestion, "Do you want to print any associated comments also?",
            {"&Yes, include comments", "&No", "&Cancel this print request"}, 2);
        row("text summary", answering("Tallyo - Text Summary", 3, [](WindowSeams&) {
                frmAccount* window = openRegister(household());
                QVERIFY(window);
                window->cmdTextSummary->click();
            }),
            "Tallyo - Text Summary", IconInformation,
            lines({"Date - 01/01/24", "", "Summary-", "Account of Household", "",
                   "Total number of transactions in this summary 4",
                   "Current account balance as of this summary 1,035.00", "",
                   // The totals are the register's, the beginning balance included.
                   "1 Total credit transactions (1,100.00 / average 275.00)",
                   "0 Total debit transactions (-65.00 / average -16.25)", "", "",
                   "2 Regular or Electronic checks (65.00)", "1 Regular Deposits (100.00)",
                   "0 Automatic Payments (0.00)", "0 Automatic Deposits (0.00)", "0 Cash from ATM (0.00)",
                   "0 Service Fees (0.00)", "0 Other Credits (0.00)", "0 Other Debits (0.00)", "0 Voids "}),
            {"&Print this summary", "&Email this summary", "&Return to the Account Register"}, 2);
        row("summary: no mail program", [](WindowSeams& s) {
                frmAccount* window = openRegister(household());
                QVERIFY(window);
                s.shell.openResult = false;
                s.prompts.expectMessage(QStringLiteral("Tallyo - Text Summary"), 2)
                    .expectMessage(QStringLiteral("Can not open E-mail"), 1);
                window->cmdTextSummary->click();
                QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("Summary-\nAccount of Household\n")));
            },
            "Can not open E-mail", IconStop,
            lines({"No mail program was found", "to write this e-mail.", "",
                   "Its text has been copied to the clipboard:", "paste it into a new message",
                   "with the subject \"Tallyo summary report\"."}),
            okay);
        row("graph of nothing", answering("No data", 1, [](WindowSeams&) {
                frmAccount* window = openRegister({beginningBalance(500), transaction(day(2), "VOID", 0)});
                QVERIFY(window);
                window->menuGraph_Click(2);
            }),
            "No data", IconStop, "There is no data available to graph!", {"&Return to the Account Register"});

        // --- checks ---------------------------------------------------------------------------
        row("no check layout", answering("Print Settings", 2, [](WindowSeams&) {
                auto window = openCheck(CheckLayout{});
                QVERIFY(window);
                QTRY_VERIFY(!window->isVisible());
            }),
            "Print Settings", IconExclamation,
            lines({"The positioning of text fields for your check format",
                   "has not yet been established for this account.", "",
                   "Printing is not possible until you first determine where",
                   "each text field is to be positioned on your check.", "",
                   "Do you want to complete this procedure now?", "",
                   "(See the manual for more information about this procedure)"}),
            {"&Yes, proceed", "&No, return to the Account Register"});
        row("check printer fails", answering("Printing failed", 1, [](WindowSeams&) {
                platform().newPageSurface = [] { return std::make_unique<BrokenPrinter>(); };
                auto window = openCheck(GoodLayout);
                QVERIFY(window);
                window->cmdPrintCheck->click();
            }),
            "Printing failed", IconStop,
            "The check was not printed.\r\nCould not print to Office printer:\r\nThe printer is not answering.", okay);
        row("layout value above 255", answering("Invalid value", 1, [](WindowSeams&) { saveLayoutWith(5, "256"); }),
            "Invalid value", IconInformation, "Values exceeding 255\r\nare not allowed...", okay);
        row("layout value below 1", answering("Invalid value", 1, [](WindowSeams&) { saveLayoutWith(3, "-3"); }),
            "Invalid value", IconInformation, "Values below 1\r\nare not allowed...", okay);
        row("layout out of order", answering("Error", 1, [](WindowSeams&) { saveLayoutWith(6, "62"); }), "Error",
            IconInformation, "Check your numbers, please...", okay);

        // --- helpers: the manual, the web, printing to a file ----------------------------------
        row("no manual", answering("Can not open Tallyo Manual", 1, [](WindowSeams& s) {
                s.shell.openResult = false;
                QVERIFY(!OpenManual(QStringList{s.folder.path()}));
            }),
            "Can not open Tallyo Manual", IconExclamation,
            "The Tallyo manual\r\n(in PDF format) is either\r\nmissing or can not be opened...",
            {"&Okay, return to the program"});
        row("manual not opened", answering("Can not open Tallyo Manual", 1, [](WindowSeams& s) {
                QFile manual(s.folder.filePath(QStringLiteral("Tallyo.PDF")));
                QVERIFY(manual.open(QIODevice::WriteOnly));
                manual.close();
                s.shell.openResult = false;
                QVERIFY(!OpenManual(QStringList{s.folder.path()}));
            }),
            "Can not open Tallyo Manual", IconExclamation,
            lines({"The Tallyo manual", "(in PDF format) can not be opened:", "no program to show PDF files was found.",
                   "", "Open this file with a PDF viewer:", Any + "/Tallyo.PDF"}),
            {"&Okay, return to the program"});
        row("no web browser", answering("Can not open Web Page", 1, [](WindowSeams& s) {
                s.shell.openResult = false;
                QVERIFY(!OpenWebOrMail(2));
            }),
            "Can not open Web Page", IconStop,
            lines({"No web browser was found", "to open this page.", "", "Open this address in a web browser:",
                   "http://www.tallyo.example.org"}),
            okay);
        row("printed to a file", answering("Printed to a file", 1, [](WindowSeams&) {
                TellWherePrintingWent(FilePrinter());
            }),
            "Printed to a file", IconInformation,
            "No printer is installed, so the pages were saved as\r\n/home/user/Documents/Tallyo.pdf", okay);

        // --- backup and restore -------------------------------------------------------------------
        const QString cancelBackup = QStringLiteral("&Cancel backup procedure");
        const QString cancelRestore = QStringLiteral("&Cancel restore procedure");
        // The folder picked, then the messages answered in turn.
        using Answers = QList<QPair<QString, int>>;
        auto backupTo = [](std::function<QString(WindowSeams&)> folder, Answers answers) -> Trigger {
            return [=](WindowSeams& s) {
                addAccount(QStringLiteral("Cash"));
                s.prompts.expectFolder(folder(s));
                for (const auto& [title, answer] : answers)
                    s.prompts.expectMessage(title, answer);
                Owner owner;
                BackupData(owner);
            };
        };
        auto restoreFrom = [](std::function<QString(WindowSeams&)> folder, Answers answers,
                              bool currentData = false) -> Trigger {
            return [=](WindowSeams& s) {
                if (currentData)
                    addAccount(QStringLiteral("Cash"));
                s.prompts.expectFolder(folder(s));
                for (const auto& [title, answer] : answers)
                    s.prompts.expectMessage(title, answer);
                Owner owner;
                RestoreData(owner);
            };
        };
        // Folders beside the data folder, gone with it.
        auto besideData = [](const QString& name, const QStringList& files, bool dexAsFolder = false) {
            return [=](WindowSeams& s) {
                const QString folder = s.folder.filePath(name);
                QDir().mkpath(folder);
                for (const QString& file : files)
                    test::writeWholeFile(folder + u'/' + file, QByteArray(3000, ' '));
                if (dexAsFolder)
                    QDir().mkpath(folder + QStringLiteral("/Account.dex"));
                return folder;
            };
        };
        row("backup into the data folder",
            backupTo([](WindowSeams& s) { return s.folder.path(); }, {{"Invalid Procedure", 1}}),
            "Invalid Procedure", IconStop, "You can not backup Tallyo\r\ndata to itself in the same folder!",
            {cancelBackup});
        row("backup folder not there",
            backupTo([](WindowSeams& s) { return s.folder.filePath(QStringLiteral("missing")); },
                     {{"Drive or Folder Access Problem", 1}}),
            "Drive or Folder Access Problem", IconExclamation,
            "There is some kind of problem trying to\r\naccess the selected backup location\r\nthat you specified...",
            {cancelBackup});
        row("backup folder of other files", backupTo(besideData("other", {"letter.txt"}), {{"Caution", 2}}),
            "Caution", IconQuestion,
            "The data backup location you selected:\r\n\r\n'" + Any
                + "/other/'\r\n\r\ncontains files that are not related to this software!\r\n\r\n"
                  "Are you sure you still wish to continue with this backup?",
            {"&Yes, Continue", "&No, Cancel backup procedure"}, 2);
        row("backup ready", backupTo(besideData("backup", {}), {{"Ready to Backup...", 2}}), "Ready to Backup...",
            IconInformation,
            "You have selected:\r\n\r\n'" + Any + "/backup/'\r\n\r\nas your data backup location.\r\n\r\n"
                "Are you ready to proceed?",
            {"&Yes, Backup the files now", "&No, Cancel backup procedure"}, 2);
        row("backup fails",
            backupTo(besideData("backup", {}, true), {{"Ready to Backup...", 1}, {"File Backup Error", 1}}),
            "File Backup Error", IconExclamation,
            "There is some kind of problem\r\ntrying to copy Account.dex\r\n\r\n" + Any
                + "\r\n\r\nThe files at the backup location are as they were.",
            {cancelBackup});
        row("backup done", backupTo(besideData("backup", {}), {{"Ready to Backup...", 1}, {"Backup Successful", 1}}),
            "Backup Successful", IconInformation,
            "Your current Tallyo data files\r\nhave been successfully backed up!", {"Thank you, &continue"});
        row("restore from the data folder",
            restoreFrom([](WindowSeams& s) { return s.folder.path(); }, {{"Invalid Procedure", 1}}),
            "Invalid Procedure", IconStop, "You can not restore Tallyo\r\ndata to itself in the same folder!",
            {cancelRestore});
        row("restore folder not there",
            restoreFrom([](WindowSeams& s) { return s.folder.filePath(QStringLiteral("missing")); },
                        {{"Drive or Folder Access Problem", 1}}),
            "Drive or Folder Access Problem", IconExclamation,
            "There is some kind of problem trying to\r\naccess the backed up data file at\r\n"
            "the location that you specified...",
            {cancelRestore});
        row("restore folder without an index",
            restoreFrom(besideData("backup", {"Account.dat"}), {{"Required file(s) missing", 1}}),
            "Required file(s) missing", IconExclamation,
            "'" + Any + "/backup/'\r\n\r\ndoesn't appear to contain previously saved\r\n"
                "backup data file(s) that you need to restore\r\nyour Tallyo data.",
            {cancelRestore});
        row("restore over current data",
            restoreFrom(besideData("backup", {"Account.dex"}), {{"Important! Please read carefully...", 2}}, true),
            "Important! Please read carefully...", IconInformation,
            "You are about to replace your current data files\r\nwith previously made backup data files.\r\n\r\n"
            "Once completed, this action can not be undone.\r\n\r\nAre you sure you're ready to continue?",
            {"&Yes, Restore the files now", "&No, Cancel restore procedure"}, 2);
        row("current data cannot be kept", [=](WindowSeams& s) {
                addAccount(QStringLiteral("Cash"));
                s.prompts.expectFolder(besideData("backup", {"Account.dex"})(s))
                    .expectMessage(QStringLiteral("Important! Please read carefully..."), 1)
                    .expectMessage(QStringLiteral("File Restore Error"), 1);
                // A full disk: not even the copy of the current files fits.
                test::FileSizeLimit full(1000);
                Owner owner;
                RestoreData(owner);
            },
            "File Restore Error", IconExclamation,
            "There is some kind of problem\r\ntrying to keep a copy of your current data\r\nbeside '" + Any
                + "'\r\n\r\n" + Any + "\r\n\r\nNothing has been restored.",
            {cancelRestore});
        row("restore fails", restoreFrom([](WindowSeams& s) {
                const QString folder = s.folder.filePath(QStringLiteral("backup"));
                QDir().mkpath(folder);
                test::writeWholeFile(folder + QStringLiteral("/Account.dex"), QByteArray(3000, ' '));
                // Account.dat cannot be read.
                QDir().mkpath(folder + QStringLiteral("/Account.dat"));
                return folder;
            }, {{"File Restore Error", 1}}),
            "File Restore Error", IconExclamation,
            "There is some kind of problem\r\ntrying to restore Account.dat\r\n\r\n" + Any
                + "\r\n\r\nYour current data files are as they were.",
            {cancelRestore});
        row("restore done", restoreFrom(besideData("backup", {"Account.dex"}), {{"Restore Successful", 1}}),
            "Restore Successful", IconInformation,
            "Your previously backed up \r\nTallyo data files\r\nhave been successfully restored!",
            {"Thank you, &continue"});
    }

    void everyMessage()
    {
        QFETCH(Trigger, trigger);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QFETCH(QString, text);
        QFETCH(QStringList, buttons);
        QFETCH(int, defaultButton);
        QFETCH(bool, optionBox);

        trigger(*seams_);
        settle();
        QVERIFY(seams_->prompts.verifyDone());

        const QList<MessageRequest>& shown = seams_->prompts.messages();
        const auto found = std::find_if(shown.rbegin(), shown.rend(),
                                        [&](const MessageRequest& m) { return m.title == title; });
        QVERIFY2(found != shown.rend(), qPrintable(QStringLiteral("no message titled \"%1\"").arg(title)));
        QCOMPARE(found->iconKind, icon);
        QVERIFY2(textMatches(text, found->text),
                 qPrintable(QStringLiteral("shown:\n%1\nexpected:\n%2").arg(found->text, text)));
        QCOMPARE(found->captions, buttons);
        QCOMPARE(found->defaultButton, defaultButton);
        QCOMPARE(found->showOption, optionBox);
    }

    // The simple input prompts and the folder pickers: title, prompt and the
    // text offered, from the real code paths as above.
    void everyPrompt_data()
    {
        QTest::addColumn<Trigger>("trigger");
        QTest::addColumn<QString>("title"); // empty for a folder picker
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("offered");

        auto row = [](const char* name, Trigger trigger, const QString& title, const QString& prompt,
                      const QString& offered = QString()) {
            QTest::newRow(name) << trigger << title << prompt << offered;
        };
        auto indexButton = [](ZevButton* frmAccountIndex::*button, const QString& title) -> Trigger {
            return [=](WindowSeams& s) {
                addAccount(QStringLiteral("Cash"));
                ShowAccountIndexWindow();
                QVERIFY(QTest::qWaitForWindowActive(AccountIndexWindow()));
                settle();
                s.prompts.expectInput(title, QString());
                (AccountIndexWindow()->*button)->click();
            };
        };
        row("new account name", indexButton(&frmAccountIndex::cmdAddAccount, "New Account name"), "New Account name",
            "Type an 'Account Name' you wish to use\r\nto use to describe the account you're adding...");
        row("rename", indexButton(&frmAccountIndex::cmdRenameAccount, "Rename account"), "Rename account",
            "Enter a new name for this account", "Cash");
        row("access query", [](WindowSeams& s) {
                const qint32 record = addAccount(QStringLiteral("Cash"));
                protect(record, QStringLiteral("First pet?"), QStringLiteral("Rex"));
                s.prompts.expectInput(QStringLiteral("Authorization required"), QString());
                QVERIFY(!CheckAccess(ReadAccountAt(record)));
            },
            "Authorization required",
            "In order to proceed, please\r\nverify your authorization by\r\nanswering the following query:\r\n\r\n"
            "First pet?");
        row("new query", [](WindowSeams& s) {
                s.prompts.expectInput(QStringLiteral("The query..."), QString());
                QVERIFY(!AskNewQueryAndAnswer());
            },
            "The query...",
            "First, think of and type a short personal query\r\n(no more than 40 characters) whose one-word answer\r\n"
            "is known only to you and those you wish to know.");
        row("new answer", [](WindowSeams& s) {
                s.prompts.expectInput(QStringLiteral("The query..."), QStringLiteral(" First pet? "))
                    .expectInput(QStringLiteral("The answer..."), QString());
                QVERIFY(!AskNewQueryAndAnswer());
            },
            "The answer...", "Now, type a short answer (no less than 3\r\nnor more than 15 characters) to the query:"
                             "\r\n\r\nFirst pet?");
        row("new answer of the wrong length", [](WindowSeams& s) {
                s.prompts.expectInput(QStringLiteral("The query..."), QStringLiteral("First pet?"))
                    .expectInput(QStringLiteral("The answer..."), QStringLiteral("Al"))
                    .expectInput(QStringLiteral("The answer..."), QString());
                QVERIFY(!AskNewQueryAndAnswer());
            },
            "The answer...",
            "The answer you typed is not the correct length\r\n\r\n"
            "Now, type a short answer (no less than 3\r\nnor more than 15 characters) to the query:\r\n\r\nFirst pet?");
        row("beginning balance", [](WindowSeams& s) {
                s.prompts.expectMessage(QStringLiteral("New Account"), 1)
                    .expectInput(QStringLiteral("Please enter"), QString());
                addAccount(QStringLiteral("Household"));
                OpenRegisterWindow();
                QVERIFY(QTest::qWaitFor([] { return !RegisterWindow(); }));
            },
            "Please enter", "What is the beginning balance for this account?", "0.00");
        row("print range start", [](WindowSeams& s) {
                frmAccount* window = openRegister(household());
                QVERIFY(window);
                s.prompts.expectInput(QStringLiteral("Print List - Starting Date"), QString());
                window->menuPrint_Click(2);
            },
            "Print List - Starting Date", "What is the STARTING date?");
        row("print range end", [](WindowSeams& s) {
                frmAccount* window = openRegister(household());
                QVERIFY(window);
                s.prompts
                    .expectInput(QStringLiteral("Print List - Starting Date"),
                                 FormatDate(day(3), SharedDisplayValues().DateFormat))
                    .expectInput(QStringLiteral("Print List - Ending Date"), QString());
                window->menuPrint_Click(2);
            },
            "Print List - Ending Date", "What is the ENDING date?");
        auto search = [](std::function<void()> ask) -> Trigger {
            return [ask](WindowSeams& s) {
                s.prompts.expectInput(QStringLiteral("Search"), QString());
                ask();
            };
        };
        const QString anyWord = QStringLiteral(
            "\r\n\r\n(Enter any word or phrase, whole or partial)\r\n\r\nNote: Searches are not case sensitive");
        row("search month", search([] { AskSearchMonth(); }), "Search",
            "Search for which month?\r\n\r\n(Enter `01' thru `12')", "01");
        row("search year", search([] { AskSearchYear(); }), "Search",
            "Search for which year?\r\n\r\n(Enter a year from `1900' to `2051')", "2024");
        row("search check number", search([] { AskCheckNumber(); }), "Search",
            "What check number are you looking for?");
        row("search payee", search([] { AskSearchText(SearchPayee, QStringLiteral("Employer")); }), "Search",
            "What `Payee/Creditor' description are you looking for?" + anyWord, "Employer");
        row("search comment", search([] { AskSearchText(SearchComment, QStringLiteral("rent")); }), "Search",
            "What `Comment' description are you looking for?" + anyWord, "rent");
        row("search notes", search([] { AskSearchText(SearchNotes, QString()); }), "Search",
            "What text in the 'Notes' are you looking for?" + anyWord);
        row("search credit", search([] { AskSearchAmount(SearchCredit, 1000000); }), "Search",
            "What amount are you looking for?\r\n\r\n(Do NOT use the '$' sign)", "100.00");
        row("search debit", search([] { AskSearchAmount(SearchDebit, 1000000); }), "Search",
            "What amount are you looking for?\r\n\r\n(Do NOT use the '$' sign)");
        row("find text", [](WindowSeams& s) {
                frmAccount* window = openRegister(household(), 3);
                QVERIFY(window);
                s.prompts.expectInput(ReplacePayeeTitle, QString());
                FindReplaceInRegister(*window, 1);
            },
            ReplacePayeeTitle, "Enter the Payee text \r\nthat you want to have replaced:", "Employer");
        row("replacement text", [](WindowSeams& s) {
                frmAccount* window = openRegister(household(), 3);
                QVERIFY(window);
                s.prompts.expectInput(ReplacePayeeTitle, QStringLiteral("Employer"))
                    .expectInput(ReplacePayeeTitle, QString());
                FindReplaceInRegister(*window, 1);
            },
            ReplacePayeeTitle, "Enter the replacement text\r\nyou want to use:");
        row("backup folder", [](WindowSeams& s) {
                s.prompts.expectFolder(QString());
                Owner owner;
                QVERIFY(!BackupData(owner));
            },
            "", "Select a disk/drive/folder to copy (backup)\r\nyour Tallyo data files to...");
        row("restore folder", [](WindowSeams& s) {
                s.prompts.expectFolder(QString());
                Owner owner;
                QVERIFY(!RestoreData(owner).restored);
            },
            "", "Select the disk/drive/folder that contains your\r\npreviously backed up Tallyo data files\r\n"
                "that you wish to restore...");
    }

    void everyPrompt()
    {
        QFETCH(Trigger, trigger);
        QFETCH(QString, title);
        QFETCH(QString, prompt);
        QFETCH(QString, offered);

        trigger(*seams_);
        settle();
        QVERIFY(seams_->prompts.verifyDone());
        if (title.isEmpty()) {
            QCOMPARE(seams_->prompts.folderPrompts().value(0), prompt);
            return;
        }
        const QList<QStringList>& asked = seams_->prompts.inputs();
        const auto found = std::find_if(asked.rbegin(), asked.rend(),
                                        [&](const QStringList& input) { return input.value(0) == title; });
        QVERIFY2(found != asked.rend(), qPrintable(QStringLiteral("no prompt titled \"%1\"").arg(title)));
        QCOMPARE(found->value(1), prompt);
        QCOMPARE(found->value(2), offered);
    }
};

TALLYO_TEST(AllMessagesTest)
#include "allmessages_test.moc"
