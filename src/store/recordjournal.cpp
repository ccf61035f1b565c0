#include "recordjournal.h"

#include "datafiles.h"
#include "fileerror.h"
#include "fileio.h"
#include "folderlock.h"
#include "recordfile.h"
#include "switchjournal.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QtEndian>

namespace tallyo {

namespace {

const QByteArray header = QByteArrayLiteral("Tallyo import journal 1\n");
const QByteArray trailer = QByteArrayLiteral("end\n");
constexpr int lockWaitMs = 5000;

// The file's old length and its old bytes at each place about to be written.
struct Journal {
    struct Piece {
        qint64 offset = 0;
        QByteArray bytes;
    };
    qint64 length = 0;
    std::vector<Piece> pieces;
};

// Appends `value` in the big-endian order QDataStream reads back.
template <class Integer>
void AppendBigEndian(QByteArray& text, Integer value)
{
    const Integer big = qToBigEndian(value);
    text.append(reinterpret_cast<const char*>(&big), sizeof big);
}

// The layout Decode reads with QDataStream, written straight into one
// buffer of its final size: the header, the old length, the pieces (each
// its offset and its bytes with their length), the trailer.
QByteArray Encode(const Journal& journal)
{
    qsizetype size = header.size() + trailer.size() + 12;
    for (const Journal::Piece& piece : journal.pieces)
        size += 12 + piece.bytes.size();
    QByteArray text;
    text.reserve(size);
    text.append(header);
    AppendBigEndian(text, qint64(journal.length));
    AppendBigEndian(text, quint32(journal.pieces.size()));
    for (const Journal::Piece& piece : journal.pieces) {
        AppendBigEndian(text, qint64(piece.offset));
        AppendBigEndian(text, quint32(piece.bytes.size()));
        text.append(piece.bytes);
    }
    text.append(trailer);
    return text;
}

[[noreturn]] void Damaged(const QString& path)
{
    throw FileError(path, QStringLiteral("read"),
                    QStringLiteral("The record of an unfinished import is damaged; "
                                   "check Account.dat in this folder and remove it."));
}

Journal Decode(const QString& path, const QByteArray& text)
{
    if (!text.startsWith(header) || !text.endsWith(trailer))
        Damaged(path);
    QDataStream in(text.sliced(header.size(), text.size() - header.size() - trailer.size()));
    Journal journal;
    quint32 count = 0;
    in >> journal.length >> count;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        Journal::Piece piece;
        in >> piece.offset >> piece.bytes;
        journal.pieces.push_back(std::move(piece));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd() || journal.length < 0)
        Damaged(path);
    return journal;
}

QString FolderOf(const QString& fileName)
{
    return QFileInfo(fileName).absolutePath();
}

// Puts the old bytes back, cuts the file to its old length, flushes it and
// removes the journal.
void Undo(const QString& fileName, const Journal& journal)
{
    PosixFile file(fileName, PosixFile::Mode::ReadWriteCreate);
    for (const Journal::Piece& piece : journal.pieces)
        file.writeAt(piece.bytes.constData(), piece.bytes.size(), piece.offset);
    file.truncate(journal.length);
    file.sync();
    file.close();
    DeleteFile(RecordJournalNameOf(fileName));
    SyncFolder(FolderOf(fileName));
}

// The journal in one step: written under a scratch name, flushed, renamed
// and the rename flushed, so a journal under its real name is whole.
void WriteJournal(const QString& fileName, const Journal& journal)
{
    const QString name = RecordJournalNameOf(fileName);
    const QString scratch = ScratchNameOf(name);
    const QByteArray text = Encode(journal);
    try {
        PosixFile file(scratch, PosixFile::Mode::WriteTruncate);
        file.writeAt(text.constData(), text.size(), 0);
        file.sync();
        file.close();
        RenameFile(scratch, name);
        SyncFolder(FolderOf(fileName));
    } catch (const FileError&) {
        // Nothing was touched yet; a journal left under either name would
        // only undo what is not done.
        try {
            DeleteFile(scratch);
            DeleteFile(name);
        } catch (const FileError&) {
        }
        throw;
    }
}

void LockFolder(FolderLock& lock, const QString& folder)
{
    if (!lock.lock(folder, FolderLock::Need::Required, lockWaitMs))
        throw FileError(folder, QStringLiteral("open"),
                        QStringLiteral("Another import, replace, backup or restore is changing this folder."));
}

}

