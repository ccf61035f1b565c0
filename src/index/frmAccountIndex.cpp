#include "frmAccountIndex.h"

#include "AccountListModel.h"
#include "IndexWindowLook.h"
#include "accessprotection.h"
#include "accountmaintenance.h"
#include "currentaccount.h"
#include "indexcaptions.h"
#include "notesediting.h"

#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "shell/quit.h"
#include "store/fields.h"
#include "store/fileerror.h"
#include "store/records.h"
#include "util/WindowHelpers.h"
#include "util/productinfo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace tallyo {

using namespace indexwindow;

namespace {

QPointer<frmAccountIndex> theWindow;

const QString crlf = QStringLiteral("\r\n");

}

void ShowAccountIndexWindow()
{
    if (!theWindow)
        theWindow = new frmAccountIndex;
    theWindow->show();
    theWindow->activateWindow();
}

frmAccountIndex* AccountIndexWindow()
{
    return theWindow.data();
}

frmAccountIndex::frmAccountIndex(QWidget* parent)
    : QWidget(parent), twips_(ScreenTwips())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAccountIndex"));
    Form_Load();
    qApp->installEventFilter(this);
    OnFirstActivation(*this, [this] { Form_Activate(); });
}

frmAccountIndex::~frmAccountIndex()
{
    qApp->removeEventFilter(this);
}

// --- the list -------------------------------------------------------------

void frmAccountIndex::setAccountButtons(bool anyAccount)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             cmdProtectAccount, cmdRenameAccount, cmdDeleteAccount, cmdSeeAccount, cmdEditNotes,
             cmdSaveNotes, cmdNoSaveNotes, shape[0], shape[1], txtAccountInfo})
        control->setVisible(anyAccount);
    // Hidden buttons are disabled too, so that their keys cannot act on an
    // account that does not exist.
    for (ZevButton* button : {cmdProtectAccount, cmdRenameAccount, cmdDeleteAccount, cmdEditNotes})
        button->setEnabled(anyAccount);
    cmdSeeAccount->setEnabled(anyAccount && bool(navigation().openRegister));
    cmdAddAccount->setEnabled(true);
    cmdProgramOptions->setEnabled(bool(navigation().openProgramOptions));
    cmdSaveNotes->setEnabled(false);
    cmdNoSaveNotes->setEnabled(false);
    if (!anyAccount)
        lblSpaceFull->hide();
}

void frmAccountIndex::RebuildAccountList()
{
    rebuilding_ = true;
    gridAccountIndex->hide();
    gridAccountIndex->setUpdatesEnabled(false);
    txtAccountInfo->hide();
    txtAccountInfo->clear();
    stopPulse();
    setNotesLook(*txtAccountInfo, false);

    std::vector<AccountListEntry> entries;
    const bool read = runDataAction([&] { entries = ReadAccountList(); });
    const qint32 highlightRecord = std::exchange(highlightRecordOnRebuild_, 0);

    cmdSeeAccount->setTag(OpenAccountTag);
    cmdSeeAccount->setCaption(OpenAccountTag);
    cmdNoSaveNotes->setTag(StopEditingTip);
    cmdNoSaveNotes->setToolTip(StopEditingTip);
    model->setEntries(std::move(entries));
    const int count = model->rowCount();
    fitBalanceColumn();
    setAccountButtons(count > 0);
    cmdSeeAccount->setDefault(true);
    cmdQuit->setCancel(true);
    gridAccountIndex->setEnabled(true);
    gridAccountIndex->setUpdatesEnabled(true);
    rebuilding_ = false;

    CurrentAccount& current = currentAccount();
    if (count == 0) {
        current.CurrentAccountKey.clear();
        current.CurrentAccountRecord = 0;
        current.SelectedAccessQuery.clear();
        // A list that could not be read is not an empty one: the error has
        // been shown, and there is nothing to offer.
        if (read
            && prompts().ask(QStringLiteral("No accounts on file"), IconQuestion,
                             QStringLiteral("There are currently no financial accounts on file.") + crlf + crlf
                                 + QStringLiteral("Would you like to add an account to the index now?"),
                             1, {QStringLiteral("&Yes, please"), QStringLiteral("&No, not right now")})
                == 1)
            cmdAddAccount_Click();
        return;
    }

    if (highlightRecord > 0 && model->rowOfRecord(highlightRecord) >= 0)
        current.SelectedRow = model->rowOfRecord(highlightRecord) + 1;
    current.SelectedRow = std::clamp(current.SelectedRow, 1, count);
    rebuilding_ = true;
    highlightRow(current.SelectedRow - 1);
    gridAccountIndex->show();
    rebuilding_ = false;
    pace().letEventsRun();
    gridAccountIndex->setFocus();
    SelectAccount();
}

