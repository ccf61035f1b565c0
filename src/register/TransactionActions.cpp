#include "TransactionActions.h"

#include "frmAccount.h"
#include "operations.h"
#include "RegisterModel.h"
#include "registeractions.h"
#include "registercontrols.h"
#include "registerstate.h"

#include "controls/ZevButton.h"
#include "entry/entrystate.h"
#include "entry/frmEditList.h"
#include "entry/frmNewEntry.h"
#include "platform/platform.h"
#include "store/fields.h"
#include "util/WindowHelpers.h"
#include "util/formats.h"
#include "util/numbers.h"

#include <QEvent>
#include <QLabel>
#include <QTableView>

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");

// Keeps a button disabled for the rest of its life, whatever enables it
// again later.
class KeepDisabled : public QObject {
public:
    explicit KeepDisabled(QWidget* button) : QObject(button)
    {
        button->installEventFilter(this);
        button->setEnabled(false);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* button = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::EnabledChange && button->isEnabled())
            button->setEnabled(false);
        return false;
    }
};

void FocusGrid(frmAccount& window)
{
    window.grid->setFocus();
}

void Reassemble(frmAccount& window, NextAssembly next)
{
    switch (next) {
    case NextAssembly::LoadRegister:
        window.LoadRegister();
        break;
    case NextAssembly::LoadThenReconcile:
        window.LoadRegister();
        if (registerState().DisplayedCount > 0)
            window.ReconcileList();
        break;
    case NextAssembly::ShowList:
        window.ShowList();
        break;
    case NextAssembly::ReconcileAgain:
        window.ReconcileList();
        break;
    case NextAssembly::SearchAgain:
        if (const auto search = registerActions().search)
            search(window);
        else
            window.ShowList();
        break;
    }
}

// Opens the entry window for an add or a modify; after a save, the marker
// goes into the tag of the button the request came from, where the
// assembly finds it to highlight the saved row.
bool RunEntryWindow(frmAccount& window, ZevButton* from, bool& modeFlag)
{
    EntryFlags& flags = entryFlags();
    flags.SelectedRecord = window.currentRecordNumber();
    from->setTag(QString());
    modeFlag = true;
    const bool saved = ShowNewEntryWindow(&window);
    modeFlag = false;
    flags.NotesRequested = false;
    if (!saved) {
        FocusGrid(window);
        return false;
    }
    from->setTag(flags.SaveMarker);
    return true;
}

}

void InstallTransactionActions()
{
    RegisterActions& actions = registerActions();
    actions.addTransaction = AddTransaction;
    actions.modifyTransaction = ModifyTransaction;
    actions.deleteTransaction = DeleteTransaction;
    actions.clearTransaction = ClearTransaction;
    actions.voidTransaction = VoidHighlightedTransaction;
    actions.seeNotes = SeeNotes;
    actions.startCalculator = StartCalculator;
    actions.editList = [](frmAccount& window, int kind, const QString& displayName) {
        ShowEditListWindow(&window, kind, displayName);
    };
    // Printing a check belongs to the check window, which fills its own hook.
}

void AddTransaction(frmAccount& window)
{
    if (registerState().DisplayedCount == 0) {
        // An account without transactions starts with its beginning balance.
        window.LoadRegister();
        return;
    }
    EntryFlags& flags = entryFlags();
    const qint32 row = window.currentRow();
    if (flags.PrefillFromSelection && !CanPatternOn(row, window.highlightedTransaction().TransactionType))
        flags.PrefillFromSelection = false;
    if (!RunEntryWindow(window, window.cmdAddTransaction, flags.AddingEntry))
        return;
    Reassemble(window, AfterSavedAdd(row));
    // The marker has found its row; left in place it would pull the
    // highlight of later assemblies (after a delete, say) back to this row.
    window.cmdAddTransaction->setTag(QString());
}

