#include "registercontrols.h"

#include "registergrid.h"
#include "util/dates.h"
#include "util/formats.h"
#include "util/numbers.h"

#include <algorithm>

namespace tallyo {

namespace {

constexpr qint64 LowestBeginningBalance = -9999 * AmountScale;
constexpr qint64 HighestBeginningBalance = 999999 * AmountScale;

}

RegisterControlStates ControlStatesFor(int view, qint32 displayedCount, const TransactionRecord& highlighted,
                                       const QString& accountName, const QString& searchText)
{
    RegisterControlStates states;
    const QString& type = highlighted.TransactionType;
    const bool isStart = type == TypeStart;
    const bool isVoid = type == TypeVoid;
    const bool normal = view == NormalView;

    states.addHint = QStringLiteral(" Add a transaction <Insert> ");
    if (!isStart && !isVoid)
        states.addHint += QStringLiteral("(right-click to use 'Template' feature) ");
    states.reconcile = normal && displayedCount > 2;
    states.graph = displayedCount > 3;
    states.textSummary = displayedCount > 0;
    states.printAccount = !normal || displayedCount > 1;
    states.seeNotes = !highlighted.Notes.trimmed().isEmpty();
    states.deleteTransaction = !isStart;
    states.clearTransaction = !isStart && !isVoid;
    states.printCheck = LeadingNumber(type) > 0;
    states.returnAnswersEsc = normal;
    states.finishedVisible = !normal;
    if (view == ReconcileView)
        states.finishedCaption = QStringLiteral("&Finished reconciling\r\n<Esc>");
    else if (view == SearchView)
        states.finishedCaption = QStringLiteral("&Finished searching\r\n<Esc>");

    switch (view) {
    case ReconcileView: states.title = QStringLiteral("Reconciliation List"); break;
    case SearchView: states.title = QStringLiteral("Matches for: '") + searchText + u'\''; break;
    default: states.title = QStringLiteral("Account of ") + accountName.trimmed(); break;
    }
    states.titleColour = HeaderColour(view);
    return states;
}

QString ClearHint(bool rowIsCleared)
{
    return (rowIsCleared ? QStringLiteral(" Unclear") : QStringLiteral(" Clear")) + QStringLiteral(" this transaction ");
}

int RegisterMaximumHeightTwips(int screenHeightTwips)
{
    return std::max(RegisterMinimumHeightTwips, int(screenHeightTwips * 0.9));
}

int RegisterHeightTwips(int height, int screenHeightTwips)
{
    return std::clamp(height, RegisterMinimumHeightTwips, RegisterMaximumHeightTwips(screenHeightTwips));
}

int RegisterDefaultHeightTwips(int screenHeightTwips)
{
    return RegisterMaximumHeightTwips(screenHeightTwips);
}

std::optional<int> SavedRegisterHeight(QStringView stored)
{
    const std::optional<double> value = NumberValue(stored);
    // Anything that is no sensible window height is treated as not saved.
    if (!value || *value < 1 || *value > 1e7)
        return std::nullopt;
    return int(*value);
}

std::optional<qint64> BeginningBalanceAnswer(QStringView answer)
{
    const std::optional<qint64> amount = ParseAmount(answer);
    if (!amount || *amount < LowestBeginningBalance || *amount > HighestBeginningBalance)
        return std::nullopt;
    return amount;
}

TransactionRecord BeginningBalanceRecord(const QString& accountKey, qint64 amount)
{
    TransactionRecord record;
    record.AccountKey = accountKey;
    record.TransactionDate = 1.0;
    record.Cleared = true;
    record.TransactionType = QString(TypeStart);
    record.Payee = QStringLiteral("Beginning Balance");
    record.Amount = amount;
    record.Notes = QStringLiteral("This is the beginning balance for this account. ");
    return record;
}

std::optional<qint32> FindListedDate(const RegisterRows& rows, qint32 from, const QDate& day)
{
    if (!day.isValid())
        return std::nullopt;
    for (qint32 i = std::max(0, from); i < rows.size(); ++i) {
        if (DateFromStored(rows[i].date) == day)
            return i;
    }
    return std::nullopt;
}

}
