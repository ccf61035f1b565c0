#pragma once
// Refuses a second running copy of the program for the same user: a lock
// file in the user's runtime folder, held for as long as the program runs.
// A lock left behind by a copy that crashed is taken over, since its owner
// process is gone; a copy stopped by SIGTERM or SIGINT removes it.
#include "store/signalcleanup.h"

#include <QString>
#include <memory>

class QLockFile;

namespace tallyo {

class SingleInstance {
public:
    // The lock file of the user's session (the runtime folder, else the
    // temporary folder with the user's name in it).
    static QString defaultLockPath();

    explicit SingleInstance(const QString& lockPath = defaultLockPath());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this copy now holds the lock (or already did); false when
    // another running copy holds it or the lock file cannot be made.
    bool tryLock();
    bool isLocked() const;
    void unlock();

    // After a refused tryLock: true only when another running copy holds
    // the lock. Any other refusal (a folder that cannot be written, a file
    // in the way that is no lock of a running copy) is a failure to lock.
    bool heldByAnotherCopy() const;
    // After a failure to lock: the system's reason, for the user.
    QString failureReason() const;
    QString lockPath() const { return path_; }

private:
    std::unique_ptr<QLockFile> lock_;
    QString path_;
    int error_ = 0;  // errno as the last tryLock left it
    RemoveOnSignal removal_;
};

}
