#pragma once
// The folders of a backup or restore: their locks, the copies a stopped
// procedure left in them, and how their paths and files are judged.
#include "store/folderlock.h"

#include <QString>

namespace tallyo {

// The names a copy uses beside the data files while it runs (scratch and
// kept names, the journal, the lock file).
bool IsCopyLeftover(const QString& fileName);

// A folder as the system resolves it (symbolic links, "." and ".."), ending
// in "/", or the path as given when it does not exist.
QString ResolvedFolder(const QString& folder);

// The locks of a procedure on the folder it writes and the one it reads.
struct FolderLocks {
    FolderLock written;
    FolderLock read;
    QString busyFolder;  // the folder another procedure is using
    QString failure;     // why a lock could not be taken
};
// Takes both locks in one fixed order (by device and inode), so that two
// procedures never wait for each other in turn, each waiting a few seconds
// for another procedure. False with busyFolder or failure set otherwise.
bool LockFolders(FolderLocks& locks, const QString& written, const QString& read);

// Record length of a data file (0 for another name): a backup copies whole
// records only.
int RecordLengthOf(const QString& name);

// The kept folders beside the data folder that a restore stopped while it
// was filling them: finished when their copy had reached its switch, and
// removed when they hold nothing but scratch files. The caller holds the
// data folder's lock. Throws FileError.
void ClearInterruptedKeptFolders(const QString& dataFolder);

}
