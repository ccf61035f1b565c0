#include "commandoutput.h"

#include "store/fileio.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace tallyo {

namespace {

const QString StandardOutputName = QStringLiteral("standard output");

}

DescriptorDevice::DescriptorDevice(int descriptor) : descriptor_(descriptor)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 DescriptorDevice::writeData(const char* data, qint64 length)
{
    // After a failure nothing more goes out: a half-written output stays
    // cut where it failed rather than going on with gaps.
    if (failure_ != 0) {
        setErrorString(SystemReason(failure_));
        return -1;
    }
    qint64 done = 0;
    while (done < length) {
        const ssize_t put = ::write(descriptor_, data + done, size_t(length - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            failure_ = put < 0 ? errno : ENOSPC;
            setErrorString(SystemReason(failure_));
            return -1;
        }
        done += put;
    }
    return done;
}

CommandOutput::CommandOutput()
    : outDevice_(STDOUT_FILENO), errDevice_(STDERR_FILENO), out_(&outDevice_), err_(&errDevice_)
{
    std::signal(SIGPIPE, SIG_IGN);
    out_.setEncoding(QStringConverter::Utf8);
    err_.setEncoding(QStringConverter::Utf8);
}

CommandOutput::~CommandOutput()
{
    out_.flush();
    err_.flush();
}

int CommandOutput::finish(int status)
{
    out_.flush();
    const int failure = outDevice_.failure();
    if (failure == EPIPE) {
        err_.flush();
        std::signal(SIGPIPE, SIG_DFL);
        std::raise(SIGPIPE);
        return 128 + SIGPIPE;  // not reached: the signal ends the process
    }
    if (failure != 0) {
        err_ << "tallyo: " << StandardOutputName << ": could not write: " << SystemReason(failure) << "\n";
        status = 1;
    }
    err_.flush();
    return status;
}

void ReportFileError(const FileError& error, QTextStream& out, QTextStream& err)
{
    out.flush();
    if (error.file() == StandardOutputName)
        return;
    err << error.file() << ": could not " << error.operation() << ": " << error.reason() << "\n";
}

}
