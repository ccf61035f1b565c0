// The register's menus behind its list-wide buttons: other options (the
// list editor, find and replace), graph and print, with the print range's
// questions. The search menu and the grid's context menu have files of
// their own (SearchMenu, GridMenu).
#include "frmAccount.h"

#include "ExportDisplay.h"
#include "GridMenu.h"
#include "SearchMenu.h"
#include "registeractions.h"
#include "registercontrols.h"
#include "registerstate.h"

#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "util/WindowHelpers.h"
#include "util/dates.h"

#include <QAction>
#include <QMenu>

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");

// "&Try again" or "&Cancel this print request": true to try again.
bool AskTryAgain(const QString& title, int iconKind, const QString& text)
{
    return prompts().ask(title, iconKind, text, 1,
                         {QStringLiteral("&Try again"), QStringLiteral("&Cancel this print request")})
           != 2;
}

bool AskAfterBadDate(const QString& typed)
{
    return AskTryAgain(QStringLiteral("Date Entry Error"), IconStop,
                       u'\'' + typed + u'\'' + crlf + QStringLiteral("is not a recognizable date."));
}

bool AskAfterMissingDate()
{
    return AskTryAgain(QStringLiteral("No such date"), IconExclamation,
                       QStringLiteral("There is no such date") + crlf + QStringLiteral("in this displayed list"));
}

}

QAction* frmAccount::addMenuItem(QMenu* menu, const QString& text, int number)
{
    QAction* action = text == u"-" ? menu->addSeparator() : menu->addAction(text);
    action->setData(number);
    return action;
}

void frmAccount::BuildMenus()
{
    menuOtherOptions = new QMenu(this);
    menuOtherOptions->setObjectName(QStringLiteral("menuOtherOptions"));
    const QStringList otherItems{QStringLiteral("Manage the `Payee/Creditor' list"),
                                 QStringLiteral("Manage the `Comment' list"), QStringLiteral("-"),
                                 QStringLiteral("Find and replace `Payee/Creditor' text"),
                                 QStringLiteral("Find and replace `Comment' text"), QStringLiteral("-"),
                                 QStringLiteral("Exit this menu"), QStringLiteral("-"),
                                 QStringLiteral("Import a bank statement...")};
    menuGraph = new QMenu(this);
    menuGraph->setObjectName(QStringLiteral("menuGraph"));
    const QStringList graphItems{QStringLiteral("XY graph"), QStringLiteral("Vertical Bar graph"),
                                 QStringLiteral("Scatter Point graph"), QStringLiteral("-"),
                                 QStringLiteral("Account Balance graph"), QStringLiteral("-"),
                                 QStringLiteral("Exit this menu")};
    menuPrint = new QMenu(this);
    menuPrint->setObjectName(QStringLiteral("menuPrint"));
    const QStringList printItems{QStringLiteral("Print this whole list"),
                                 QStringLiteral("Print a certain range of dates..."), QStringLiteral("-"),
                                 QStringLiteral("Exit this menu")};
    const auto fill = [this](QMenu* menu, const QStringList& items, void (frmAccount::*handler)(int)) {
        for (int i = 0; i < items.size(); ++i) {
            QAction* action = addMenuItem(menu, items[i], i + 1);
            // Queued, so that the menu has closed before a dialog opens.
            connect(action, &QAction::triggered, this,
                    [this, handler, number = i + 1] { (this->*handler)(number); }, Qt::QueuedConnection);
        }
    };
    fill(menuOtherOptions, otherItems, &frmAccount::menuOtherOptions_Click);
    fill(menuGraph, graphItems, &frmAccount::menuGraph_Click);
    fill(menuPrint, printItems, &frmAccount::menuPrint_Click);
    AddExportDisplayItem(*this);

    const auto below = [this](ZevButton* button, QMenu* menu) {
        menu->popup(button->mapToGlobal(QPoint(0, button->height())));
    };
    connect(cmdPrintAccount, &ZevButton::clicked, this, [this, below] { below(cmdPrintAccount, menuPrint); });
    connect(cmdGraph, &ZevButton::clicked, this, [this, below] {
        prepareGraphMenu();
        below(cmdGraph, menuGraph);
    });
    connect(cmdOtherOptions, &ZevButton::clicked, this, [this, below] {
        prepareOtherOptionsMenu();
        below(cmdOtherOptions, menuOtherOptions);
    });

    menuSearch = MakeSearchMenu(*this);
    InstallGridHints(*this);
}

QAction* frmAccount::menuItem(QMenu* menu, int number)
{
    const QList<QAction*> items = menu->actions();
    return number >= 1 && number <= items.size() ? items[number - 1] : nullptr;
}

