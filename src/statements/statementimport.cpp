#include "statementimport.h"

#include "store/datafiles.h"
#include "store/fields.h"
#include "store/fileerror.h"
#include "store/recordscan.h"
#include "store/rewrite.h"

#include <unordered_map>

namespace tallyo {

namespace {

bool IsTicked(const std::vector<bool>& ticked, size_t i)
{
    return ticked.empty() || ticked[i];
}

[[noreturn]] void RefuseImport(const QString& reason)
{
    throw FileError(QString::fromLatin1(TransactionFileName), QStringLiteral("import the statement into"), reason);
}

// The notes with the bank id's line added, when it fits beside them.
QString NotesWithBankId(const QString& notes, const QString& bankId)
{
    const QString kept = TrimTrailingSpaces(notes);
    const QString added = kept.isEmpty() ? BankIdNote(bankId) : kept + QStringLiteral("\r\n") + BankIdNote(bankId);
    return added.size() <= TransactionRecord::NotesWidth ? added : notes;
}

}

QString ImportCountsText(const ImportCounts& counts)
{
    return QStringLiteral("%1 added, %2 cleared, %3 already in the register")
        .arg(counts.added)
        .arg(counts.cleared)
        .arg(counts.already);
}

ImportCounts CountImport(const std::vector<LineMatch>& matches, const std::vector<bool>& ticked)
{
    ImportCounts counts;
    for (size_t i = 0; i < matches.size(); ++i) {
        if (!IsTicked(ticked, i))
            continue;
        switch (matches[i].outcome) {
        case LineMatch::Outcome::New: ++counts.added; break;
        case LineMatch::Outcome::Matching: ++counts.cleared; break;
        case LineMatch::Outcome::AlreadyThere: ++counts.already; break;
        }
    }
    return counts;
}

ImportCounts ImportStatement(const QString& accountKey, const Statement& statement,
                             const std::vector<LineMatch>& matches, const std::vector<bool>& ticked)
{
    const auto& lines = statement.lines;
    if (matches.size() != lines.size() || (!ticked.empty() && ticked.size() != lines.size()))
        RefuseImport(QStringLiteral("The statement and its matches do not belong together."));
    const ImportCounts counts = CountImport(matches, ticked);
    if (counts.added == 0 && counts.cleared == 0)
        return counts;

    // The register transactions to clear, by record number.
    std::unordered_map<qint32, size_t> toClear;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsTicked(ticked, i) && matches[i].outcome == LineMatch::Outcome::Matching)
            toClear.emplace(matches[i].record, i);
    }

    // One pass copies Account.dat into the scratch file, clearing the
    // matched transactions on the way, and adds the new lines at its end;
    // the scratch file then replaces Account.dat in one rename.
    RecordFile& transactions = dataFiles().TransactionFile;
    transactions.close();
    const QByteArray key = AccountKeyBytes(accountKey);
    size_t clearedSeen = 0;
    ScratchFile scratch(TransactionRecord::Length);
    {
        RecordScanner scan(transactions.fileName(), TransactionRecord::Length);
        while (scan.next()) {
            const auto found = toClear.find(scan.number());
            if (found == toClear.end()) {
                scratch.append(scan.record());
                continue;
            }
            TransactionRecord record = TransactionRecord::decode(scan.record());
            const StatementLine& line = lines[found->second];
            if (!TransactionView(scan.record()).hasKey(key) || record.Amount != line.amount
                || record.TransactionDate == 0.0)
                RefuseImport(QStringLiteral("The register changed after the statement was matched; nothing was "
                                            "imported. Import the statement again."));
            record.Cleared = true;
            if (!line.bankId.isEmpty())
                record.Notes = NotesWithBankId(record.Notes, line.bankId);
            scratch.append(record.encode().constData());
            ++clearedSeen;
        }
    }
    if (clearedSeen != toClear.size())
        RefuseImport(QStringLiteral("The register changed after the statement was matched; nothing was "
                                    "imported. Import the statement again."));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsTicked(ticked, i) && matches[i].outcome == LineMatch::Outcome::New)
            scratch.append(TransactionForLine(lines[i], accountKey).encode().constData());
    }
    scratch.replace(transactions.fileName());
    transactions.refreshCount();
    return counts;
}

}
