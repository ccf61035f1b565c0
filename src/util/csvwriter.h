#pragma once
// CSV written straight as UTF-8 bytes into a block of a megabyte that goes
// out in one write each time it fills: for exports of hundreds of thousands
// of records, where a QString per field would cost more than reading the
// data files. The bytes are exactly those of CsvRecord's text (util/csv.h)
// in UTF-8: a field holding a comma, a double quote or a line break is
// quoted with its quotes doubled, and records end with CR LF.
//
//     CsvWriter csv(out);
//     csv.text("Name"); csv.text("Balance"); csv.endRecord();
//     csv.storedText(nameBytes); csv.amount(balance); csv.endRecord();
//     csv.finish();
#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <array>

class QIODevice;
class QTextStream;

namespace tallyo {

class CsvWriter {
public:
    // Bytes in a block before it is written out.
    static constexpr qsizetype BlockBytes = qsizetype(1) << 20;

    // Writes to the stream's device, after what the stream holds is flushed;
    // a stream on a string is given the text instead.
    explicit CsvWriter(QTextStream& out);
    // Writes out what is left, quietly: finish() is the way to hear of a failure.
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    // The fields of a record, in order: a text, or one already in UTF-8.
    void text(QStringView text);
    void text(QByteArrayView utf8);
    // Text as the data files hold it, in Windows-1252, decoded as the store
    // decodes it.
    void storedText(QByteArrayView cp1252);
    // The FormatAmountPlain text: -1234.50.
    void amount(qint64 tenThousandths);
    // The day of a stored date as "yyyy-mm-dd"; an empty field for a value
    // that is no date.
    void date(double stored);
    void number(qint64 value);
    void empty();
    // Ends the record.
    void endRecord();

    // Writes out what is left and flushes the device. Throws FileError when
    // the output cannot be written (a full disk, a closed pipe); nothing more
    // is written after such a failure.
    void finish();

private:
    // Starts a field: the separator when it is not the record's first.
    void startField()
    {
        if (recordStarted_) {
            char* out = room(1);
            *out = ',';
            done(out + 1);
        }
        recordStarted_ = true;
    }
    // A field's bytes, quoted as needed; `decode` maps each byte first.
    void quoted(QByteArrayView bytes, bool decode);
    // Room for `bytes` more bytes in the block, writing it out first when
    // full; gives back where to write them. Call done() with the end.
    char* room(qsizetype bytes)
    {
        if (used_ + bytes > block_.size())
            makeRoom(bytes);
        return begin_ + used_;
    }
    void makeRoom(qsizetype bytes);
    void done(const char* end) { used_ = end - begin_; }
    void writeBlock();
    void fail(const QString& reason);

    QTextStream& stream_;
    QIODevice* device_;
    QByteArray block_;
    char* begin_ = nullptr;  // block_'s bytes
    qsizetype used_ = 0;
    bool recordStarted_ = false;
    bool failed_ = false;
    QDate lastDay_;  // the day of the last date written, and its text
    std::array<char, 10> lastDayText_{};
};

}
