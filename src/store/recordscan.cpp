#include "recordscan.h"

#include "fileio.h"
#include "recordfile.h"

#include <cstring>
#include <vector>

namespace tallyo {

namespace {
constexpr int chunkBytes = 1 << 20;
}

struct RecordScanner::Source {
    PosixFile file;
    std::vector<char> buffer;
    qint32 chunkRecords = 0;
    qint32 buffered = 0;  // records in the buffer
    qint32 position = 0;  // next record in the buffer
};

RecordScanner::RecordScanner(const QString& fileName, int recordLength, int chunkRecords)
    : source_(std::make_unique<Source>()), recordLength_(recordLength)
{
    if (recordLength <= 0 || !FileExists(fileName))
        return;
    source_->file = PosixFile(fileName, PosixFile::Mode::Read);
    source_->file.adviseSequential();
    count_ = RecordCount(source_->file.size(), recordLength);
    source_->chunkRecords = chunkRecords > 0 ? chunkRecords : qMax(1, chunkBytes / recordLength);
    source_->buffer.resize(size_t(source_->chunkRecords) * size_t(recordLength));
}

RecordScanner::~RecordScanner() = default;

bool RecordScanner::next()
{
    if (number_ >= count_)
        return false;
    if (source_->position == source_->buffered && !refill())
        return false;
    current_ = source_->buffer.data() + qint64(source_->position) * recordLength_;
    ++source_->position;
    ++number_;
    return true;
}

bool RecordScanner::refill()
{
    Source& s = *source_;
    const qint32 wanted = qMin(s.chunkRecords, count_ - number_);
    const qint64 wantedBytes = qint64(wanted) * recordLength_;
    const qint64 got = s.file.readNext(s.buffer.data(), wantedBytes);
    // A short read is the rounded-up last record of a damaged file, or a
    // file that shrank during the scan: pad, and stop where the data ends.
    std::memset(s.buffer.data() + got, 0, size_t(wantedBytes - got));
    s.buffered = qint32((got + recordLength_ - 1) / recordLength_);
    s.position = 0;
    if (s.buffered < wanted)
        count_ = number_ + s.buffered;
    return s.buffered > 0;
}

}
