// The register of a sample account in its normal, reconcile and search
// views, its three menus, the six-month calendar and the new-account
// question.
#include "shots.h"

#include "recordingshell.h"
#include "testenv.h"

#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "controls/MonthsCalendar.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "shell/frmMsgBox.h"
#include "shell/navigation.h"
#include "store/datafiles.h"
#include "util/dates.h"

#include <QApplication>
#include <QFrame>
#include <QMenu>
#include <QPointer>
#include <QTest>

namespace tallyo::shots {

namespace {

struct Sample {
    int day;  // days after 2026-01-02
    const char* type;
    const char* payee;
    double amount;
    bool cleared;
    const char* comment;
};

const Sample samples[] = {
    {0, "Deposit", "Salary - Harbour Logistics", 2850.00, true, "January pay"},
    {1, "1001", "City Power & Light", -84.12, true, ""},
    {3, "ATM Cash", "Cash", -60.00, true, ""},
    {5, "1002", "Greenway Grocers", -132.47, true, "Weekly shop"},
    {8, "AutoPayment", "Northside Mortgage", -1210.00, true, "February"},
    {12, "1003", "Dr. Alvarez", -45.00, false, "Check-up"},
    {14, "Service Fee", "First Harbour Bank", -6.50, true, ""},
    {15, "1004", "Greenway Grocers", -98.31, false, ""},
    {16, "VOID", "Corner Garage", 0, false, "Wrong amount"},
    {18, "1005", "Corner Garage", -245.80, false, "Brakes"},
    {22, "AutoDeposit", "Tax refund", 412.00, false, ""},
    {25, "Other Debit", "Online transfer to savings", -500.00, false, ""},
    {29, "Deposit", "Salary - Harbour Logistics", 2850.00, false, "February pay"},
    {30, "1006", "Greenway Grocers", -141.09, false, ""},
    {31, "Other Credit", "Refund - Bookshop", 23.99, false, ""},
};

void writeSample(const QString& key)
{
    const double first = StoredFromDate(QDate(2026, 1, 2));
    OpenTransactions();
    TransactionRecord start;
    start.AccountKey = key;
    start.TransactionDate = 1.0;
    start.Cleared = true;
    start.TransactionType = QString(TypeStart);
    start.Payee = QStringLiteral("Beginning Balance");
    start.Amount = 12500000;
    WriteTransactionRecord(TransactionCount() + 1, start);
    for (const Sample& sample : samples) {
        TransactionRecord record;
        record.AccountKey = key;
        record.TransactionDate = first + sample.day + 0.5;
        record.TransactionType = QString::fromLatin1(sample.type);
        record.Payee = QString::fromLatin1(sample.payee);
        record.Amount = qint64(sample.amount * 10000 + (sample.amount < 0 ? -0.5 : 0.5));
        record.Cleared = sample.cleared;
        record.Comment = QString::fromLatin1(sample.comment);
        WriteTransactionRecord(TransactionCount() + 1, record);
    }
    CloseTransactions();
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

int shootMenu(QMenu* menu, const QDir& out, const QString& name)
{
    menu->popup(QPoint(40, 40));
    settle();
    const int written = menu->grab().save(out.filePath(name + ".png")) ? 1 : 0;
    menu->hide();
    return written;
}

}

frmAccount* OpenRegisterSample()
{
    const qint32 record = AppendAccount(QStringLiteral("Household Checking"), NewAccountNotes());
    OpenAccountIndex();
    const QString key = ReadAccountRecord(record).AccountKey;
    CloseAccountIndex();
    currentAccount().CurrentAccountKey = key;
    currentAccount().CurrentAccountRecord = record;
    writeSample(key);

    OpenRegisterWindow();
    frmAccount* window = RegisterWindow();
    if (!window || !QTest::qWaitForWindowActive(window))
        return nullptr;
    settle();
    window->resize(window->width(), window->minimumHeight());
    settle();
    return window;
}

int registerShots(const QDir& target)
{
    const QDir out(target.absolutePath());
    test::TempDataFolder folder;
    StoredSettings settings(folder.filePath(QStringLiteral("settings.ini")));
    test::RecordingShell desktop;
    EventPace pace(0);
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)));
    const Platform previous = platform();
    platform().settings = &settings;
    platform().shell = &desktop;
    platform().pace = &pace;
    platform().clock = &clock;
    const Navigation previousWays = navigation();
    navigation() = Navigation();
    ResetCurrentAccount();
    ResetRegisterState();
    LoadDisplayValues();
    // Every later piece present, so that the buttons show as they will.
    RegisterActions& actions = registerActions();
    const RegisterActions previousActions = actions;
    const auto nothing = [](frmAccount&) {};
    actions = {nothing, nothing, nothing, nothing, nothing, nothing, nothing, nothing, nothing,
               [](frmAccount&, const ListSummary&) {}, [](frmAccount&, double, double) {},
               [](frmAccount&, int) {}, [](frmAccount&, int, const QString&) {}, [](frmAccount&, int) {}, nothing};

    int written = 0;
    QPointer<frmAccount> window = OpenRegisterSample();
    if (window) {
        written += save(*window, out, QStringLiteral("register"));

        window->ReconcileList();
        settle();
        written += save(*window, out, QStringLiteral("register-reconcile"));

        // A search for the grocer, as the search will leave it.
        RegisterState& state = registerState();
        window->LoadRegister();
        std::vector<qint32> matches;
        for (qint32 i = 0; i < state.Rows.size(); ++i) {
            if (state.Rows.payee(i).contains(QStringLiteral("Greenway")))
                matches.push_back(state.Rows[i].record);
        }
        state.DisplayedList = matches;
        state.DisplayedCount = qint32(matches.size());
        state.RegisterView = SearchView;
        state.SearchText = QStringLiteral("Greenway");
        state.ListRow = 1;
        window->ShowList();
        settle();
        written += save(*window, out, QStringLiteral("register-search"));

        window->LoadRegister();
        settle();
        window->prepareOtherOptionsMenu();
        written += shootMenu(window->menuOtherOptions, out, QStringLiteral("register-menu-options"));
        window->prepareGraphMenu();
        written += shootMenu(window->menuGraph, out, QStringLiteral("register-menu-graph"));
        written += shootMenu(window->menuPrint, out, QStringLiteral("register-menu-print"));

        window->BrowsingCalendar->setDate(QDate(2026, 12, 7));
        window->BrowsingCalendar->showPopup();
        settle();
        written += window->BrowsingCalendar->popup()->grab().save(out.filePath("register-calendar.png")) ? 1 : 0;
        window->BrowsingCalendar->hidePopup();
        window->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    MessageDialogState& message = messageDialog();
    message.reset();
    message.MessageTitle = QStringLiteral("New Account");
    message.MessageIconKind = 3;
    message.MessageText = QStringLiteral("This is a new account--\r\n\r\nAre you ready to enter to establish\r\n"
                                         "a beginning balance for this account?");
    message.MessageCaptions = {QStringLiteral("&Yes, continue"), QStringLiteral("&No, not right now")};
    QPointer<frmMsgBox> box = new frmMsgBox;
    written += save(*box, out, QStringLiteral("register-new-account"));
    box->close();
    delete box;

    actions = previousActions;
    navigation() = previousWays;
    platform() = previous;
    return written;
}

}
