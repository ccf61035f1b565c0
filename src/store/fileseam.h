#pragma once
// The store's file seam: every change the store makes to a file or folder
// (a file created or emptied, a write, a truncation, a flush to the disk, a
// close, a rename, a deletion) passes here first, with the file's name.
// Fault tests step in at these points: they stop the process there, as a
// crash or a power cut would, or throw FileError, as a failing device would.
// Without a hook nothing is called.
#include <QString>
#include <functional>

namespace tallyo {

enum class FileStep {
    Create,      // a file opened for writing, created or emptied
    Write,
    Truncate,
    Sync,        // a file's data flushed to the disk
    Close,
    Rename,
    Delete,
    SyncFolder,  // a folder's entries flushed to the disk
};

using FileStepHook = std::function<void(FileStep step, const QString& name)>;

// Installs the hook (an empty one removes it).
void SetFileStepHook(FileStepHook hook);

// Called by the store's file calls just before each change.
void ReachFileStep(FileStep step, const QString& name);

// The step's name, for messages of the fault tests: "write", "rename"...
const char* FileStepName(FileStep step);

}
