#include "folderlock.h"

#include "fileerror.h"
#include "fileio.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyo {

namespace {

constexpr int retryMs = 25;

// True when the open file is still the one under `path` (a holder that
// left may have removed it after this process opened it).
bool stillThere(int fd, const QByteArray& path)
{
    struct stat open, named;
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
        && open.st_ino == named.st_ino;
}

}

QString FolderLock::fileName()
{
    return QStringLiteral(".tallyo-lock");
}

FolderLock::~FolderLock()
{
    unlock();
}

bool FolderLock::lock(const QString& folder, Need need, int waitMs)
{
    unlock();
    path_ = (folder.endsWith(u'/') ? folder : folder + u'/') + fileName();
    const QByteArray native = QFile::encodeName(path_);
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            const int error = errno;
            if (need == Need::IfWritable && (error == EROFS || error == EACCES || error == EPERM)) {
                // Nobody may write here, so nobody can change the files
                // while they are read.
                locked_ = true;
                return true;
            }
            throw FileError(path_, QStringLiteral("lock"), SystemReason(error));
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            if (stillThere(fd, native)) {
                fd_ = fd;
                locked_ = true;
                removal_ = RemoveOnSignal(path_);
                return true;
            }
            ::close(fd);
            continue;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK && error != EINTR)
            throw FileError(path_, QStringLiteral("lock"), SystemReason(error));
        if (waited.elapsed() >= waitMs)
            return false;
        QThread::msleep(retryMs);
    }
}

void FolderLock::unlock()
{
    removal_.release();
    if (fd_ >= 0) {
        // Removed while still locked, so no other process can be holding
        // the file that goes.
        ::unlink(QFile::encodeName(path_).constData());
        ::close(fd_);
    }
    fd_ = -1;
    locked_ = false;
}

}
