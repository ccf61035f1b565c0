#pragma once
// The one output path of every command: standard output and standard error
// as text streams over devices that write straight to the descriptors and
// remember the first failure, so that a command whose output was lost (a
// full disk, a closed pipe) does not exit 0.
//
// A closed pipe is the reader's choice (`tallyo export register ... | head`):
// SIGPIPE is ignored while the command works, so a write never stops a
// backup or a printout half way; output stops at the first EPIPE, and once
// the command is done the process ends by SIGPIPE, as the usual command-line
// tools do, quietly and with the status the shell reports for it (141).
#include "store/fileerror.h"

#include <QIODevice>
#include <QTextStream>

namespace tallyo {

// Writes to a descriptor with write(2), every byte or a remembered error.
class DescriptorDevice : public QIODevice {
public:
    explicit DescriptorDevice(int descriptor);
    bool isSequential() const override { return true; }
    // The errno of the first failed write; 0 while every write went out.
    int failure() const { return failure_; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override;

private:
    int descriptor_;
    int failure_ = 0;
};

class CommandOutput {
public:
    // Takes over standard output and error, and ignores SIGPIPE.
    CommandOutput();
    ~CommandOutput();
    CommandOutput(const CommandOutput&) = delete;
    CommandOutput& operator=(const CommandOutput&) = delete;

    QTextStream& out() { return out_; }
    QTextStream& err() { return err_; }

    // The command's exit status once its output is flushed: `status` when
    // every byte went out; 1 with the system's reason on standard error when
    // standard output failed. A closed pipe ends the process by SIGPIPE.
    int finish(int status);

private:
    DescriptorDevice outDevice_;
    DescriptorDevice errDevice_;
    QTextStream out_;
    QTextStream err_;
};

// Prints "FILE: could not OPERATION: REASON" on `err`, after what `out`
// holds; nothing for standard output, whose failure finish() reports (or,
// for a closed pipe, answers by SIGPIPE).
void ReportFileError(const FileError& error, QTextStream& out, QTextStream& err);

}