void ModifyTransaction(frmAccount& window)
{
    EntryFlags& flags = entryFlags();
    const qint32 row = window.currentRow();
    flags.PrefillFromSelection = true;
    flags.NotesRequested = ReadsAsTrue(window.cmdSeeNotes->tag());
    window.cmdSeeNotes->setTag(QString());
    if (!RunEntryWindow(window, window.cmdModifyTransaction, flags.ModifyingEntry))
        return;
    Reassemble(window, AfterSavedModify(row));
    window.cmdModifyTransaction->setTag(QString());
}

void ClearTransaction(frmAccount& window)
{
    const qint32 row = window.currentRow();
    const bool cleared = ToggleCleared(row);
    window.model->setRowCleared(row, cleared);
    window.cmdClearTransaction->setToolTip(ClearHint(cleared));
    if (registerState().RegisterView == ReconcileView)
        window.lblCurrentBalance->setText(FormatAmount(registerState().AdjustedBalance));
}

void VoidHighlightedTransaction(frmAccount& window)
{
    const int answer = prompts().ask(
        QStringLiteral("Void Transaction"), IconQuestion,
        QStringLiteral("Are you sure you want") + crlf + QStringLiteral("to VOID this transaction?") + crlf + crlf
            + QStringLiteral("(This action can not be reversed)"),
        2, {QStringLiteral("&Yes, void this transaction"), QStringLiteral("&No, return to the Account Register")});
    if (answer != 1) {
        FocusGrid(window);
        return;
    }
    const qint32 row = window.currentRow();
    VoidTransaction(window.currentRecordNumber());
    SetBusy(window, false);
    Reassemble(window, AfterVoid(row));
}

void DeleteTransaction(frmAccount& window)
{
    const int answer = prompts().ask(QStringLiteral("Confirm"), IconQuestion,
                                     QStringLiteral("Are you sure you want to delete this transaction?"), 2,
                                     {QStringLiteral("&Yes, remove this transaction"), QStringLiteral("&No, never mind")});
    if (answer != 1) {
        FocusGrid(window);
        return;
    }
    const NextAssembly next =
        DeleteListedTransaction(window.currentRow(), [&window](bool busy) { SetBusy(window, busy); });
    Reassemble(window, next);
}

void SeeNotes(frmAccount& window)
{
    const int answer = prompts().ask(QStringLiteral("Transaction Notes"), IconInformation,
                                     TrimSpaces(window.highlightedTransaction().Notes), 2,
                                     {QStringLiteral("&Edit these notes"),
                                      QStringLiteral("&Return to the Account Register")});
    if (answer == 1 && window.cmdModifyTransaction->isEnabled()) {
        window.cmdSeeNotes->setTag(QStringLiteral("True"));
        ModifyTransaction(window);
        return;
    }
    FocusGrid(window);
}

QStringList CalculatorPrograms()
{
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"), QStringLiteral("galculator"),
            QStringLiteral("mate-calc"), QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")};
}

namespace {

QString NoCalculatorText()
{
    // The programs tried, three to a line.
    const QStringList programs = CalculatorPrograms();
    QStringList lines;
    for (qsizetype i = 0; i < programs.size(); i += 3)
        lines << programs.mid(i, 3).join(QStringLiteral(", "));
    return QStringLiteral("Can not find a calculator program.") + crlf + crlf + QStringLiteral("Tried: ")
        + lines.join(QStringLiteral(",") + crlf) + u'.' + crlf + crlf
        + QStringLiteral("Install one of them, then open") + crlf + QStringLiteral("the register again to use it.");
}

}

void StartCalculator(frmAccount& window)
{
    FocusGrid(window);
    for (const QString& program : CalculatorPrograms()) {
        if (shell().startProgram(program))
            return;
    }
    prompts().ask(QStringLiteral("Not found"), IconStop, NoCalculatorText(), 1, {QStringLiteral("&Okay")});
    if (!window.cmdCalculator->findChild<KeepDisabled*>(QString(), Qt::FindDirectChildrenOnly))
        new KeepDisabled(window.cmdCalculator);
}

}
