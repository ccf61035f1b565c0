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

QByteArray Encode(const Journal& journal)
{
    QByteArray text;
    QDataStream out(&text, QIODevice::WriteOnly);
    out.writeRawData(header.constData(), int(header.size()));
    out << journal.length << quint32(journal.pieces.size());
    for (const Journal::Piece& piece : journal.pieces)
        out << piece.offset << piece.bytes;
    out.writeRawData(trailer.constData(), int(trailer.size()));
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
    FolderLock lock;
    LockFolder(lock, FolderOf(fileName));

    PosixFile file(fileName, PosixFile::Mode::ReadWriteCreate);
    Journal journal;
    journal.length = file.size();
    const qint32 count = RecordCount(journal.length, recordLength);
    const qint64 end = qint64(count) * recordLength;
    for (const RecordChange& change : changes) {
        if (change.number < 1 || change.number > count || change.bytes.size() != recordLength)
            throw FileError(fileName, QStringLiteral("write"),
                            QStringLiteral("Record %1 does not exist (the file holds %2)").arg(change.number).arg(count));
        Journal::Piece piece{qint64(change.number - 1) * recordLength, QByteArray(recordLength, '\0')};
        piece.bytes.resize(qsizetype(file.readAt(piece.bytes.data(), recordLength, piece.offset)));
        journal.pieces.push_back(std::move(piece));
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
        for (const RecordChange& change : changes)
            file.writeAt(change.bytes.constData(), recordLength, qint64(change.number - 1) * recordLength);
        file.sync();
        file.close();
        DeleteFile(RecordJournalNameOf(fileName));
        SyncFolder(FolderOf(fileName));
    } catch (const FileError&) {
        file = PosixFile();
        try {
            Undo(fileName, journal);
        } catch (const FileError&) {
            // The journal stays; the next start undoes the import from it.
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
