// The account index with several accounts (one protected, one overdrawn),
// its notes being edited, and the protection questions it asks.
#include "shots.h"

#include "recordingshell.h"
#include "testenv.h"

#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "index/frmAccountIndex.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/frmMsgBox.h"
#include "shell/navigation.h"
#include "store/datafiles.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <memory>

namespace tallyo::shots {

namespace {

const QString crlf = QStringLiteral("\r\n");

void addAccount(FixedClock& clock, const QString& name, qint64 balance, const QString& query = {})
{
    const qint32 record = AppendAccount(name, NewAccountNotes());
    clock.advanceSeconds(1);
    OpenAccountIndex();
    AccountRecord account = ReadAccountRecord(record);
    if (!query.isEmpty()) {
        account.AccessQuery = query;
        account.AccessAnswer = QStringLiteral("answer");
        WriteAccountRecord(record, account);
    }
    CloseAccountIndex();
    if (balance == 0)
        return;
    TransactionRecord start;
    start.AccountKey = account.AccountKey;
    start.TransactionDate = 1;
    start.TransactionType = QString(TypeStart);
    start.Amount = balance;
    OpenTransactions();
    WriteTransactionRecord(TransactionCount() + 1, start);
    CloseTransactions();
}

int shootMessage(const QDir& out, const QString& name, const QString& title, int iconKind,
                 const QString& text, bool showOption, const QStringList& captions)
{
    return messageShot(out, name, {title, iconKind, text, 1, showOption, captions});
}

}

int accountIndexShots(const QDir& target)
{
    // The data folder becomes the working folder: keep the output where it was.
    const QDir out(target.absolutePath());
    test::TempDataFolder folder;
    StoredSettings settings(folder.filePath(QStringLiteral("settings.ini")));
    test::RecordingShell desktop;
    EventPace pace(0);
    FixedClock clock(QDateTime(QDate(2026, 3, 1), QTime(9, 0, 0)));
    const Platform previous = platform();
    platform().settings = &settings;
    platform().shell = &desktop;
    platform().pace = &pace;
    platform().clock = &clock;
    const Navigation previousWays = navigation();
    navigation().openRegister = [] {};
    navigation().openProgramOptions = [](QWidget*) {};
    ResetCurrentAccount();
    LoadDisplayValues();

    addAccount(clock, QStringLiteral("Household Checking"), 23456700);
    addAccount(clock, QStringLiteral("Savings"), 1250000000, QStringLiteral("First pet?"));
    addAccount(clock, QStringLiteral("Visa Card"), -12345000);
    addAccount(clock, QStringLiteral("Fish & Chips Fund"), 425000);
    addAccount(clock, QStringLiteral("Holiday"), 0);

    int written = 0;
    ShowAccountIndexWindow();
    frmAccountIndex* window = AccountIndexWindow();
    if (!QTest::qWaitForWindowActive(window))
        return 0;
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    window->gridAccountIndex->selectRow(0);
    QApplication::processEvents();
    written += save(*window, out, QStringLiteral("index"));

    window->EditNotes();
    QPlainTextEdit* notes = window->txtAccountInfo;
    notes->setPlainText(QStringLiteral("Name of financial institution:\nFirst Harbour Savings Bank\n\n"
                                       "Type of Account: (Checking, Credit Card, Saving, etc.)\nSaving\n\n"
                                       "Routing Number: 021000021\nAccount Number: 4471 0092 18\n\n"
                                       "Other information:\nInterest paid monthly."));
    notes->moveCursor(QTextCursor::End);
    QApplication::processEvents();
    written += save(*window, out, QStringLiteral("index-notes-editing"));
    window->StopEditingNotes();
    window->closeByProgram();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const QString lead = QStringLiteral("The highlighted account is currently ");
    written += shootMessage(out, QStringLiteral("index-protect-offer"), QStringLiteral("Protect your account"), 5,
                            lead + QStringLiteral("not protected from unauthorized access."), false,
                            {QStringLiteral("&Establish access protection"),
                             QStringLiteral("&Cancel, don't do anything")});
    written += shootMessage(out, QStringLiteral("index-protect-options"), QStringLiteral("Account Options"), 3,
                            lead + QStringLiteral("protected from unauthorized access."), false,
                            {QStringLiteral("&Change the query/answer"), QStringLiteral("Remove &access protection"),
                             QStringLiteral("&Cancel, don't do anything")});
    written += shootMessage(out, QStringLiteral("index-protect-reminder"), QStringLiteral("Protection Options"), 5,
                            QStringLiteral("Remember, you can protect access to") + crlf
                                + QStringLiteral("this account at any later time by clicking the") + crlf
                                + QStringLiteral("'key' button to the left of the list of accounts."),
                            true, {QStringLiteral("&Okay")});
    written += shootMessage(out, QStringLiteral("index-protect-enabled"), QStringLiteral("Protected access enabled"), 4,
                            QStringLiteral("Congratulations!") + crlf + crlf + QStringLiteral("Access to this account")
                                + crlf + QStringLiteral("is now protected."),
                            false, {QStringLiteral("&Okay")});

    navigation() = previousWays;
    platform() = previous;
    return written;
}

}
