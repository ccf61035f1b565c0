#include "frmAccount.h"

#include "GridMenu.h"
#include "RegisterModel.h"
#include "controls/MonthsCalendar.h"
#include "registeractions.h"
#include "registercontrols.h"
#include "registergrid.h"
#include "registerstate.h"
#include "RegisterLook.h"

#include "controls/ButtonPictures.h"
#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "shell/quit.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"
#include "util/dates.h"
#include "util/formats.h"
#include "util/productinfo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace tallyo {

using namespace registerlook;

namespace {

QPointer<frmAccount> theWindow;

const QString crlf = QStringLiteral("\r\n");

}

void OpenRegisterWindow()
{
    if (!theWindow)
        theWindow = new frmAccount;
    theWindow->show();
    theWindow->activateWindow();
}

frmAccount* RegisterWindow()
{
    return theWindow.data();
}

frmAccount::frmAccount(QWidget* parent)
    : QWidget(parent), twips_(ScreenTwips())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAccount"));
    // The register's state lives as long as its window: rows remembered for
    // another account's list must not pick the row highlighted in this one.
    ResetRegisterState();
    Form_Load();
    qApp->installEventFilter(this);
    OnFirstActivation(*this, [this] { Form_Activate(); });
}

frmAccount::~frmAccount()
{
    qApp->removeEventFilter(this);
}

// --- loading ------------------------------------------------------------------

void frmAccount::SetHints()
{
    cmdModifyTransaction->setToolTip(QStringLiteral(" Edit the highlighted transaction... "));
    cmdDeleteTransaction->setToolTip(QStringLiteral(" Delete the highlighted transaction... "));
    cmdClearTransaction->setToolTip(QStringLiteral(" Clear/unclear the highlighted transaction "));
    cmdVoidTransaction->setToolTip(QStringLiteral(" Void the highlighted transaction "));
    cmdSeeNotes->setToolTip(QStringLiteral(" See the notes associated with the highlighted transaction "));
    cmdPrintCheck->setToolTip(QStringLiteral(" Print a check for the highlighted transaction... "));
    cmdReconcileAccount->setToolTip(QStringLiteral(" Reconcile this account <F2>"));
    cmdFind->setToolTip(QStringLiteral(" Search the account... "));
    cmdTextSummary->setToolTip(QStringLiteral(" Generate a text summary of this list of transactions <F3> "));
    cmdPrintAccount->setToolTip(QStringLiteral(" Print this display of transactions... "));
    cmdGraph->setToolTip(QStringLiteral(" Graph this display of transactions... "));
    cmdOtherOptions->setToolTip(QStringLiteral(" Manage payee and comments lists... "));
    cmdCalculator->setToolTip(QStringLiteral(" Calculator "));
    cmdCalendar->setToolTip(QStringLiteral(" Browse a 6-month calendar "));
    cmdHelp->setToolTip(SharedDisplayValues().ManualHint);
    cmdReturnToAccountIndex->setToolTip(QStringLiteral(" Return to the Account Index <Esc> "));
}

void frmAccount::Form_Activate()
{
    layoutBottom();
    sizeColumns();
    runDataAction([this] {
        accountName_ = ReadAccountAt(currentAccount().CurrentAccountRecord).AccountName;
    });
    LoadRegister();
}

void frmAccount::closeEvent(QCloseEvent* event)
{
    if (theWindow == this)
        SetSettingNumber(SettingKey::FormHeight, twips_.toTwips(height()));
    timerShowDate->stop();
    stopPulse();
    BrowsingCalendar->hidePopup();
    event->accept();
    theWindow = nullptr;
    if (!ProgramEnding() && navigation().showAccountIndex)
        navigation().showAccountIndex();
}

// --- the list ------------------------------------------------------------------

AssemblyHooks frmAccount::assemblyHooks()
{
    AssemblyHooks hooks;
    hooks.showStatus = [this](const QString& text) {
        lblWait->setText(text);
        lblWait->setVisible(!text.isEmpty());
        lblWait->raise();
        lblWait->repaint();
    };
    model->connectHooks(hooks);
    for (ZevButton* marked : {cmdAddTransaction, cmdModifyTransaction}) {
        if (!marked->tag().isEmpty())
            hooks.saveMarkers.append(marked->tag());
    }
    return hooks;
}

