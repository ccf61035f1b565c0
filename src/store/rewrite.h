#pragma once
// Records are never removed from a data file in place: the records to keep
// are copied, in order, into the scratch file, which is flushed to the disk
// and then renamed over the data file in one step. Whenever the process
// stops, the data file is whole, either as it was or as rewritten.
#include "recordfile.h"

#include <functional>
#include <vector>

namespace tallyo {

inline constexpr char ScratchFileName[] = "TempFile.$$$";

// The scratch file being filled with records. Unless it has replaced a data
// file, it is deleted when this object goes away, so a failed rewrite leaves
// nothing behind.
class ScratchFile {
public:
    // Creates an empty scratch file (a leftover one is emptied), by default
    // under ScratchFileName.
    explicit ScratchFile(int recordLength, const QString& name = QString::fromLatin1(ScratchFileName));
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    void append(const char* record);
    qint32 count() const { return count_; }
    // Flushes the records to the disk and renames the scratch file over
    // `fileName`, replacing it in one step.
    void replace(const QString& fileName);
    // Flushes the records to the disk with the permissions of `fileName` and
    // keeps the scratch file under its own name, for a switch of several
    // files (switchjournal.h) to rename it.
    void complete(const QString& fileName);

private:
    void flush();
    void finish(const QString& fileName);

    PosixFile file_;
    QString name_;
    int recordLength_;
    std::vector<char> buffer_;
    qint64 buffered_ = 0;
    qint64 written_ = 0;
    qint32 count_ = 0;
    bool replaced_ = false;
};

// Whether a record (its bytes and number) stays in the rewritten file.
using KeepRecord = std::function<bool(const char* record, qint32 number)>;

// Rewrites `file` with only the records that `keep` accepts, in their
// order; the file is closed first and its count is fresh afterwards.
// Returns the number of records kept. On failure the file is unchanged and
// FileError is thrown.
qint32 RewriteKeeping(RecordFile& file, const KeepRecord& keep);

// Told true before a long pass and false after it, so the window can show
// that it is busy.
using BusyCallback = std::function<void(bool busy)>;

// Removes transaction n (1 <= n <= count) from Account.dat, together with
// any record that carries date 0; every following record moves up. Nothing
// is marked on disk, so a failed removal leaves the file exactly as it was.
void RemoveTransaction(qint32 n, const BusyCallback& setBusy = {});

// Points of a rewrite at which fault tests step in, to stop the process or
// to throw as a failing device would.
enum class RewriteStep {
    ChunkWritten,     // a chunk of the scratch file has been written
    ScratchComplete,  // the scratch file is on disk, the data file untouched
    Replaced,         // the scratch file has taken the data file's name
};
void SetRewriteStepHook(std::function<void(RewriteStep)> hook);

}