QString RecordJournalNameOf(const QString& fileName)
{
    return fileName + QStringLiteral(".journal");
}

void WriteRecordsAsOneStep(const QString& fileName, int recordLength, const std::vector<RecordChange>& changes,
                           const QByteArray& appended)
{
    std::vector<qint32> numbers;
    numbers.reserve(changes.size());
    for (const RecordChange& change : changes) {
        if (change.bytes.size() != recordLength)
            throw FileError(fileName, QStringLiteral("write"),
                            QStringLiteral("A record of %1 bytes does not fit records of %2 bytes")
                                .arg(change.bytes.size()).arg(recordLength));
        numbers.push_back(change.number);
    }
    size_t next = 0;
    EditRecordsAsOneStep(fileName, recordLength, numbers,
                         [&](qint32, QByteArray& record) { record = changes[next++].bytes; }, appended);
}

void EditRecordsAsOneStep(const QString& fileName, int recordLength, const std::vector<qint32>& numbers,
                          const RecordEdit& edit, const QByteArray& appended)
{
    FolderLock lock;
    LockFolder(lock, FolderOf(fileName));

    PosixFile file(fileName, PosixFile::Mode::ReadWriteCreate);
    Journal journal;
    journal.length = file.size();
    const qint32 count = RecordCount(journal.length, recordLength);
    const qint64 end = qint64(count) * recordLength;
    // Each record is read once: its old bytes go into the journal, its
    // edited bytes are written after it.
    std::vector<QByteArray> edited;
    edited.reserve(numbers.size());
    journal.pieces.reserve(numbers.size() + 1);
    for (const qint32 number : numbers) {
        if (number < 1 || number > count)
            throw FileError(fileName, QStringLiteral("write"),
                            QStringLiteral("Record %1 does not exist (the file holds %2)").arg(number).arg(count));
        Journal::Piece piece{qint64(number - 1) * recordLength, QByteArray(recordLength, '\0')};
        piece.bytes.resize(qsizetype(file.readAt(piece.bytes.data(), recordLength, piece.offset)));
        QByteArray record = piece.bytes;
        record.resize(recordLength, '\0');
        edit(number, record);
        if (record.size() != recordLength)
            throw FileError(fileName, QStringLiteral("write"),
                            QStringLiteral("A record of %1 bytes does not fit records of %2 bytes")
                                .arg(record.size()).arg(recordLength));
        journal.pieces.push_back(std::move(piece));
        edited.push_back(std::move(record));
    }
    // Bytes of a damaged last record cut short, which the first new record
    // overwrites.
    if (!appended.isEmpty() && journal.length > end) {
        Journal::Piece tail{end, QByteArray(qsizetype(journal.length - end), '\0')};
        file.readAt(tail.bytes.data(), tail.bytes.size(), end);
        journal.pieces.push_back(std::move(tail));
    }

    WriteJournal(fileName, journal);
    try {
        if (!appended.isEmpty())
            file.writeAt(appended.constData(), appended.size(), end);
        for (size_t i = 0; i < numbers.size(); ++i)
            file.writeAt(edited[i].constData(), recordLength, qint64(numbers[i] - 1) * recordLength);
        file.sync();
        file.close();
        DeleteFile(RecordJournalNameOf(fileName));
        SyncFolder(FolderOf(fileName));
    } catch (const FileError&) {
        file = PosixFile();
        try {
            Undo(fileName, journal);
        } catch (const FileError&) {
            // The journal stays; the next start undoes the change from it.
        }
        throw;
    }
}

void UndoUnfinishedRecordChanges(const QString& folder)
{
    const QString fileName = QDir(folder).filePath(QString::fromLatin1(TransactionFileName));
    const QString name = RecordJournalNameOf(fileName);
    if (!FileExists(name) && !FileExists(ScratchNameOf(name)))
        return;
    FolderLock lock;
    LockFolder(lock, folder);
    // A journal left under its scratch name was never complete: the data
    // file was not touched.
    DeleteFile(ScratchNameOf(name));
    if (!FileExists(name))
        return;
    QByteArray text;
    {
        PosixFile file(name, PosixFile::Mode::Read);
        text.resize(qsizetype(file.size()));
        text.resize(qsizetype(file.readAt(text.data(), text.size(), 0)));
    }
    Undo(fileName, Decode(name, text));
}

}