void frmAccount::setBusyLook(bool busy)
{
    if (busy) {
        assembling_ = true;
        grid->hide();
        pace().letEventsRun();
        SetBusy(*this, true);
        return;
    }
    SetBusy(*this, false);
    lblAccountName->show();
    for (QWidget* frame : {frameAccountOptions, frameBottom, frameFormOptions, frameTransactionOptions})
        frame->show();
    grid->setEnabled(true);
    assembling_ = false;
}

void frmAccount::LoadRegister()
{
    for (QWidget* hidden : {frameAccountOptions, frameBottom, frameFormOptions, frameTransactionOptions,
                            static_cast<QWidget*>(lblAccountName)})
        hidden->hide();
    setBusyLook(true);
    std::optional<ShownList> shown;
    const bool read = runDataAction([&] { shown = tallyo::LoadRegister(assemblyHooks()); });
    setBusyLook(false);
    if (shown) {
        shapeDateTime->show();
        timerShowDate->start();
        timerShowDate_Timer();
        showShownList(*shown);
    } else if (read) {
        NewAccountDialogue();
    } else {
        // The list could not be read: what is left stays usable.
        grid->show();
        UpdateControls();
    }
}

void frmAccount::ShowList()
{
    setBusyLook(true);
    std::optional<ShownList> shown;
    runDataAction([&] { shown = tallyo::ShowList(assemblyHooks()); });
    setBusyLook(false);
    if (shown) {
        showShownList(*shown);
    } else {
        grid->show();
        UpdateControls();
    }
}

void frmAccount::ReconcileList()
{
    const bool wasReconciling = registerState().RegisterView == ReconcileView;
    const qint32 row = currentRow();
    setBusyLook(true);
    std::optional<ShownList> shown;
    runDataAction([&] { shown = tallyo::ReconcileList(row, assemblyHooks()); });
    setBusyLook(false);
    if (shown) {
        showShownList(*shown);
    } else if (wasReconciling) {
        // The last uncleared transaction is gone: back to the whole account.
        cmdFinished_Click();
    } else {
        grid->show();
        grid->setFocus();
    }
}

void frmAccount::showShownList(const ShownList& shown)
{
    highlighted_ = shown.highlighted;
    const RegisterCaptions captions = CaptionsOf(registerState());
    lblTotalCredit->setText(captions.totalCredit);
    lblTotalDebit->setText(captions.totalDebit);
    lblBalance->setVisible(captions.balanceVisible);
    lblCurrentBalance->setVisible(captions.balanceVisible);
    lblBalance->setText(captions.balanceCaption);
    lblCurrentBalance->setText(captions.balanceText);
    setTextColour(lblCurrentBalance, colour(captions.balanceColour));
    grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; color: %2; border: 1px solid %3; "
                       "padding: 1px; font-weight: normal; }")
            .arg(colour(captions.headerColour).name(), colour(GridColour::HeaderText).name(),
                 colour(GridColour::HeaderLines).name()));
    grid->show();
    highlightRow(shown.row);
    UpdateControls();
    updateClearHint();
}

void frmAccount::highlightRow(qint32 row)
{
    if (row < 1 || row > model->rowCount())
        return;
    assembling_ = true;
    const QModelIndex index = model->index(row - 1, DateColumn);
    grid->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid->scrollTo(index, QAbstractItemView::PositionAtTop);
    assembling_ = false;
}

qint32 frmAccount::currentRow() const
{
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

qint32 frmAccount::currentRecordNumber() const
{
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid())
        return 0;
    return model->index(current.row(), RecordColumn).data().toInt();
}

