#include "entrysave.h"

#include "amountentry.h"
#include "typeentry.h"

#include "index/notesediting.h"
#include "store/datafiles.h"
#include "store/fields.h"
#include "util/dates.h"
#include "util/formats.h"

#include <algorithm>

namespace tallyo {

TransactionRecord BuildEntryRecord(TransactionRecord record, const EntryInput& input, EntryMode mode,
                                   const QString& accountKey)
{
    if (mode == EntryMode::Adding) {
        record.AccountKey = accountKey;
        record.Cleared = false;
    }
    if (input.date)
        record.TransactionDate = *input.date;
    if (input.type)
        record.TransactionType = StoredEntryType(*input.type);
    if (input.payee)
        record.Payee = input.payee->left(TransactionRecord::PayeeWidth);
    if (input.amountText) {
        const qint64 size = AmountBoxValue(*input.amountText).value_or(0);
        // The box shows no sign. A beginning balance below zero (an account
        // opened overdrawn) stays below zero; every other type takes its sign.
        if (record.TransactionType == TypeStart)
            record.Amount = record.Amount < 0 ? -size : size;
        else
            record.Amount = SignedAmount(record.TransactionType, size);
    }
    // Spaces are taken off before the comment is cut to its field, so that
    // leading spaces never cost characters of the comment itself.
    record.Comment = TrimSpaces(input.comment).left(TransactionRecord::CommentWidth);
    record.Notes = TrimSpaces(input.notes).left(TransactionRecord::NotesWidth);
    return record;
}

TransactionRecord ReadEntryRecord(qint32 number)
{
    return WhileTransactionsOpen([&] { return ReadTransactionRecord(number); });
}

QString SaveEntry(const TransactionRecord& record, EntryMode mode, qint32 number)
{
    WhileTransactionsOpen([&] {
        WriteTransactionRecord(mode == EntryMode::Adding ? TransactionCount() + 1 : number, record);
        return true;
    });
    return FormatStamp(record.TransactionDate);
}

double EntryDate(const QDate& day, const QDateTime& keepTimeFrom)
{
    return StoredFromDateTime(QDateTime(day, keepTimeFrom.isValid() ? keepTimeFrom.time() : QTime(0, 0), Qt::UTC));
}

QString EntryNotesGauge(const QString& shown)
{
    if (shown.isEmpty())
        return {};
    const double fraction = std::max(0.01, double(StoredNotesLength(shown)) / EntryNotesLength);
    return QStringLiteral(" ") + FormatPercent(fraction) + QStringLiteral(" full ");
}

}
