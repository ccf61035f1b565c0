#include "SearchMenu.h"

#include "GridMenu.h"
#include "RegisterModel.h"
#include "findreplace.h"
#include "frmAccount.h"
#include "registeractions.h"
#include "registergrid.h"
#include "registerstate.h"
#include "search.h"

#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/fields.h"
#include "util/WindowHelpers.h"
#include "util/dates.h"
#include "util/formats.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTableView>

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString SearchTitle = QStringLiteral("Search");

QString AnyWordNote()
{
    return crlf + crlf + QStringLiteral("(Enter any word or phrase, whole or partial)") + crlf + crlf
           + QStringLiteral("Note: Searches are not case sensitive");
}

// Asks with the month or year prompt until an answer is accepted or the
// user gives up; `last` is the remembered answer, the prompt's default.
QString AskRemembered(QString& last, const QString& firstDefault, const QString& prompt,
                      std::optional<QString> (*accept)(QStringView))
{
    if (last.isEmpty())
        last = firstDefault;
    const QString before = last;
    for (;;) {
        last = prompts().inputText(SearchTitle, prompt, last);
        if (last.trimmed().isEmpty()) {
            last = before;
            return QString();
        }
        if (const std::optional<QString> accepted = accept(last)) {
            last = *accepted;
            return *accepted;
        }
    }
}

// The window stays busy while the list is scanned, however the scan ends.
class BusyWhile {
public:
    explicit BusyWhile(QWidget& window) : window_(window) { SetBusy(window_, true); }
    ~BusyWhile() { SetBusy(window_, false); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    QWidget& window_;
};

}

void InstallSearchActions()
{
    RegisterActions& actions = registerActions();
    actions.search = ShowSearchMenu;
    actions.findReplace = FindReplaceInRegister;
}

QMenu* MakeSearchMenu(frmAccount& window)
{
    auto* menu = new QMenu(&window);
    menu->setObjectName(QStringLiteral("menuSearch"));
    const QStringList items = SearchMenuItems();
    for (int i = 0; i < items.size(); ++i) {
        QAction* action = frmAccount::addMenuItem(menu, items[i], i + 1);
        // Queued, so that the menu has closed before a prompt opens.
        QObject::connect(
            action, &QAction::triggered, &window,
            [&window, kind = i + 1] { window.runDataAction([&] { menuSearch_Click(window, kind); }); },
            Qt::QueuedConnection);
    }
    return menu;
}

void ShowSearchMenu(frmAccount& window)
{
    if (!window.menuSearch)
        return;
    if (registerState().RegisterView == SearchView)
        window.ShowList();
    window.menuSearch->popup(window.cmdFind->mapToGlobal(QPoint(0, window.cmdFind->height())));
}

void menuSearch_Click(frmAccount& window, int kind)
{
    if (!IsSearchKind(kind))
        return;
    const TransactionRecord& highlighted = window.highlightedTransaction();
    QString text;
    switch (kind) {
    case SearchMonth:
        text = AskSearchMonth();
        break;
    case SearchMonthYear: {
        const QString month = AskSearchMonth();
        if (month.isEmpty())
            return;
        const QString year = AskSearchYear();
        if (year.isEmpty())
            return;
        text = month + u'/' + year;
        break;
    }
    case SearchYear:
        text = AskSearchYear();
        break;
    case SearchCheck:
        text = AskCheckNumber();
        break;
    case SearchPayee:
        text = AskSearchText(kind, TrimSpaces(highlighted.Payee));
        break;
    case SearchComment:
        text = AskSearchText(kind, TrimSpaces(highlighted.Comment));
        break;
    case SearchNotes:
        text = AskSearchText(kind, QString());
        break;
    case SearchCredit:
    case SearchDebit:
        text = AskSearchAmount(kind, highlighted.Amount);
        break;
    default:
        text = QString(*SearchTypeCode(kind));
        break;
    }
    if (text.isEmpty())
        return;
    QString year = SearchAllYears.toString();
    if (TakesYearScope(kind) && ListedYearsDiffer()) {
        year = AskSearchScope();
        if (year.isEmpty())
            return;
    }
    RunSearch(window, text, kind, year);
}

