#include "foldercopy.h"

#include "fileerror.h"
#include "fileio.h"
#include "switchjournal.h"

#include <QFile>
#include <optional>
#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyo {

namespace {

constexpr qint64 chunkBytes = 1 << 20;

std::function<void(CopyStep, const QString&)>& stepHook()
{
    static std::function<void(CopyStep, const QString&)> hook;
    return hook;
}

// Fault tests from outside the program set TALLYO_TEST_STOP_AT=N to kill the
// process, with nothing tidied, at the N-th step of its copies, or
// TALLYO_TEST_STOP_AT=N:term to send it SIGTERM there.
void stopWhenAsked()
{
    static const QByteArray asked = qgetenv("TALLYO_TEST_STOP_AT");
    static const int stopAt = asked.split(':').first().toInt();
    static const int signal = asked.endsWith(":term") ? SIGTERM : SIGKILL;
    static int reached = 0;
    if (stopAt > 0 && ++reached == stopAt)
        ::kill(::getpid(), signal);
}

void reach(CopyStep step, const QString& name)
{
    if (stepHook())
        stepHook()(step, name);
    if (step != CopyStep::ChunkWritten)
        stopWhenAsked();
}

QString asFolder(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

QByteArray nativeName(const QString& name)
{
    return QFile::encodeName(name);
}

// The permission bits of a file, or nothing when it does not exist.
std::optional<mode_t> modeOf(const QString& path)
{
    struct stat info;
    if (::stat(nativeName(path).constData(), &info) != 0)
        return std::nullopt;
    return info.st_mode & 07777;
}

}

void SetCopyStepHook(std::function<void(CopyStep, const QString&)> hook)
{
    stepHook() = std::move(hook);
}

QString FolderCopy::scratchName(const QString& name)
{
    return ScratchNameOf(name);
}

QString FolderCopy::keptName(const QString& name)
{
    return KeptNameOf(name);
}

FolderCopy::FolderCopy(const QString& sourceFolder, const QString& targetFolder)
    : source_(asFolder(sourceFolder)), target_(asFolder(targetFolder))
{
}

FolderCopy::~FolderCopy()
{
    if (committed_)
        return;
    for (const QString& name : copied_)
        ::unlink(nativeName(target_ + scratchName(name)).constData());
}

void FolderCopy::copy(const QString& name, int recordLength)
{
    const QString from = source_ + name;
    const QString scratch = target_ + scratchName(name);
    RemoveOnSignal guard;
    try {
        PosixFile in(from, PosixFile::Mode::Read);
        in.adviseSequential();
        // The length as the copy starts, cut to whole records: what another
        // process appends meanwhile, or the part of a record it is writing,
        // is left out.
        qint64 length = in.size();
        if (recordLength > 0)
            length -= length % recordLength;
        guard = RemoveOnSignal(scratch);
        PosixFile out(scratch, PosixFile::Mode::WriteTruncate);
        std::vector<char> buffer(static_cast<size_t>(chunkBytes));
        qint64 offset = 0;
        while (offset < length) {
            const qint64 got = in.readNext(buffer.data(), qMin(chunkBytes, length - offset));
            if (got <= 0)
                break;
            out.writeAt(buffer.data(), got, offset);
            offset += got;
            reach(CopyStep::ChunkWritten, name);
        }
        out.sync();
        out.close();

        // The new file keeps the permissions of the one it replaces, so a
        // read-only file is read-only again afterwards; a new file may be
        // written by its owner whatever the source allowed.
        // File systems without owners and permission bits (a FAT memory
        // stick) refuse the change; their files are all alike anyway.
        const mode_t mode = modeOf(target_ + name).value_or(modeOf(from).value_or(0644) | S_IRUSR | S_IWUSR);
        if (modeOf(scratch) != mode && ::chmod(nativeName(scratch).constData(), mode) != 0 && errno != EPERM
            && errno != EOPNOTSUPP)
            throw FileError(scratch, QStringLiteral("set the permissions of"), SystemReason(errno));
        copied_.append(name);
        scratchGuards_.push_back(std::move(guard));
        reach(CopyStep::FileCopied, name);
    } catch (...) {
        if (!copied_.contains(name))
            ::unlink(nativeName(scratch).constData());
        throw;
    }
}

void FolderCopy::adopt(const QString& name)
{
    copied_.append(name);
    reach(CopyStep::FileCopied, name);
}

void FolderCopy::commit()
{
    // A stopping signal waits until the files are switched (or put back).
    HoldSignals hold;
    // Before anything is replaced, each existing target gets a second name,
    // so that its content can be put back if a later rename fails.
    QList<SwitchJournal::Entry> entries;
    std::vector<bool> kept;
    for (const QString& name : copied_) {
        const QByteArray target = nativeName(target_ + name);
        const QByteArray keep = nativeName(target_ + keptName(name));
        ::unlink(keep.constData());
        const bool existed = FileExists(target_ + name);
        entries.append({name, existed});
        kept.push_back(existed && ::link(target.constData(), keep.constData()) == 0);
    }
    auto dropKept = [&] {
        for (qsizetype i = 0; i < copied_.size(); ++i) {
            if (kept[size_t(i)])
                ::unlink(nativeName(target_ + keptName(copied_[i])).constData());
        }
    };
    auto dropScratch = [&] {
        for (const QString& name : copied_)
            ::unlink(nativeName(target_ + scratchName(name)).constData());
        scratchGuards_.clear();
    };
    reach(CopyStep::Prepared, QString());

    try {
        SwitchJournal::write(target_, SwitchJournal::Direction::Forward, entries);
    } catch (...) {
        dropScratch();
        dropKept();
        committed_ = true;
        throw;
    }
    reach(CopyStep::JournalWritten, QString());

    qsizetype renamed = 0;
    try {
        for (const QString& name : copied_) {
            RenameFile(target_ + scratchName(name), target_ + name);
            ++renamed;
            reach(CopyStep::Renamed, name);
        }
        SyncFolder(target_);
        SwitchJournal::remove(target_);
    } catch (...) {
        // The journal now says to put the earlier files back, so that a stop
        // during the undoing is undone too.
        bool undone = false;
        try {
            SwitchJournal::write(target_, SwitchJournal::Direction::Back, entries);
            SwitchJournal::recover(target_);
            undone = true;
        } catch (const FileError&) {
        }
        for (qsizetype i = 0; i < renamed; ++i) {
            // Without a second name (a file system without hard links) a
            // replaced file cannot come back.
            if (entries[i].existed && !kept[size_t(i)])
                targetAsItWas_ = false;
        }
        if (!undone) {
            for (qsizetype i = 0; i < renamed; ++i) {
                const QByteArray target = nativeName(target_ + copied_[i]);
                bool back = false;
                if (kept[size_t(i)])
                    back = ::rename(nativeName(target_ + keptName(copied_[i])).constData(), target.constData()) == 0;
                else if (!entries[i].existed)
                    back = ::unlink(target.constData()) == 0;
                targetAsItWas_ = targetAsItWas_ && back;
            }
            ::unlink(nativeName(target_ + SwitchJournal::fileName()).constData());
        }
        dropScratch();
        dropKept();
        committed_ = true;  // nothing of this copy is left to remove
        throw;
    }
    scratchGuards_.clear();
    committed_ = true;
    reach(CopyStep::JournalRemoved, QString());
    dropKept();
}

}