void frmAccountIndex::fitBalanceColumn()
{
    // The balance column keeps its width unless a balance needs more: a
    // balance is never shown cut short.
    const QFontMetrics metrics(gridAccountIndex->font());
    int widest = 0;
    for (const AccountListEntry& entry : model->entries())
        widest = std::max(widest, metrics.horizontalAdvance(AccountListModel::balanceText(entry)));
    const int padding = 2 * gridAccountIndex->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    gridAccountIndex->setColumnWidth(AccountListModel::BalanceColumn,
                                     std::max(twips_.toPixels(BalanceColumnWidth), widest + padding));
}

void frmAccountIndex::highlightRow(int row)
{
    const QModelIndex index = model->index(row, AccountListModel::NameColumn);
    gridAccountIndex->setCurrentIndex(index);
    gridAccountIndex->selectRow(row);
    gridAccountIndex->scrollTo(index, QAbstractItemView::PositionAtTop);
}

void frmAccountIndex::gridAccountIndex_RowChanged()
{
    if (rebuilding_ || !gridAccountIndex->currentIndex().isValid())
        return;
    currentAccount().SelectedRow = gridAccountIndex->currentIndex().row() + 1;
    SelectAccount();
}

bool frmAccountIndex::hasAccount() const
{
    return gridAccountIndex->currentIndex().isValid() && currentAccount().CurrentAccountRecord > 0;
}

void frmAccountIndex::SelectAccount()
{
    const QModelIndex current = gridAccountIndex->currentIndex();
    if (!current.isValid())
        return;
    const AccountListEntry& entry = model->entries()[size_t(current.row())];
    CurrentAccount& account = currentAccount();
    account.CurrentAccountRecord = entry.record;
    account.CurrentAccountKey = entry.key;
    // Until the record has been read, the list's flag stands for the query,
    // so that a record that cannot be read is never treated as unprotected.
    account.SelectedAccessQuery = entry.isProtected ? QStringLiteral("?") : QString();
    cmdSeeAccount->setCaption(OpenAccountCaption(cmdSeeAccount->tag(), entry.name));
    // The notes shown are always this account's: when its record cannot be
    // read, those of the account highlighted before must not stay in view
    // (saving them would store them here).
    const bool read = runDataAction([&] {
        const AccountRecord record = ReadAccountAt(entry.record);
        cmdSeeAccount->setCaption(OpenAccountCaption(cmdSeeAccount->tag(), TrimSpaces(record.AccountName)));
        txtAccountInfo->setPlainText(NotesForDisplay(TrimSpaces(record.AccountNotes)));
        account.CurrentAccountKey = record.AccountKey;
        account.SelectedAccessQuery = TrimSpaces(record.AccessQuery);
    });
    if (!read)
        txtAccountInfo->clear();
}
void frmAccountIndex::gridAccountIndex_RightRelease(QPoint position)
{
    const QModelIndex index = gridAccountIndex->indexAt(position);
    if (!index.isValid() || !gridAccountIndex->isEnabled())
        return;
    if (index.row() != gridAccountIndex->currentIndex().row())
        gridAccountIndex->setCurrentIndex(model->index(index.row(), AccountListModel::NameColumn));
    pace().letEventsRun();
    menuProtection->setText(currentAccount().SelectedAccessQuery.isEmpty()
                                ? QStringLiteral("Add access protection")
                                : QStringLiteral("Change/remove access protection"));
    menuGrid->popup(gridAccountIndex->viewport()->mapToGlobal(position));
}

// --- buttons ----------------------------------------------------------------

void frmAccountIndex::cmdSeeAccount_Click()
{
    if (!hasAccount() || !navigation().openRegister)
        return;
    bool granted = false;
    runDataAction([&] { granted = accessGranted(); });
    if (!granted)
        return;
    // The current account is published by SelectAccount; the register reads it.
    const std::function<void()> openRegister = navigation().openRegister;
    closeByProgram();
    openRegister();
}

void frmAccountIndex::cmdAddAccount_Click()
{
    const QString typed = prompts().inputText(
        QStringLiteral("New Account name"),
        QStringLiteral("Type an 'Account Name' you wish to use") + crlf
            + QStringLiteral("to use to describe the account you're adding..."),
        QString());
    if (TrimSpaces(typed).isEmpty())
        return;
    qint32 record = 0;
    if (!runDataAction([&] { record = AppendAccount(typed, NewAccountNotes()); }))
        return;
    highlightRecordOnRebuild_ = record;
    RebuildAccountList();

    offerProtectionForNewAccount(record);
    if (OfferNotesForNewAccount())
        EditNotes();
}