QString AskSearchMonth()
{
    return AskRemembered(searchMemory().LastSearchMonth, FormatDate(clock().now(), u"mm"),
                         QStringLiteral("Search for which month?") + crlf + crlf
                             + QStringLiteral("(Enter `01' thru `12')"),
                         MonthAnswer);
}

QString AskSearchYear()
{
    return AskRemembered(searchMemory().LastSearchYear, FormatDate(clock().now(), u"yyyy"),
                         QStringLiteral("Search for which year?") + crlf + crlf
                             + QStringLiteral("(Enter a year from `1900' to `2051')"),
                         YearAnswer);
}

QString AskCheckNumber()
{
    for (;;) {
        const QString typed =
            prompts().inputText(SearchTitle, QStringLiteral("What check number are you looking for?"), QString());
        if (typed.trimmed().isEmpty())
            return QString();
        if (CheckNumberAccepted(typed))
            return typed;
    }
}

QString AskSearchText(int kind, const QString& defaultText)
{
    QString prompt;
    if (kind == SearchNotes)
        prompt = QStringLiteral("What text in the 'Notes' are you looking for?");
    else
        prompt = QStringLiteral("What `") + (kind == SearchPayee ? QStringLiteral("Payee/Creditor") : QStringLiteral("Comment"))
                 + QStringLiteral("' description are you looking for?");
    return prompts().inputText(SearchTitle, prompt + AnyWordNote(), defaultText).trimmed();
}

QString AskSearchAmount(int kind, qint64 highlightedAmount)
{
    const bool offered = kind == SearchCredit ? highlightedAmount > 0 : highlightedAmount < 0;
    const QString defaultText = offered ? FormatAmount(highlightedAmount) : QString();
    const QString prompt = QStringLiteral("What amount are you looking for?") + crlf + crlf
                           + QStringLiteral("(Do NOT use the '") + SharedDisplayValues().CurrencySign
                           + QStringLiteral("' sign)");
    for (;;) {
        const QString typed = prompts().inputText(SearchTitle, prompt, defaultText).trimmed();
        if (typed.isEmpty() || AmountAccepted(typed))
            return typed;
    }
}

QString AskSearchScope()
{
    const int answer = prompts().ask(
        QStringLiteral("Search Scope"), IconQuestion, QStringLiteral("Is there a particular year you wish to search?"),
        2, {QStringLiteral("&Yes, there is..."), QStringLiteral("&No, search all years"),
            QStringLiteral("&Cancel this search")});
    if (answer == 1)
        return AskSearchYear();
    if (answer == 2)
        return SearchAllYears.toString();
    return QString();
}

void RunSearch(frmAccount& window, const QString& text, int kind, const QString& year)
{
    qint32 found = 0;
    {
        const BusyWhile busy(window);
        found = RunSearch(SearchRequest{text, kind, year}, window.currentRow());
    }
    if (found == 0) {
        prompts().ask(QStringLiteral("No matches"), IconInformation,
                      QStringLiteral("None of the transactions in this list") + crlf
                          + QStringLiteral("match what you are looking for."),
                      1, {QStringLiteral("&Okay")});
        window.grid->setFocus();
        return;
    }
    window.lblBalance->hide();
    window.lblCurrentBalance->hide();
    window.ShowList();
}

void FindReplaceInRegister(frmAccount& window, int kind)
{
    const int field = kind == 1 ? ReplacePayee : ReplaceComment;
    const QString title = frmAccount::menuItem(window.menuOtherOptions, kind == 1 ? 4 : 5)->text();
    const QString found = CurrentCellText(window, field == ReplacePayee ? PayeeColumn : CommentColumn);
    if (FindAndReplace(field, title, found, [&window](bool busy) { SetBusy(window, busy); }))
        window.cmdOtherOptions->setTag(QStringLiteral("!"));
}

}
