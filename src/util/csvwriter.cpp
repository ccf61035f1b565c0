#include "csvwriter.h"

#include "dates.h"
#include "formats.h"
#include "store/fields.h"
#include "store/fileerror.h"

#include <QFileDevice>
#include <QTextStream>
#include <array>
#include <charconv>
#include <cstring>
#include <utility>

namespace tallyo {

namespace {

// A character of the code page in UTF-8: at most three bytes, as every
// character of Windows-1252 lies in the Basic Multilingual Plane.
struct Utf8Character {
    std::array<char, 3> bytes{};
    quint8 length = 0;
};

// What a byte asks of a field: quotes around it, or other bytes in its place.
enum ByteKind : quint8 {
    Plain = 0,
    CallsForQuotes = 1,  // a comma, a double quote, a carriage return or a line feed
    Decoded = 2,         // a code-page byte whose UTF-8 is not the byte itself
};

// For each byte of Windows-1252: its UTF-8, taken from the store's own
// decoding of the byte so that the export says what the program shows, and
// its kind.
struct CodePageTable {
    std::array<Utf8Character, 256> utf8{};
    std::array<quint8, 256> kinds{};
};

const CodePageTable& CodePage()
{
    static const CodePageTable table = [] {
        CodePageTable made;
        for (int byte = 0; byte < 256; ++byte) {
            const char one = char(byte);
            const QByteArray utf8 = ReadText(&one, 1).toUtf8();
            Utf8Character& character = made.utf8[size_t(byte)];
            character.length = quint8(qMin<qsizetype>(utf8.size(), 3));
            std::memcpy(character.bytes.data(), utf8.constData(), character.length);
            quint8& kind = made.kinds[size_t(byte)];
            if (one == ',' || one == '"' || one == '\r' || one == '\n')
                kind |= CallsForQuotes;
            if (utf8 != QByteArrayView(&one, 1))
                kind |= Decoded;
        }
        return made;
    }();
    return table;
}

char* TwoDigits(char* out, int value)
{
    *out++ = char('0' + value / 10);
    *out++ = char('0' + value % 10);
    return out;
}

}

CsvWriter::CsvWriter(QTextStream& out)
    : stream_(out), device_(out.device()), block_(BlockBytes, Qt::Uninitialized)
{
    begin_ = block_.data();
    stream_.flush();
}

CsvWriter::~CsvWriter()
{
    try {
        writeBlock();
    } catch (const FileError&) {
        // Reported by finish() when it is called; here there is no one to tell.
    }
}

void CsvWriter::quoted(QByteArrayView bytes, bool decode)
{
    startField();
    const CodePageTable& table = CodePage();
    quint8 kinds = Plain;
    for (const char c : bytes)
        kinds |= table.kinds[static_cast<unsigned char>(c)];
    if (!decode)
        kinds &= ~Decoded;
    // Worst case: every byte three bytes long, or a quote doubled, plus the
    // two quotes around.
    char* out = room(bytes.size() * 3 + 2);
    if (kinds == Plain) {  // most texts: the bytes as they are
        if (!bytes.isEmpty())
            std::memcpy(out, bytes.data(), size_t(bytes.size()));
        done(out + bytes.size());
        return;
    }
    const bool quotes = kinds & CallsForQuotes;
    if (quotes)
        *out++ = '"';
    for (const char c : bytes) {
        if (c == '"' && quotes)
            *out++ = '"';
        if (decode) {
            const Utf8Character& character = table.utf8[static_cast<unsigned char>(c)];
            std::memcpy(out, character.bytes.data(), 3);
            out += character.length;
        } else {
            *out++ = c;
        }
    }
    if (quotes)
        *out++ = '"';
    done(out);
}

void CsvWriter::text(QStringView text)
{
    quoted(text.toUtf8(), false);
}

void CsvWriter::text(QByteArrayView utf8)
{
    quoted(utf8, false);
}

void CsvWriter::storedText(QByteArrayView cp1252)
{
    quoted(cp1252, true);
}

void CsvWriter::amount(qint64 tenThousandths)
{
    startField();
    done(WriteAmountPlain(room(AmountTextRoom), tenThousandths));
}

void CsvWriter::date(double stored)
{
    startField();
    const QDate day = DateFromStored(stored);
    if (!day.isValid())
        return;
    // Rows in register order come a day at a time: the text is made once a day.
    if (day != lastDay_) {
        int year = 0, month = 0, dayOfMonth = 0;
        day.getDate(&year, &month, &dayOfMonth);  // years 100 to 9999: four digits
        char* text = lastDayText_.data();
        text = TwoDigits(text, year / 100);
        text = TwoDigits(text, year % 100);
        *text++ = '-';
        text = TwoDigits(text, month);
        *text++ = '-';
        TwoDigits(text, dayOfMonth);
        lastDay_ = day;
    }
    char* out = room(qsizetype(lastDayText_.size()));
    std::memcpy(out, lastDayText_.data(), lastDayText_.size());
    done(out + lastDayText_.size());
}

void CsvWriter::number(qint64 value)
{
    startField();
    constexpr int room20 = 20;  // the digits and sign of any qint64
    char* out = room(room20);
    done(std::to_chars(out, out + room20, value).ptr);
}

void CsvWriter::empty()
{
    startField();
}

void CsvWriter::endRecord()
{
    char* out = room(2);
    *out++ = '\r';
    *out++ = '\n';
    done(out);
    recordStarted_ = false;
}

void CsvWriter::makeRoom(qsizetype bytes)
{
    writeBlock();
    if (bytes > block_.size()) {
        block_.resize(bytes);
        begin_ = block_.data();
    }
}

void CsvWriter::writeBlock()
{
    const qsizetype bytes = std::exchange(used_, 0);
    if (bytes == 0 || failed_)
        return;
    if (!device_) {
        stream_ << QString::fromUtf8(begin_, bytes);
        return;
    }
    if (device_->write(begin_, bytes) != bytes)
        fail(device_->errorString());
}

void CsvWriter::finish()
{
    writeBlock();
    if (auto* file = qobject_cast<QFileDevice*>(device_); file && !failed_ && !file->flush())
        fail(file->errorString());
    if (!device_)
        stream_.flush();
}

void CsvWriter::fail(const QString& reason)
{
    failed_ = true;
    auto* file = qobject_cast<QFileDevice*>(device_);
    const QString name = file && !file->fileName().isEmpty() ? file->fileName() : QStringLiteral("standard output");
    throw FileError(name, QStringLiteral("write"), reason);
}

}
