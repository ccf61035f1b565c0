#pragma once
// Whole data files copied from one folder into another so that nothing is
// lost on the way: each file is first copied to a scratch name in the
// target folder and flushed to the disk; only when every file has been
// copied are the copies renamed over the target's files, one rename each,
// under a journal (switchjournal.h) that makes the renames one step. A
// failure before that point removes the scratch files and leaves the target
// exactly as it was; a failure while renaming puts back the files already
// replaced. A process stopped part-way leaves either scratch files without a
// journal (the old set stands) or a journal that the next opening of the
// folder finishes (the new set).
#include "signalcleanup.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace tallyo {

class FolderCopy {
public:
    // Both folders as paths; a trailing "/" is optional.
    FolderCopy(const QString& sourceFolder, const QString& targetFolder);
    // Removes every scratch file that has not replaced its target.
    ~FolderCopy();
    FolderCopy(const FolderCopy&) = delete;
    FolderCopy& operator=(const FolderCopy&) = delete;

    // Copies source/name to its scratch name in the target folder, flushed to
    // the disk. With a record length, only whole records are copied: a file
    // that another process appends to ends at a record boundary. The copy takes the permissions of the file it will replace
    // (a read-only file stays read-only), or, for a new file, the source's
    // with the owner's read and write added. Throws FileError.
    void copy(const QString& name, int recordLength = 0);
    // Takes a scratch file that the caller has written and flushed under
    // scratchName(name) in the target folder as one of the copies, so that
    // files rewritten in place switch together (deleting an account).
    void adopt(const QString& name);
    // Renames every copied file over its namesake in the target folder and
    // makes the renames durable. On failure the files already replaced get
    // their earlier content back where the file system allows it (hard
    // links), the scratch files are removed, and FileError is thrown.
    void commit();

    // After a failed commit: false when a replaced file could not be put
    // back, so the target is no longer as it was.
    bool targetAsItWas() const { return targetAsItWas_; }

    // The names copied so far, in order.
    const QStringList& copied() const { return copied_; }

    // The scratch name of a file while it is copied, and the name under
    // which the file it replaces is held until every rename is done.
    static QString scratchName(const QString& name);
    static QString keptName(const QString& name);

private:
    QString source_;
    QString target_;
    QStringList copied_;
    std::vector<RemoveOnSignal> scratchGuards_;
    bool committed_ = false;
    bool targetAsItWas_ = true;
};

// Points of a copy at which fault tests step in, to stop the process or to
// throw as a failing device would.
enum class CopyStep {
    ChunkWritten,    // a chunk of a scratch file has been written
    FileCopied,      // a scratch file is complete on the disk
    Prepared,        // the files to be replaced have their second names
    JournalWritten,  // the journal of the switch is on the disk
    Renamed,         // a scratch file has taken its real name
    JournalRemoved,  // the switch is over
};
void SetCopyStepHook(std::function<void(CopyStep, const QString& name)> hook);

}
