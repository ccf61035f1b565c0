#include "statementimport.h"

#include "store/datafiles.h"
#include "store/fields.h"
#include "store/fileerror.h"
#include "store/recordjournal.h"
#include "store/recordfile.h"

#include <map>

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

QString RegisterChanged()
{
    return QStringLiteral("The register changed after the statement was matched; nothing was imported. "
                          "Import the statement again.");
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
    std::map<qint32, size_t> toClear;  // in file order
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsTicked(ticked, i) && matches[i].outcome == LineMatch::Outcome::Matching)
            toClear.emplace(matches[i].record, i);
    }

    // The matched transactions are read by number and checked, the new
    // lines made; then the changed records are written in place and the new
    // ones appended, as one step behind a journal (store/recordjournal.h).
    RecordFile& transactions = dataFiles().TransactionFile;
    const QByteArray key = AccountKeyBytes(accountKey);
    std::vector<RecordChange> changes;
    changes.reserve(toClear.size());
    transactions.open();
    try {
        for (const auto& [number, lineIndex] : toClear) {
            if (number < 1 || number > transactions.count())
                RefuseImport(RegisterChanged());
            const QByteArray bytes = transactions.read(number);
            TransactionRecord record = TransactionRecord::decode(bytes.constData());
            const StatementLine& line = lines[lineIndex];
            if (!TransactionView(bytes.constData()).hasKey(key) || record.Amount != line.amount
                || record.TransactionDate == 0.0)
                RefuseImport(RegisterChanged());
            record.Cleared = true;
            if (!line.bankId.isEmpty())
                record.Notes = NotesWithBankId(record.Notes, line.bankId);
            changes.push_back({number, record.encode()});
        }
    } catch (const FileError&) {
        transactions.close();
        throw;
    }
    transactions.close();

    QByteArray appended;
    appended.reserve(qsizetype(counts.added) * TransactionRecord::Length);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsTicked(ticked, i) && matches[i].outcome == LineMatch::Outcome::New)
            appended += TransactionForLine(lines[i], accountKey).encode();
    }
    WriteRecordsAsOneStep(transactions.fileName(), TransactionRecord::Length, changes, appended);
    // The import is done and on disk; a count that cannot be refreshed now
    // is refreshed by the next open of the file.
    try {
        transactions.refreshCount();
    } catch (const FileError&) {
    }
    return counts;
}

}
