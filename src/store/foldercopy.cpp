#include "foldercopy.h"

#include "fileerror.h"
#include "fileio.h"

#include <QFile>
#include <optional>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tallyo {

namespace {

constexpr qint64 chunkBytes = 1 << 20;

std::function<void(CopyStep, const QString&)>& stepHook()
{
    static std::function<void(CopyStep, const QString&)> hook;
    return hook;
}

void reach(CopyStep step, const QString& name)
{
    if (stepHook())
        stepHook()(step, name);
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
    return name + QStringLiteral(".$$$");
}

QString FolderCopy::keptName(const QString& name)
{
    return name + QStringLiteral(".old$$$");
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

void FolderCopy::copy(const QString& name)
{
    const QString from = source_ + name;
    const QString scratch = target_ + scratchName(name);
    try {
        PosixFile in(from, PosixFile::Mode::Read);
        in.adviseSequential();
        PosixFile out(scratch, PosixFile::Mode::WriteTruncate);
        std::vector<char> buffer(static_cast<size_t>(chunkBytes));
        qint64 offset = 0;
        for (;;) {
            const qint64 got = in.readNext(buffer.data(), chunkBytes);
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
        reach(CopyStep::FileCopied, name);
    } catch (...) {
        if (!copied_.contains(name))
            ::unlink(nativeName(scratch).constData());
        throw;
    }
}

void FolderCopy::commit()
{
    // Before anything is replaced, each existing target gets a second name,
    // so that its content can be put back if a later rename fails.
    std::vector<bool> existed, kept;
    for (const QString& name : copied_) {
        const QByteArray target = nativeName(target_ + name);
        const QByteArray keep = nativeName(target_ + keptName(name));
        ::unlink(keep.constData());
        existed.push_back(FileExists(target_ + name));
        kept.push_back(existed.back() && ::link(target.constData(), keep.constData()) == 0);
    }
    auto dropKept = [&] {
        for (qsizetype i = 0; i < copied_.size(); ++i) {
            if (kept[size_t(i)])
                ::unlink(nativeName(target_ + keptName(copied_[i])).constData());
        }
    };

    qsizetype renamed = 0;
    try {
        for (const QString& name : copied_) {
            RenameFile(target_ + scratchName(name), target_ + name);
            ++renamed;
            reach(CopyStep::Renamed, name);
        }
    } catch (...) {
        for (qsizetype i = 0; i < renamed; ++i) {
            const QByteArray target = nativeName(target_ + copied_[i]);
            if (kept[size_t(i)])
                ::rename(nativeName(target_ + keptName(copied_[i])).constData(), target.constData());
            else if (!existed[size_t(i)])
                ::unlink(target.constData());
        }
        for (qsizetype i = renamed; i < copied_.size(); ++i)
            ::unlink(nativeName(target_ + scratchName(copied_[i])).constData());
        dropKept();
        committed_ = true;  // nothing of this copy is left to remove
        throw;
    }
    committed_ = true;
    dropKept();
    // The copies are in place either way; syncing the folder only makes the
    // new names survive a power cut sooner.
    try {
        SyncFolder(target_);
    } catch (const FileError&) {
    }
}

}
