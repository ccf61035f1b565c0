#include "rewrite.h"

#include "datafiles.h"
#include "fileerror.h"
#include "fields.h"
#include "recordscan.h"

#include <QFile>
#include <cstring>
#include <unistd.h>

namespace tallyo {

namespace {

constexpr qint64 chunkBytes = 1 << 20;

std::function<void(RewriteStep)>& stepHook()
{
    static std::function<void(RewriteStep)> hook;
    return hook;
}

void reach(RewriteStep step)
{
    if (stepHook())
        stepHook()(step);
}

}

void SetRewriteStepHook(std::function<void(RewriteStep)> hook)
{
    stepHook() = std::move(hook);
}

ScratchFile::ScratchFile(int recordLength, const QString& name)
    : file_(name, PosixFile::Mode::WriteTruncate),
      name_(name),
      recordLength_(recordLength),
      buffer_(size_t(qMax<qint64>(recordLength, chunkBytes / recordLength * recordLength)))
{
}

ScratchFile::~ScratchFile()
{
    if (replaced_)
        return;
    file_ = PosixFile();
    ::unlink(QFile::encodeName(name_).constData());
}

void ScratchFile::append(const char* record)
{
    if (buffered_ + recordLength_ > qint64(buffer_.size()))
        flush();
    std::memcpy(buffer_.data() + buffered_, record, size_t(recordLength_));
    buffered_ += recordLength_;
    ++count_;
}

void ScratchFile::flush()
{
    if (buffered_ == 0)
        return;
    file_.writeAt(buffer_.data(), buffered_, written_);
    written_ += buffered_;
    buffered_ = 0;
    reach(RewriteStep::ChunkWritten);
}

void ScratchFile::complete(const QString& fileName)
{
    finish(fileName);
    replaced_ = true;  // the switch that takes it over removes it on failure
}

void ScratchFile::finish(const QString& fileName)
{
    flush();
    // The data file keeps the permissions its owner gave it; a new one
    // stays private to the user, as the scratch file was made.
    file_.takePermissionsOf(fileName);
    file_.sync();
    file_.close();
    reach(RewriteStep::ScratchComplete);
}

void ScratchFile::replace(const QString& fileName)
{
    finish(fileName);
    RenameFile(name_, fileName);
    replaced_ = true;
    reach(RewriteStep::Replaced);
    // The new contents are in place either way; syncing the folder only
    // makes the new name survive a power cut sooner, so a refusal is no
    // reason to report the rewrite as failed.
    try {
        SyncWorkingFolder();
    } catch (const FileError&) {
    }
}

qint32 RewriteKeeping(RecordFile& file, const KeepRecord& keep)
{
    // A handle to the old file would outlive the rename.
    file.close();
    ScratchFile scratch(file.recordLength());
    RecordScanner scan(file.fileName(), file.recordLength());
    while (scan.next()) {
        if (keep(scan.record(), scan.number()))
            scratch.append(scan.record());
    }
    scratch.replace(file.fileName());
    file.refreshCount();
    return scratch.count();
}

void RemoveTransaction(qint32 n, const BusyCallback& setBusy)
{
    RecordFile& transactions = dataFiles().TransactionFile;
    transactions.open();
    try {
        (void)transactions.read(n);  // refuses a record that does not exist
    } catch (const FileError&) {
        transactions.close();
        throw;
    }

    struct Busy {
        const BusyCallback& set;
        explicit Busy(const BusyCallback& callback) : set(callback) { if (set) set(true); }
        ~Busy() { if (set) set(false); }
    } busy(setBusy);

    // The same file as marking record n with date 0 and dropping every
    // record of date 0, without ever writing the mark.
    RewriteKeeping(transactions, [n](const char* record, qint32 number) {
        return number != n && ReadDate(record + TransactionRecord::DateAt) != 0.0;
    });
}

}
