#include "importpreview.h"

#include "store/records.h"
#include "util/dates.h"
#include "util/formats.h"


namespace tallyo {

std::vector<PreviewRow> PreviewRows(const Statement& statement, const std::vector<LineMatch>& matches,
                                    QStringView dateFormat)
{
    std::vector<PreviewRow> rows;
    rows.reserve(statement.lines.size());
    for (size_t i = 0; i < statement.lines.size() && i < matches.size(); ++i) {
        const StatementLine& line = statement.lines[i];
        PreviewRow row;
        row.date = FormatDate(StoredFromDate(line.date), dateFormat);
        row.number = line.checkNumber;
        row.type = line.checkNumber.isEmpty() ? TypeForLine(line).trimmed() : QStringLiteral("Check");
        row.payee = PayeeForLine(line).trimmed();
        row.amount = FormatAmount(line.amount);
        row.outcome = OutcomeText(matches[i], dateFormat);
        row.tickable = matches[i].outcome != LineMatch::Outcome::AlreadyThere;
        rows.push_back(row);
    }
    return rows;
}

std::vector<bool> StartingTicks(const std::vector<LineMatch>& matches)
{
    std::vector<bool> ticks;
    ticks.reserve(matches.size());
    for (const LineMatch& match : matches)
        ticks.push_back(match.outcome != LineMatch::Outcome::AlreadyThere);
    return ticks;
}

QString ClosingBalanceText(const Statement& statement, QStringView dateFormat)
{
    if (!statement.closingBalance)
        return QStringLiteral("Statement's closing balance: not given");
    QString text = QStringLiteral("Statement's closing balance: ") + FormatAmount(*statement.closingBalance);
    if (statement.closingDate.isValid())
        text += QStringLiteral(" (on ") + FormatDate(StoredFromDate(statement.closingDate), dateFormat) + u')';
    return text;
}

QString ClearedBalanceText(const std::vector<RegisterEntry>& entries, const Statement& statement,
                           const std::vector<LineMatch>& matches, const std::vector<bool>& ticked)
{
    // The balance after the import: new lines come in cleared, matched
    // transactions that were not cleared yet become cleared.
    std::optional<qint64> balance = ClearedBalance(entries);
    for (size_t i = 0; balance && i < matches.size() && i < statement.lines.size(); ++i) {
        if (i < ticked.size() && !ticked[i])
            continue;
        const bool adds = matches[i].outcome == LineMatch::Outcome::New
            || (matches[i].outcome == LineMatch::Outcome::Matching && !matches[i].cleared);
        if (adds && qAddOverflow(*balance, statement.lines[i].amount, &*balance))
            balance.reset();
    }
    return QStringLiteral("Register's cleared balance after the import: ")
        + (balance ? FormatAmount(*balance) : QStringLiteral("too large to add up"));
}

QString StatementChoiceText(const Statement& statement)
{
    const QString id = statement.accountId.isEmpty() ? QStringLiteral("(no account number)") : statement.accountId;
    QString text = id;
    if (!statement.accountType.isEmpty())
        text += QStringLiteral(" (") + statement.accountType + u')';
    return text + QStringLiteral(", %1 lines").arg(statement.lines.size());
}

QString CsvColumnsSettingKey(const QString& accountKey)
{
    return QStringLiteral("ImportColumns") + accountKey.trimmed();
}

}
