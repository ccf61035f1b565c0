#include "singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

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
    : lock_(std::make_unique<QLockFile>(lockPath))
{
    // Never judge a lock stale by its age: a copy that has run for hours
    // still holds it. A lock whose owner process is gone is always stale.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryLock()
{
    return lock_->isLocked() || lock_->tryLock(0);
}

bool SingleInstance::isLocked() const
{
    return lock_->isLocked();
}

void SingleInstance::unlock()
{
    lock_->unlock();
}

}
