#include "statementimport.h"

#include "store/datafiles.h"
#include "store/fields.h"
#include "store/fileerror.h"
#include "store/recordjournal.h"
#include "store/recordfile.h"

#include <algorithm>
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

    // The new lines are made; then, as one step behind a journal
    // (store/recordjournal.h), each matched transaction is read, checked
    // and cleared in place, and the new ones are appended.
    RecordFile& transactions = dataFiles().TransactionFile;
    transactions.refreshCount();
    QByteArray appended;
    appended.reserve(qsizetype(counts.added) * TransactionRecord::Length);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsTicked(ticked, i) && matches[i].outcome == LineMatch::Outcome::New)
            appended += TransactionForLine(lines[i], accountKey).encode();
    }
    std::vector<qint32> numbers;
    numbers.reserve(toClear.size());
    for (const auto& [number, lineIndex] : toClear) {
        if (number < 1 || number > transactions.count())
            RefuseImport(RegisterChanged());
        numbers.push_back(number);
    }
    const QByteArray key = AccountKeyBytes(accountKey);
    auto next = toClear.cbegin();
    const auto clear = [&](qint32, QByteArray& bytes) {
        const StatementLine& line = lines[(next++)->second];
        const TransactionView view(bytes.constData());
        if (!view.hasKey(key) || view.amount() != line.amount || view.date() == 0.0)
            RefuseImport(RegisterChanged());
        // Only the cleared flag and the notes change; every other byte of
        // the record stays as it was.
        WriteFlag(bytes.data() + TransactionRecord::ClearedAt, true);
        if (!line.bankId.isEmpty()) {
            char* notes = bytes.data() + TransactionRecord::NotesAt;
            constexpr int width = TransactionRecord::NotesWidth;
            const bool blank = std::all_of(notes, notes + width, [](char c) { return c == ' '; });
            WriteText(notes, width, NotesWithBankId(blank ? QString() : ReadText(notes, width), line.bankId));
        }
    };
    EditRecordsAsOneStep(transactions.fileName(), TransactionRecord::Length, numbers, clear, appended);
    // The import is done and on disk; a count that cannot be refreshed now
    // is refreshed by the next open of the file.
    try {
        transactions.refreshCount();
    } catch (const FileError&) {
    }
    return counts;
}

}
