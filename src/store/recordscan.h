#pragma once
// Walks every record of a file in order, reading large chunks, so that a
// pass over a big file costs little more than reading it once and needs the
// same small buffer however large the file grows. Each record is handed out
// as raw bytes with its record number; TransactionView (records.h) reads the
// fields a pass needs without decoding the rest.
//
//     RecordScanner scan(TransactionFileName, TransactionRecord::Length);
//     while (scan.next())
//         if (TransactionView(scan.record()).hasKey(key)) ...
#include <QString>
#include <memory>

namespace tallyo {

class RecordScanner {
public:
    // A missing file has no records. `chunkRecords` 0 picks about a megabyte.
    RecordScanner(const QString& fileName, int recordLength, int chunkRecords = 0);
    ~RecordScanner();
    RecordScanner(const RecordScanner&) = delete;
    RecordScanner& operator=(const RecordScanner&) = delete;

    // Records in the file when the scan began (rounded as every count is).
    qint32 count() const { return count_; }
    // Moves to the next record; false after the last one.
    bool next();
    // The current record's bytes, valid until the next call to next(). A
    // record cut short at the end of a damaged file is padded with zero bytes.
    const char* record() const { return current_; }
    // The current record's number, counting from 1.
    qint32 number() const { return number_; }

private:
    bool refill();

    struct Source;
    std::unique_ptr<Source> source_;
    int recordLength_;
    qint32 count_ = 0;
    qint32 number_ = 0;
    const char* current_ = nullptr;
};

// Calls visit(const char* record, qint32 number) for every record in order.
template <class Visit>
void ScanRecords(const QString& fileName, int recordLength, Visit&& visit)
{
    RecordScanner scan(fileName, recordLength);
    while (scan.next())
        visit(scan.record(), scan.number());
}

}