void frmAccount::prepareOtherOptionsMenu()
{
    const RegisterActions& actions = registerActions();
    const bool replaceable = registerState().DisplayedCount > 2 && bool(actions.findReplace);
    menuItem(menuOtherOptions, 1)->setEnabled(bool(actions.editList));
    menuItem(menuOtherOptions, 2)->setEnabled(bool(actions.editList));
    menuItem(menuOtherOptions, 4)->setEnabled(replaceable);
    menuItem(menuOtherOptions, 5)->setEnabled(replaceable);
    menuItem(menuOtherOptions, ImportStatementItem)->setEnabled(bool(actions.importStatement));
}

void frmAccount::prepareGraphMenu()
{
    const bool normal = registerState().RegisterView == NormalView;
    menuItem(menuGraph, 4)->setVisible(normal);
    menuItem(menuGraph, 5)->setVisible(normal);
}

void frmAccount::menuOtherOptions_Click(int item)
{
    const RegisterActions& actions = registerActions();
    if ((item == 1 || item == 2) && actions.editList) {
        const auto edit = actions.editList;
        const int kind = item;
        // The editor reads the kind of list from this tag while it is open.
        cmdOtherOptions->setTag(QString::number(kind));
        runDataAction([&] {
            edit(*this, kind, kind == 1 ? QStringLiteral("Payee/Creditor") : QStringLiteral("Comment"));
        });
        cmdOtherOptions->setTag(QString());
    } else if ((item == 4 || item == 5) && actions.findReplace && registerState().DisplayedCount > 2) {
        const auto replace = actions.findReplace;
        cmdOtherOptions->setTag(QString());
        runDataAction([&] { replace(*this, item == 4 ? 1 : 2); });
        // "!" tells that something was replaced: show the list afresh.
        if (cmdOtherOptions->tag() == u"!") {
            RegisterState& state = registerState();
            (state.RegisterView == NormalView ? state.NormalRow : state.ListRow) = currentRow();
            cmdOtherOptions->setTag(QString());
            ShowList();
        }
    } else if (item == ImportStatementItem && actions.importStatement) {
        const auto import = actions.importStatement;
        runDataAction([&] { import(*this); });
    }
}

void frmAccount::menuGraph_Click(int item)
{
    const auto show = registerActions().showGraph;
    if (!show || item < 1 || item > 5 || item == 4)
        return;
    if (item == 5 && registerState().RegisterView != NormalView)
        return;
    runDataAction([&] { show(*this, item); });
}

void frmAccount::menuPrint_Click(int item)
{
    const auto print = registerActions().printList;
    const RegisterRows& rows = registerState().Rows;
    if (!print || rows.isEmpty())
        return;
    if (item == 1) {
        const double first = rows[0].date;
        const double last = rows[rows.size() - 1].date;
        runDataAction([&] { print(*this, first, last); });
    } else if (item == 2) {
        PrintDateRange();
    }
}

void frmAccount::PrintDateRange()
{
    const QString format = SharedDisplayValues().DateFormat;
    const RegisterRows& rows = registerState().Rows;
    QDate starting;
    qint32 startingRow = 0;
    for (;;) {
        const QString typed = prompts().inputText(QStringLiteral("Print List - Starting Date"),
                                                  QStringLiteral("What is the STARTING date?"), QString());
        if (typed.trimmed().isEmpty())
            return;
        starting = ReadDate(typed, format);
        if (!starting.isValid()) {
            if (!AskAfterBadDate(typed))
                return;
            continue;
        }
        SetBusy(*this, true);
        const std::optional<qint32> found = FindListedDate(rows, 0, starting);
        SetBusy(*this, false);
        if (found) {
            startingRow = *found;
            break;
        }
        if (!AskAfterMissingDate())
            return;
    }
    QDate ending;
    for (;;) {
        const QString typed = prompts().inputText(QStringLiteral("Print List - Ending Date"),
                                                  QStringLiteral("What is the ENDING date?"), QString());
        if (typed.trimmed().isEmpty())
            return;
        ending = ReadDate(typed, format);
        if (!ending.isValid()) {
            if (!AskAfterBadDate(typed))
                return;
            continue;
        }
        if (ending < starting) {
            if (!AskTryAgain(QStringLiteral("Sequence Error"), IconStop,
                             QStringLiteral("The ending date cannot be earlier") + crlf
                                 + QStringLiteral("than the starting date!")))
                return;
            continue;
        }
        SetBusy(*this, true);
        const bool found = FindListedDate(rows, startingRow, ending).has_value();
        SetBusy(*this, false);
        if (found)
            break;
        if (!AskAfterMissingDate())
            return;
    }
    const auto print = registerActions().printList;
    runDataAction([&] { print(*this, StoredFromDate(starting), StoredFromDate(ending)); });
}

}
