// The entry window adding (both ways of typing the amount) and modifying,
// the list editor empty and filled, and the questions the operations ask.
#include "shots.h"

#include "testenv.h"

#include "controls/MonthsCalendar.h"
#include "entry/entrystate.h"
#include "entry/frmEditList.h"
#include "entry/frmNewEntry.h"
#include "entry/listtext.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/frmMsgBox.h"
#include "store/datafiles.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>

namespace tallyo::shots {

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString Key = QStringLiteral("20260301090000");

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

int shootEntry(const QDir& out, const QString& name, bool modifying, int method,
               const std::function<void(frmNewEntry&)>& fill)
{
    SetSettingNumber(SettingKey::AmountEntryMethod, method);
    EntryFlags& flags = entryFlags();
    flags = EntryFlags();
    flags.AddingEntry = !modifying;
    flags.ModifyingEntry = modifying;
    flags.PrefillFromSelection = modifying;
    flags.SelectedRecord = 1;
    frmNewEntry window;
    window.LoadEntry();
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        return 0;
    settle();
    window.calendar->hidePopup();
    for (int n : {2, 3, 5})
        window.combo[n]->hidePopup();
    // The drop-downs took the activation with them; focus cues need it back.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return 0;
    settle();
    fill(window);
    settle();
    return save(window, out, name);
}

int shootList(const QDir& out, const QString& name, int kind, const QString& typed)
{
    frmEditList window(kind, ListDisplayName(kind));
    window.LoadList();
    window.show();
    if (!QTest::qWaitForWindowActive(&window))
        return 0;
    settle();
    if (!typed.isEmpty()) {
        window.txtBox->setPlainText(typed);
        window.txtBox->moveCursor(QTextCursor::End);
    }
    settle();
    return save(window, out, name);
}

int shootMessage(const QDir& out, const QString& name, const QString& title, int iconKind, const QString& text,
                 int defaultButton, const QStringList& captions)
{
    return messageShot(out, name, {title, iconKind, text, defaultButton, false, captions});
}

}

int entryShots(const QDir& target)
{
    const QDir out(target.absolutePath());
    test::TempDataFolder folder;
    StoredSettings settings(folder.filePath(QStringLiteral("settings.ini")));
    EventPace pace(0);
    FixedClock clock(QDateTime(QDate(2026, 3, 14), QTime(10, 30, 0)));
    const Platform previous = platform();
    platform().settings = &settings;
    platform().pace = &pace;
    platform().clock = &clock;
    LoadDisplayValues();
    currentAccount().CurrentAccountKey = Key;

    TransactionRecord check;
    check.AccountKey = Key;
    check.TransactionDate = 46090.4;
    check.TransactionType = QStringLiteral("1042        ");
    check.Payee = QStringLiteral("Harbour Electric Co.");
    check.Amount = -1234560;
    check.Comment = QStringLiteral("Account 55-0192, February");
    check.Notes = QStringLiteral("Paid late: the bill came to the old address.\r\nAsk them to update it.");
    OpenTransactions();
    WriteTransactionRecord(1, check);
    CloseTransactions();

    int written = 0;
    written += shootList(out, QStringLiteral("editlist-empty"), PayeeListKind, QString());
    written += shootList(out, QStringLiteral("editlist-filled"), PayeeListKind,
                         QStringLiteral("Harbour Electric Co.\nCity Water Dept.\nGreen Valley Grocers\n"
                                        "Dr. M. Okafor\nFirst Harbour Savings Bank\n"));
    StoreList(1, PayeeListKind,
              QStringLiteral("Harbour Electric Co.\r\nCity Water Dept.\r\nGreen Valley Grocers\r\n"));

    written += shootEntry(out, QStringLiteral("entry-add"), false, 0, [](frmNewEntry& w) {
        w.combo[2]->lineEdit()->setText(QStringLiteral("1043"));
        w.combo[3]->lineEdit()->setText(QStringLiteral("Green Valley Grocers"));
        w.txtAmount->setText(QStringLiteral("86.25"));
        w.combo[3]->setFocus();
    });
    written += shootEntry(out, QStringLiteral("entry-add-right-to-left"), false, 1, [](frmNewEntry& w) {
        w.combo[2]->setCurrentIndex(1);
        w.combo[3]->lineEdit()->setText(QStringLiteral("Payroll"));
        w.txtAmount->setFocus();
        for (char key : {'2', '4', '5', '0', '0', '0'})
            QTest::keyClick(w.txtAmount, key);
    });
    written += shootEntry(out, QStringLiteral("entry-modify"), true, 0, [](frmNewEntry& w) { w.txtNotes->setFocus(); });

    written += shootMessage(out, QStringLiteral("operation-void"), QStringLiteral("Void Transaction"), 3,
                            QStringLiteral("Are you sure you want") + crlf + QStringLiteral("to VOID this transaction?")
                                + crlf + crlf + QStringLiteral("(This action can not be reversed)"),
                            2,
                            {QStringLiteral("&Yes, void this transaction"),
                             QStringLiteral("&No, return to the Account Register")});
    written += shootMessage(out, QStringLiteral("operation-delete"), QStringLiteral("Confirm"), 3,
                            QStringLiteral("Are you sure you want to delete this transaction?"), 2,
                            {QStringLiteral("&Yes, remove this transaction"), QStringLiteral("&No, never mind")});
    written += shootMessage(out, QStringLiteral("operation-notes"), QStringLiteral("Transaction Notes"), 5,
                            check.Notes, 2,
                            {QStringLiteral("&Edit these notes"), QStringLiteral("&Return to the Account Register")});

    platform() = previous;
    return written;
}

}