void frmAccount::UpdateControls()
{
    const RegisterState& state = registerState();
    const RegisterActions& actions = registerActions();
    const RegisterControlStates states =
        ControlStatesFor(state.RegisterView, state.DisplayedCount, highlighted_, accountName_, state.SearchText);
    const bool listed = state.DisplayedCount > 0;

    cmdAddTransaction->setEnabled(bool(actions.addTransaction));
    cmdAddTransaction->setToolTip(states.addHint);
    cmdModifyTransaction->setEnabled(listed && bool(actions.modifyTransaction));
    cmdReconcileAccount->setEnabled(states.reconcile);
    cmdFind->setEnabled(states.reconcile && bool(actions.search));
    cmdGraph->setEnabled(states.graph && bool(actions.showGraph));
    cmdTextSummary->setEnabled(states.textSummary && bool(actions.textSummary));
    cmdPrintAccount->setEnabled(states.printAccount && bool(actions.printList));
    cmdOtherOptions->setEnabled(bool(actions.editList) || bool(actions.findReplace)
                                || bool(actions.importStatement));
    cmdSeeNotes->setEnabled(listed && states.seeNotes && bool(actions.seeNotes));
    cmdDeleteTransaction->setEnabled(listed && states.deleteTransaction && bool(actions.deleteTransaction));
    cmdClearTransaction->setEnabled(listed && states.clearTransaction && bool(actions.clearTransaction));
    cmdVoidTransaction->setEnabled(listed && states.clearTransaction && bool(actions.voidTransaction));
    cmdPrintCheck->setEnabled(listed && states.printCheck && bool(actions.printCheck));
    cmdCalculator->setEnabled(bool(actions.startCalculator));

    cmdReturnToAccountIndex->setCancel(states.returnAnswersEsc);
    if (states.finishedVisible) {
        cmdFinished->setCaption(states.finishedCaption);
        cmdFinished->show();
        cmdFinished->setCancel(true);
        if (!timerFlashButton->isActive())
            timerFlashButton->start();
    } else {
        stopPulse();
        cmdFinished->hide();
    }

    lblAccountName->setText(states.title);
    setTextColour(lblAccountName, colour(states.titleColour));
    lblAccountName->show();
    if (grid->isVisible())
        grid->setFocus();
}

void frmAccount::updateClearHint()
{
    if (!cmdClearTransaction->isEnabled())
        return;
    const QModelIndex current = grid->currentIndex();
    const bool cleared =
        current.isValid() && model->index(current.row(), ClearedColumn).data().toString() == u"*";
    cmdClearTransaction->setToolTip(ClearHint(cleared));
}

void frmAccount::grid_RowChanged()
{
    if (assembling_ || !grid->isVisible() || !grid->currentIndex().isValid())
        return;
    const qint32 number = currentRecordNumber();
    runDataAction([&] { WhileTransactionsOpen([&] { highlighted_ = ReadTransactionRecord(number); }); });
    UpdateControls();
    updateClearHint();
}

void frmAccount::grid_DblClick(int column)
{
    // The date and the cleared mark toggle the mark; any other column opens
    // the transaction for changing.
    if (column == DateColumn || column == ClearedColumn) {
        if (cmdClearTransaction->isEnabled())
            runAction(registerActions().clearTransaction);
    } else if (cmdModifyTransaction->isEnabled()) {
        runAction(registerActions().modifyTransaction);
    }
}

void frmAccount::runAction(const std::function<void(frmAccount&)>& action)
{
    if (!action)
        return;
    // A copy: the action may replace the hooks while it runs.
    const std::function<void(frmAccount&)> run = action;
    runDataAction([&] { run(*this); });
}

bool frmAccount::runDataAction(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const FileError& error) {
        ShowFileError(error);
        return false;
    }
}

// --- the new account -------------------------------------------------------------

void frmAccount::NewAccountDialogue()
{
    const int answer = prompts().ask(
        QStringLiteral("New Account"), IconQuestion,
        QStringLiteral("This is a new account--") + crlf + crlf + QStringLiteral("Are you ready to enter to establish")
            + crlf + QStringLiteral("a beginning balance for this account?"),
        1, {QStringLiteral("&Yes, continue"), QStringLiteral("&No, not right now")});
    if (answer != 1) {
        close();
        return;
    }
    std::optional<qint64> amount;
    while (!amount) {
        const QString typed = prompts().inputText(QStringLiteral("Please enter"),
                                                  QStringLiteral("What is the beginning balance for this account?"),
                                                  FormatAmount(0));
        if (typed.trimmed().isEmpty()) {
            close();
            return;
        }
        amount = BeginningBalanceAnswer(typed);
    }
    const TransactionRecord start = BeginningBalanceRecord(currentAccount().CurrentAccountKey, *amount);
    if (!runDataAction([&] { WhileTransactionsOpen([&] { WriteTransactionRecord(TransactionCount() + 1, start); }); })) {
        close();
        return;
    }
    LoadRegister();
}

