#pragma once
// A file of fixed-length records opened for random access by record number
// (numbering starts at 1). It keeps its record count, which stays valid
// after the file is closed.
#include "fileio.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tallyo {

// The number of records in a file of `bytes` bytes: the length divided by
// the record length, rounded to the nearest whole number, ties to even.
qint32 RecordCount(qint64 bytes, int recordLength);

class RecordFile {
public:
    RecordFile(QString fileName, int recordLength);

    const QString& fileName() const { return fileName_; }
    int recordLength() const { return recordLength_; }
    bool isOpen() const { return file_.isOpen(); }
    // Records in the file as of the last open, close or append.
    qint32 count() const { return count_; }

    // Opens the file, creating it empty when missing, and sets the count.
    // An open file is closed first.
    void open();
    // Flushes what was written to the disk, sets the count and closes the
    // file; nothing when it is not open.
    void close();
    // Closes the file without touching the count.
    void closeKeepingCount();
    // Opens and closes the file to bring the count up to date.
    void refreshCount();
    // Closes without reporting anything and forgets the count (for tests).
    void reset();

    // Record n, 1 <= n <= count. A record cut short at the end of a damaged
    // file comes back padded with zero bytes.
    QByteArray read(qint32 n) const;
    // Stores `bytes` (exactly one record) as record n, 1 <= n <= count + 1;
    // count + 1 appends. An append that fails leaves the file as it was.
    void write(qint32 n, QByteArrayView bytes);

private:
    void requireOpen(const char* operation) const;
    [[noreturn]] void refuseRecord(const char* operation, qint32 n) const;

    QString fileName_;
    int recordLength_;
    PosixFile file_;
    qint32 count_ = 0;
    bool written_ = false;  // written since it was opened: flushed on close
};

}