void frmAccountIndex::cmdRenameAccount_Click()
{
    if (!hasAccount())
        return;
    const qint32 record = currentAccount().CurrentAccountRecord;
    bool renamed = false;
    runDataAction([&] {
        if (!accessGranted())
            return;
        const QString oldName = model->entries()[size_t(gridAccountIndex->currentIndex().row())].name;
        const QString newName = prompts()
                                    .inputText(QStringLiteral("Rename account"),
                                               QStringLiteral("Enter a new name for this account"), oldName)
                                    .trimmed();
        if (newName.isEmpty() || newName == oldName)
            return;
        StoreAccountName(record, newName);
        renamed = true;
    });
    if (renamed) {
        // The renamed account stays highlighted wherever its new name sorts.
        highlightRecordOnRebuild_ = record;
        RebuildAccountList();
    }
}

void frmAccountIndex::cmdDeleteAccount_Click()
{
    if (!hasAccount())
        return;
    bool started = false;
    runDataAction([&] {
        if (!accessGranted())
            return;
        const QString key = currentAccount().CurrentAccountKey;
        const QString name = model->entries()[size_t(gridAccountIndex->currentIndex().row())].name;
        if (!ConfirmAccountDeletion(name, CountAccountTransactions(key)))
            return;
        started = true;
        DeleteAccountRecords(key);
        CurrentAccount& account = currentAccount();
        account.SelectedRow = std::max(1, account.SelectedRow - 1);
    });
    // Shown again even after a failure, which may have changed some files.
    if (started)
        RebuildAccountList();
}

void frmAccountIndex::cmdProgramOptions_Click()
{
    if (!navigation().openProgramOptions)
        return;
    const QPointer<frmAccountIndex> alive(this);
    cmdProgramOptions->setTag(QString());
    navigation().openProgramOptions(this);
    if (!alive)
        return;
    if (cmdProgramOptions->tag() == QStringLiteral("Restored")) {
        currentAccount().SelectedRow = 1;
        RebuildAccountList();
        cmdProgramOptions->setTag(QString());
    }
}

void frmAccountIndex::cmdHelp_Click()
{
    OpenManual();
}

void frmAccountIndex::cmdAbout_Click()
{
    prompts().ask(QStringLiteral("About ") + ApplicationTitle, IconInformation, AboutText(), 1,
                  {QStringLiteral("&Okay")});
}

void frmAccountIndex::cmdQuit_Click()
{
    const QPointer<frmAccountIndex> alive(this);
    bool leave = true;
    if (navigation().quitProgram) {
        quitting_ = true;
        leave = navigation().quitProgram();
        if (!alive)
            return;
        quitting_ = false;
    }
    if (leave)
        closeByProgram();
}

void frmAccountIndex::closeByProgram()
{
    closingByProgram_ = true;
    close();
}

void frmAccountIndex::closeEvent(QCloseEvent* event)
{
    if (closingByProgram_ || quitting_ || ProgramEnding() || qGuiApp->isSavingSession()) {
        stopPulse();
        event->accept();
        return;
    }
    // A close from the title bar asks as Quit does.
    event->ignore();
    QTimer::singleShot(0, this, [this] { cmdQuit_Click(); });
}

// --- keys, mouse and errors ---------------------------------------------------

bool frmAccountIndex::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // The window sees keys before its controls do.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // The window's keys act only unmodified; Shift+Insert and the
            // like go on to the control as usual.
            if (IsPlainKey(*key) && Form_KeyDown(key->key()))
                return true;
        }
        break;
    case QEvent::FocusIn:
        if (watched == txtAccountInfo)
            QTimer::singleShot(0, this, [this] { txtAccountInfo_GotFocus(); });
        break;
    case QEvent::MouseButtonRelease:
        if (watched == gridAccountIndex->viewport()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton)
                gridAccountIndex_RightRelease(mouse->position().toPoint());
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool frmAccountIndex::Form_KeyDown(int key)
{
    // A key presses its button only while that button is enabled.
    auto press = [](ZevButton* button) {
        if (!button->isEnabled())
            return false;
        button->click();
        return true;
    };
    switch (key) {
    case Qt::Key_Insert: return press(cmdAddAccount);
    case Qt::Key_F1: cmdHelp_Click(); return true;
    case Qt::Key_F2: cmdAbout_Click(); return true;
    case Qt::Key_F3: return press(cmdProgramOptions);
    case Qt::Key_F4: return press(cmdProtectAccount);
    case Qt::Key_F5: return press(cmdRenameAccount);
    case Qt::Key_F6: return press(cmdEditNotes);
    case Qt::Key_F7: return press(cmdSaveNotes);
    case Qt::Key_F8: return press(cmdNoSaveNotes);
    case Qt::Key_F9: return press(cmdSeeAccount);
    case Qt::Key_F12: return press(cmdDeleteAccount);
    default: return false;
    }
}

bool frmAccountIndex::runDataAction(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const FileError& error) {
        ShowFileError(error);
        return false;
    }
}


}