// --- buttons ----------------------------------------------------------------------

void frmAccount::cmdReconcileAccount_Click()
{
    if (cmdReconcileAccount->isEnabled())
        ReconcileList();
}

void frmAccount::cmdTextSummary_Click()
{
    const RegisterActions& actions = registerActions();
    if (!cmdTextSummary->isEnabled() || !actions.textSummary)
        return;
    ListSummary summary;
    summary.title = lblAccountName->text();
    summary.view = registerState().RegisterView;
    summary.totalCredit = lblTotalCredit->text();
    summary.totalDebit = lblTotalDebit->text();
    if (summary.view != SearchView)
        summary.balance = lblCurrentBalance->text();
    const auto run = actions.textSummary;
    runDataAction([&] { run(*this, summary); });
}

void frmAccount::cmdFinished_Click()
{
    stopPulse();
    cmdFinished->hide();
    LoadRegister();
}

void frmAccount::cmdCalendar_Click()
{
    BrowsingCalendar->show();
    BrowsingCalendar->setFocus();
    // Dropped down as by its own key, as soon as events run.
    PressKey(Qt::Key_F4, BrowsingCalendar);
    pace().letEventsRun();
}

void frmAccount::BrowsingCalendar_Closed()
{
    BrowsingCalendar->hide();
    if (grid->isVisible())
        grid->setFocus();
}

// --- timers ------------------------------------------------------------------------

void frmAccount::timerShowDate_Timer()
{
    lblDateTime->setText(RegisterDateLine(clock().now(), SettingChoice(SettingKey::DateDisplay).value_or(0)));
}

void frmAccount::timerFlashButton_Timer()
{
    if (!SharedDisplayValues().FlashButtons) {
        timerFlashButton->stop();
        return;
    }
    pulse_.tick();
    const int b = std::clamp<int>(pulse_.background, 0, 255);
    const int a = std::clamp<int>(pulse_.text, 0, 255);
    cmdFinished->setBackColor(QColor(b, b, 0));
    cmdFinished->setForeColor(QColor(a, a, 0));
}

void frmAccount::stopPulse()
{
    if (!timerFlashButton->isActive())
        return;
    timerFlashButton->stop();
    cmdFinished->setBackColor(WindowButtonColour::Face);
    cmdFinished->setForeColor(WindowButtonColour::Caption);
}

// --- keys ---------------------------------------------------------------------------

bool frmAccount::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees keys before its controls do.
    // Only unmodified keys are the window's: Shift+Insert and the like go on
    // to the control as usual.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this && isEnabled()
        && IsPlainKey(*static_cast<QKeyEvent*>(event)))
        return Form_KeyDown(static_cast<QKeyEvent*>(event)->key(), watched == grid);
    return QWidget::eventFilter(watched, event);
}

bool frmAccount::Form_KeyDown(int key, bool onGrid)
{
    // A key presses its button only while that button is enabled.
    auto press = [](ZevButton* button) {
        if (!button->isEnabled() || button->isHidden())
            return false;
        button->click();
        return true;
    };
    switch (key) {
    case Qt::Key_F1: OpenManual(); return true;
    case Qt::Key_F2: return press(cmdReconcileAccount);
    case Qt::Key_F3: return press(cmdTextSummary);
    case Qt::Key_Insert: return press(cmdAddTransaction);
    case Qt::Key_Escape:
        return press(registerState().RegisterView == NormalView ? cmdReturnToAccountIndex : cmdFinished);
    default: break;
    }
    // The highlighted row by keyboard, as its double-click and its buttons
    // act on it with the mouse: Enter changes it, Delete deletes it (after
    // the button's own question), the menu key opens its context menu.
    if (!onGrid || !grid->currentIndex().isValid())
        return false;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return press(cmdModifyTransaction);
    case Qt::Key_Delete: return press(cmdDeleteTransaction);
    case Qt::Key_Menu: {
        const QRect cell = grid->visualRect(grid->currentIndex());
        ShowGridMenu(*this, currentRow(), grid->viewport()->mapToGlobal(QPoint(cell.left(), cell.bottom())));
        return true;
    }
    default: return false;
    }
}

}
