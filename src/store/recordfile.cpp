#include "recordfile.h"

#include "fileerror.h"

#include <limits>

namespace tallyo {

qint32 RecordCount(qint64 bytes, int recordLength)
{
    if (bytes <= 0 || recordLength <= 0)
        return 0;
    qint64 whole = bytes / recordLength;
    const qint64 rest = bytes % recordLength;
    if (2 * rest > recordLength || (2 * rest == recordLength && whole % 2 == 1))
        ++whole;
    return qint32(qMin<qint64>(whole, std::numeric_limits<qint32>::max()));
}

RecordFile::RecordFile(QString fileName, int recordLength)
    : fileName_(std::move(fileName)), recordLength_(recordLength)
{
}

void RecordFile::open()
{
    close();
    file_ = PosixFile(fileName_, PosixFile::Mode::ReadWriteCreate);
    count_ = RecordCount(file_.size(), recordLength_);
}

void RecordFile::close()
{
    if (!file_.isOpen())
        return;
    // What was written reaches the disk before the action counts as done,
    // so a power cut after it cannot take it back.
    if (written_)
        file_.sync();
    written_ = false;
    count_ = RecordCount(file_.size(), recordLength_);
    file_.close();
}

void RecordFile::closeKeepingCount()
{
    written_ = false;
    file_.close();
}

void RecordFile::refreshCount()
{
    open();
    close();
}

void RecordFile::reset()
{
    written_ = false;
    file_ = PosixFile();
    count_ = 0;
}

QByteArray RecordFile::read(qint32 n) const
{
    requireOpen("read");
    if (n < 1 || n > count_)
        refuseRecord("read", n);
    QByteArray bytes(recordLength_, '\0');
    file_.readAt(bytes.data(), recordLength_, qint64(n - 1) * recordLength_);
    return bytes;
}

void RecordFile::write(qint32 n, QByteArrayView bytes)
{
    requireOpen("write");
    const bool inPlace = n >= 1 && n <= count_;
    const bool append = qint64(n) == qint64(count_) + 1;
    if (!inPlace && !append)
        refuseRecord("write", n);
    if (bytes.size() != recordLength_)
        throw FileError(fileName_, QStringLiteral("write"),
                        QStringLiteral("A record of %1 bytes does not fit records of %2 bytes")
                            .arg(bytes.size()).arg(recordLength_));

    const qint64 sizeBefore = file_.size();
    const qint64 offset = qint64(n - 1) * recordLength_;
    try {
        file_.writeAt(bytes.data(), recordLength_, offset);
    } catch (const FileError&) {
        // A write that grew the file (an append, or a damaged short last
        // record) is undone, so a full disk or a size limit leaves the file
        // as it was.
        if (offset + recordLength_ > sizeBefore) {
            try {
                file_.truncate(sizeBefore);
            } catch (const FileError&) {
                // The first failure is the one to report.
            }
        }
        throw;
    }
    written_ = true;
    if (n > count_)
        count_ = n;
}

void RecordFile::requireOpen(const char* operation) const
{
    if (!file_.isOpen())
        throw FileError(fileName_, QString::fromLatin1(operation), QStringLiteral("The file is not open"));
}

void RecordFile::refuseRecord(const char* operation, qint32 n) const
{
    throw FileError(fileName_, QString::fromLatin1(operation),
                    QStringLiteral("Record %1 does not exist (the file holds %2)").arg(n).arg(count_));
}

}
