#pragma once
// Refuses a second running copy of the program for the same user: a lock
// file in the user's runtime folder, held for as long as the program runs.
// A lock left behind by a copy that crashed is taken over, since its owner
// process is gone.
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

private:
    std::unique_ptr<QLockFile> lock_;
};

}
