#include "singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <cerrno>
#include <cstring>
#include <signal.h>

namespace tallyo {

QString SingleInstance::defaultLockPath()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QDir().mkpath(runtime))
        return QDir(runtime).filePath(QStringLiteral("tallyo.lock"));
    const QString user = qEnvironmentVariable("USER", QStringLiteral("user"));
    return QDir(QDir::tempPath()).filePath(QStringLiteral("tallyo-%1.lock").arg(user));
}

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)), path_(lockPath)
{
    // Never judge a lock stale by its age: a copy that has run for hours
    // still holds it. A lock whose owner process is gone is always stale.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    removal_.release();
}

bool SingleInstance::tryLock()
{
    if (lock_->isLocked())
        return true;
    errno = 0;
    const bool locked = lock_->tryLock(0);
    // QLockFile keeps only a rough kind of error; the system's own reason is
    // what the failing call left in errno.
    error_ = errno;
    if (locked)
        removal_ = RemoveOnSignal(path_);
    return locked;
}

bool SingleInstance::heldByAnotherCopy() const
{
    if (lock_->isLocked() || lock_->error() != QLockFile::LockFailedError)
        return false;
    // The file is there; it counts only when it names a process that still
    // runs (QLockFile leaves a stale lock in place when it cannot remove it).
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock_->getLockInfo(&pid, &host, &application) || pid <= 0)
        return false;
    if (host != QSysInfo::machineHostName())
        return true;  // another machine's process cannot be looked at
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

QString SingleInstance::failureReason() const
{
    switch (lock_->error()) {
    case QLockFile::NoError:
        return {};
    case QLockFile::LockFailedError:
        return QStringLiteral("The file is in the way, but it is no lock of a running copy "
                              "and cannot be replaced.");
    case QLockFile::PermissionError:
        return QString::fromLocal8Bit(std::strerror(error_ != 0 ? error_ : EACCES));
    case QLockFile::UnknownError:
        break;
    }
    return error_ != 0 ? QString::fromLocal8Bit(std::strerror(error_)) : QStringLiteral("Unknown error");
}

bool SingleInstance::isLocked() const
{
    return lock_->isLocked();
}

void SingleInstance::unlock()
{
    removal_.release();
    lock_->unlock();
}

}
