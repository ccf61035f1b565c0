#pragma once
// Turning what the entry window holds into the stored transaction, and
// writing it: appended as a new record when adding, over the highlighted
// record when modifying. The save marker (the transaction's date and time
// as "yyyymmddhhnnss") tells the register which row to highlight.
#include "store/records.h"

#include <QDate>
#include <QString>
#include <optional>

namespace tallyo {

enum class EntryMode { Adding, Modifying };

// The width of the notes field and of the notes box.
inline constexpr int EntryNotesLength = TransactionRecord::NotesWidth;

// What the window holds. A field whose control is disabled or hidden is
// left empty (nothing) and keeps its stored value.
struct EntryInput {
    std::optional<double> date;       // stored form of the chosen date and time
    std::optional<QString> type;      // the type box's text
    std::optional<QString> payee;
    std::optional<QString> amountText; // as the amount box shows it
    QString comment;
    QString notes;                    // as stored: lines separated by CR LF
};

// The record to store: `base` is the transaction being modified (or, when
// adding, whatever the window started from) with the input laid over it.
// The type must already be accepted.
TransactionRecord BuildEntryRecord(TransactionRecord base, const EntryInput& input, EntryMode mode,
                                   const QString& accountKey);

// Reads one transaction (opens and closes Account.dat).
TransactionRecord ReadEntryRecord(qint32 number);
// Writes the record: appended when adding, as record `number` when
// modifying. Gives back the save marker.
QString SaveEntry(const TransactionRecord& record, EntryMode mode, qint32 number);

// The date and time an entry stores for a chosen day: the day with the time
// of day of `keepTimeFrom` (so that the save marker picks out the entry).
double EntryDate(const QDate& day, const QDateTime& keepTimeFrom);

// The notes gauge, " 50% full ": the stored length over the field's width,
// at least 1%; empty for empty notes. `shown` uses line feeds.
QString EntryNotesGauge(const QString& shown);

}
