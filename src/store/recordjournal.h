#pragma once
// Changing a few records of a large data file and appending many as one
// step, without rewriting the file. Before the file is touched, a journal
// beside it (NAME.journal) keeps the file's length and the bytes
// about to be overwritten, flushed with the folder; it is removed once the
// file is flushed. A process stopped in between leaves the journal behind,
// and whoever next opens the folder puts the old bytes back and cuts the
// file to its old length before reading anything: the file is then exactly
// as it was. A failure on the way undoes at once, from the same journal.
#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace tallyo {

QString RecordJournalNameOf(const QString& fileName);

// One record to overwrite in place, by number (counting from 1).
struct RecordChange {
    qint32 number = 0;
    QByteArray bytes;  // exactly one record
};

// Writes `changes` in place and appends `appended` (whole records) after the
// file's last record, as one step. The caller holds no handle to the file.
// Throws FileError, with the file as it was.
void WriteRecordsAsOneStep(const QString& fileName, int recordLength, const std::vector<RecordChange>& changes,
                           const QByteArray& appended);

// Edits record `number` (its bytes as they are in the file, padded with
// zero bytes when the file cuts it short) in place; throws FileError to
// refuse the whole step.
using RecordEdit = std::function<void(qint32 number, QByteArray& record)>;

// The same, with each record read once, under the folder's lock, and
// handed to `edit`: records listed by number (each once, counting from 1),
// then `appended` after the last record, as one step.
void EditRecordsAsOneStep(const QString& fileName, int recordLength, const std::vector<qint32>& numbers,
                          const RecordEdit& edit, const QByteArray& appended);

// Before a command or the program reads `folder`: an unfinished change in
// place of its Account.dat (an import, a find and replace) is undone, under the folder's lock. A folder without a
// journal is left alone. Throws FileError, also when another process keeps
// the folder locked.
void UndoUnfinishedRecordChanges(const QString& folder);

}
