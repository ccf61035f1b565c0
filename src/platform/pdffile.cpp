#include "pdffile.h"

#include "store/fileerror.h"
#include "store/fileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyo {

namespace {

const QString WriteOperation = QStringLiteral("write");

// The whole content of a descriptor, read from its start.
QByteArray ReadAll(int descriptor, const QString& target)
{
    struct stat info;
    if (::fstat(descriptor, &info) != 0)
        throw FileError(target, WriteOperation, SystemReason(errno));
    QByteArray bytes(qsizetype(info.st_size), Qt::Uninitialized);
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::pread(descriptor, bytes.data() + done, size_t(bytes.size() - done), off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileError(target, WriteOperation, SystemReason(errno));
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

}

bool IsCompletePdf(const QByteArray& bytes)
{
    if (!bytes.startsWith("%PDF-"))
        return false;
    const QByteArray tail = bytes.right(1024).trimmed();
    if (!tail.endsWith("%%EOF"))
        return false;
    const qsizetype at = tail.lastIndexOf("startxref");
    if (at < 0)
        return false;
    const QByteArray number = tail.mid(at + 9, tail.size() - 5 - at - 9).trimmed();
    bool ok = false;
    const qint64 offset = number.toLongLong(&ok);
    return ok && offset > 0 && offset < bytes.size() && QByteArrayView(bytes).sliced(offset).startsWith("xref");
}

PdfScratch::PdfScratch(const QString& target) : target_(target)
{
    const QFileInfo info(target);
    QByteArray pattern = QFile::encodeName(info.dir().filePath(info.fileName() + QStringLiteral("-XXXXXX.part")));
    const int descriptor = ::mkostemps(pattern.data(), 5, O_CLOEXEC);
    if (descriptor < 0)
        throw FileError(target, WriteOperation, SystemReason(errno));
    ::close(descriptor);
    scratch_ = QFile::decodeName(pattern);
    memory_ = ::memfd_create("tallyo-pdf", MFD_CLOEXEC);
    if (memory_ < 0) {
        const int error = errno;
        ::unlink(pattern.constData());
        throw FileError(target, WriteOperation, SystemReason(error));
    }
}

PdfScratch::~PdfScratch()
{
    if (memory_ >= 0)
        ::close(memory_);
    if (!saved_)
        ::unlink(QFile::encodeName(scratch_).constData());
}

QString PdfScratch::engineFileName() const
{
    return QStringLiteral("/proc/self/fd/%1").arg(memory_);
}

void PdfScratch::save()
{
    const QByteArray document = ReadAll(memory_, target_);
    if (!IsCompletePdf(document)) {
        // The engine does not say why its writes failed; one more byte where
        // it stopped gets the system's reason (a file-size limit, no memory).
        if (::pwrite(memory_, "\n", 1, off_t(document.size())) < 0)
            throw FileError(target_, WriteOperation, SystemReason(errno));
        throw FileError(target_, WriteOperation, QStringLiteral("The document was not made whole."));
    }
    try {
        PosixFile file(scratch_, PosixFile::Mode::WriteTruncate);
        file.writeAt(document.constData(), document.size(), 0);
        file.takePermissionsOf(target_);
        file.sync();
        const qint64 written = file.size();
        file.close();
        if (written != document.size())
            throw FileError(scratch_, WriteOperation, QStringLiteral("The file holds %1 bytes of %2.")
                                                          .arg(written).arg(document.size()));
        RenameFile(scratch_, target_);
    } catch (const FileError& error) {
        // Named after the file the user asked for; the scratch file goes.
        throw FileError(target_, error.operation() == QStringLiteral("replace") ? error.operation() : WriteOperation,
                        error.reason());
    }
    saved_ = true;
    try {
        SyncFolder(QFileInfo(target_).absolutePath());
    } catch (const FileError&) {
        // The file is whole under its name; only its lasting through a power
        // cut is less certain, which the system does not let us mend here.
    }
}

}
