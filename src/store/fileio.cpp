#include "fileio.h"

#include "fileerror.h"
#include "fileseam.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyo {

namespace {

[[noreturn]] void fail(const QString& name, const char* operation, int error)
{
    throw FileError(name, QString::fromLatin1(operation), SystemReason(error));
}

QByteArray nativeName(const QString& name)
{
    return QFile::encodeName(name);
}

}

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString NotRegularFileReason()
{
    return QStringLiteral("It is not a regular file (a device, pipe or socket is in its place).");
}

PosixFile::PosixFile(const QString& name, Mode mode) : name_(name)
{
    int flags = O_CLOEXEC;
    switch (mode) {
    case Mode::Read: flags |= O_RDONLY; break;
    case Mode::ReadWriteCreate: flags |= O_RDWR | O_CREAT; break;
    case Mode::WriteTruncate: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
    }
    if (mode != Mode::Read)
        ReachFileStep(FileStep::Create, name);
    // Not blocking while opening: a FIFO in place of a file would otherwise
    // wait for a writer for ever.
    do {
        fd_ = ::open(nativeName(name).constData(), flags | O_NONBLOCK, 0600);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
        const int error = errno;
        struct stat info;
        if (::stat(nativeName(name).constData(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode))
            throw FileError(name, QStringLiteral("open"), NotRegularFileReason());
        fail(name, "open", error);
    }
    // Data files are plain files only: a device, FIFO or socket would hang a
    // read or never hold what was written.
    struct stat info {};
    const bool known = ::fstat(fd_, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        const int error = !known ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
        closeQuietly();
        if (error != 0)
            fail(name, "open", error);
        throw FileError(name, QStringLiteral("open"), NotRegularFileReason());
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
}

PosixFile::~PosixFile()
{
    closeQuietly();
}

PosixFile::PosixFile(PosixFile&& other) noexcept : fd_(other.fd_), name_(std::move(other.name_))
{
    other.fd_ = -1;
}

PosixFile& PosixFile::operator=(PosixFile&& other) noexcept
{
    if (this != &other) {
        closeQuietly();
        fd_ = other.fd_;
        name_ = std::move(other.name_);
        other.fd_ = -1;
    }
    return *this;
}

qint64 PosixFile::size() const
{
    struct stat info;
    if (::fstat(fd_, &info) != 0)
        fail(name_, "read", errno);
    return info.st_size;
}

qint64 PosixFile::readAt(char* buffer, qint64 length, qint64 offset) const
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd_, buffer + done, size_t(length - done), off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail(name_, "read", errno);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

qint64 PosixFile::readNext(char* buffer, qint64 length)
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t got = ::read(fd_, buffer + done, size_t(length - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail(name_, "read", errno);
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

void PosixFile::writeAt(const char* buffer, qint64 length, qint64 offset)
{
    ReachFileStep(FileStep::Write, name_);
    qint64 done = 0;
    while (done < length) {
        const ssize_t put = ::pwrite(fd_, buffer + done, size_t(length - done), off_t(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            fail(name_, "write", errno);
        if (put == 0)
            fail(name_, "write", ENOSPC);
        done += put;
    }
}

void PosixFile::truncate(qint64 length)
{
    ReachFileStep(FileStep::Truncate, name_);
    int result;
    do {
        result = ::ftruncate(fd_, off_t(length));
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        fail(name_, "write", errno);
}

void PosixFile::sync()
{
    ReachFileStep(FileStep::Sync, name_);
    if (::fsync(fd_) != 0)
        fail(name_, "write", errno);
}

void PosixFile::adviseSequential()
{
    // Only a hint: a refusal changes nothing.
    (void)::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

void PosixFile::close()
{
    if (fd_ < 0)
        return;
    ReachFileStep(FileStep::Close, name_);
    const int fd = fd_;
    fd_ = -1;
    // On Linux the descriptor is gone even when close reports an error, so
    // it is never retried.
    if (::close(fd) != 0 && errno != EINTR)
        fail(name_, "close", errno);
}

void PosixFile::takePermissionsOf(const QString& other)
{
    struct stat info;
    if (::stat(nativeName(other).constData(), &info) != 0) {
        if (errno == ENOENT)
            return;
        fail(other, "read the permissions of", errno);
    }
    const mode_t mode = info.st_mode & 07777;
    if (::fchmod(fd_, mode) != 0 && errno != EPERM && errno != EOPNOTSUPP)
        fail(name_, "set the permissions of", errno);
}

void PosixFile::closeQuietly() noexcept
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void MakePrivateFolder(const QString& path)
{
    // Not cleaned as text: "link/.." is wherever the system takes it.
    QString clean = QDir::current().absoluteFilePath(path);
    while (clean.size() > 1 && clean.endsWith(QLatin1Char('/')))
        clean.chop(1);
    // Each folder from the top down; mkdir leaves an existing one alone.
    qsizetype at = 0;
    while (at >= 0) {
        at = clean.indexOf(QLatin1Char('/'), at + 1);
        if (at > 0 && clean[at - 1] == QLatin1Char('/'))
            continue;
        const QString folder = at < 0 ? clean : clean.left(at);
        if (::mkdir(nativeName(folder).constData(), 0700) == 0 || errno == EEXIST)
            continue;
        // Some systems refuse before they look: a folder that is there will do.
        const int error = errno;
        struct stat info;
        if (::stat(nativeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
            fail(folder, "create", error);
    }
    struct stat info;
    if (::stat(nativeName(clean).constData(), &info) != 0)
        fail(clean, "open", errno);
    if (!S_ISDIR(info.st_mode))
        fail(clean, "open", ENOTDIR);
}

void RenameFile(const QString& from, const QString& to)
{
    ReachFileStep(FileStep::Rename, to);
    if (::rename(nativeName(from).constData(), nativeName(to).constData()) != 0)
        throw FileError(to, QStringLiteral("replace"), SystemReason(errno));
}

void DeleteFile(const QString& name)
{
    ReachFileStep(FileStep::Delete, name);
    if (::unlink(nativeName(name).constData()) != 0 && errno != ENOENT)
        fail(name, "delete", errno);
}

bool FileExists(const QString& name)
{
    struct stat info;
    return ::stat(nativeName(name).constData(), &info) == 0;
}

qint64 FileLength(const QString& name)
{
    struct stat info;
    if (::stat(nativeName(name).constData(), &info) != 0)
        return -1;
    return info.st_size;
}

void SyncWorkingFolder()
{
    SyncFolder(QDir::currentPath());
}

void SyncFolder(const QString& folder)
{
    ReachFileStep(FileStep::SyncFolder, folder);
    const int fd = ::open(nativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fail(folder, "open", errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0)
        fail(folder, "write", error);
}

}
