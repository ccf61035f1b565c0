#include "matching.h"

namespace tallyo {

std::vector<RegisterEntry> ReadRegisterEntries(const QString&)
{
    return {};
}

std::vector<LineMatch> MatchStatement(const Statement& statement, const std::vector<RegisterEntry>&)
{
    return std::vector<LineMatch>(statement.lines.size());
}

std::optional<qint64> ClearedBalance(const std::vector<RegisterEntry>&)
{
    return 0;
}

QString TypeForLine(const StatementLine& line)
{
    return line.amount < 0 ? QString(TypeOtherDebit) : QString(TypeOtherCredit);
}

QString PayeeForLine(const StatementLine& line)
{
    return line.name;
}

QString CommentForLine(const StatementLine& line)
{
    return line.memo;
}

QString BankIdNote(const QString& bankId)
{
    return QStringLiteral("Bank id: ") + bankId;
}

QStringList BankIdsInNotes(QStringView)
{
    return {};
}

TransactionRecord TransactionForLine(const StatementLine& line, const QString& accountKey)
{
    TransactionRecord record;
    record.AccountKey = accountKey;
    record.TransactionType = TypeForLine(line);
    record.Amount = line.amount;
    record.Cleared = true;
    return record;
}

QString OutcomeText(const LineMatch&, QStringView)
{
    return QStringLiteral("added");
}

}
