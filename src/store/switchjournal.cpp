#include "switchjournal.h"

#include "fileerror.h"
#include "fileio.h"
#include "folderlock.h"

#include <QFile>

namespace tallyo {

namespace {

const QByteArray header = QByteArrayLiteral("Tallyo switch");
constexpr int lockWaitMs = 5000;

QString inFolder(const QString& folder, const QString& name)
{
    return (folder.endsWith(u'/') ? folder : folder + u'/') + name;
}

[[noreturn]] void damaged(const QString& path)
{
    throw FileError(path, QStringLiteral("read"),
                    QStringLiteral("The record of an unfinished copy is damaged; "
                                   "check the files in this folder and remove it."));
}

}

QString ScratchNameOf(const QString& name)
{
    return name + QStringLiteral(".$$$");
}

QString KeptNameOf(const QString& name)
{
    return name + QStringLiteral(".old$$$");
}

QString SwitchJournal::fileName()
{
    return QStringLiteral(".tallyo-switch");
}

void SwitchJournal::write(const QString& folder, Direction direction, const QList<Entry>& entries)
{
    QByteArray text = header + '\n' + (direction == Direction::Forward ? "forward" : "back") + '\n';
    for (const Entry& entry : entries)
        text += (entry.existed ? "1 " : "0 ") + QFile::encodeName(entry.name) + '\n';
    const QString journal = inFolder(folder, fileName());
    const QString scratch = ScratchNameOf(journal);
    {
        PosixFile file(scratch, PosixFile::Mode::WriteTruncate);
        file.writeAt(text.constData(), text.size(), 0);
        file.sync();
        file.close();
    }
    RenameFile(scratch, journal);
    SyncFolder(folder);
}

void SwitchJournal::remove(const QString& folder)
{
    DeleteFile(inFolder(folder, fileName()));
    SyncFolder(folder);
}

bool SwitchJournal::exists(const QString& folder)
{
    return FileExists(inFolder(folder, fileName()));
}

bool SwitchJournal::recover(const QString& folder)
{
    const QString journal = inFolder(folder, fileName());
    if (!FileExists(journal)) {
        DeleteFile(ScratchNameOf(journal));
        return false;
    }
    QByteArray text;
    {
        PosixFile file(journal, PosixFile::Mode::Read);
        text.resize(qsizetype(qMin<qint64>(file.size(), 1 << 16)));
        text.resize(qsizetype(file.readAt(text.data(), text.size(), 0)));
    }
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 3 || lines[0] != header || (lines[1] != "forward" && lines[1] != "back")
        || !lines.last().isEmpty())
        damaged(journal);
    const bool forward = lines[1] == "forward";
    QList<Entry> entries;
    for (qsizetype i = 2; i + 1 < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (line.size() < 3 || (line[0] != '0' && line[0] != '1') || line[1] != ' ' || line.contains('/'))
            damaged(journal);
        entries.append({QFile::decodeName(line.mid(2)), line[0] == '1'});
    }

    for (const Entry& entry : entries) {
        const QString target = inFolder(folder, entry.name);
        const QString scratch = inFolder(folder, ScratchNameOf(entry.name));
        const QString kept = inFolder(folder, KeptNameOf(entry.name));
        if (forward) {
            // Every new file was complete before the journal was written: a
            // scratch file still there has not taken its name yet.
            if (FileExists(scratch))
                RenameFile(scratch, target);
        } else {
            if (FileExists(kept))
                RenameFile(kept, target);
            else if (!entry.existed)
                DeleteFile(target);
            DeleteFile(scratch);
        }
    }
    SyncFolder(folder);
    for (const Entry& entry : entries)
        DeleteFile(inFolder(folder, KeptNameOf(entry.name)));
    remove(folder);
    return true;
}

void ClearCopyLeftovers(const QString& folder, const QStringList& names)
{
    for (const QString& name : names) {
        DeleteFile(inFolder(folder, ScratchNameOf(name)));
        DeleteFile(inFolder(folder, KeptNameOf(name)));
    }
    DeleteFile(inFolder(folder, ScratchNameOf(SwitchJournal::fileName())));
}

void FinishUnfinishedSwitch(const QString& folder)
{
    if (!SwitchJournal::exists(folder))
        return;
    FolderLock lock;
    if (!lock.lock(folder, FolderLock::Need::Required, lockWaitMs))
        throw FileError(folder, QStringLiteral("open"),
                        QStringLiteral("Another backup or restore is changing this folder."));
    SwitchJournal::recover(folder);
}

}
