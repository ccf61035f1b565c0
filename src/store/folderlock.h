#pragma once
// An exclusive lock on a folder for the length of a procedure that writes
// it (backup, restore): a lock file in the folder locked with flock, which
// the kernel releases when the process ends in any way. The last holder
// removes the file; a process that finds the file gone after locking it
// starts again on the new one.
#include "signalcleanup.h"

#include <QString>

namespace tallyo {

class FolderLock {
public:
    // The lock file's name inside the folder.
    static QString fileName();

    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // What taking the lock may meet besides success.
    enum class Need {
        Required,      // the folder is written: no lock file, no procedure
        IfWritable,    // the folder is only read: a folder nobody may write to needs no lock
    };
    // Takes the lock on `folder`, trying again for up to `waitMs` while
    // another process holds it. False when it is still held then. Throws
    // FileError when the lock file cannot be made or locked.
    bool lock(const QString& folder, Need need, int waitMs);
    void unlock();
    bool isLocked() const { return locked_; }

private:
    int fd_ = -1;
    bool locked_ = false;
    QString path_;
    RemoveOnSignal removal_;
};

}
