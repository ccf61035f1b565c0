#include "csvwriter.h"

#include "formats.h"
#include "dates.h"
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

// UTF-8 for each byte of Windows-1252, taken from the store's own decoding
// of the byte so that the export says what the program shows.
const std::array<Utf8Character, 256>& Utf8Table()
{
    static const std::array<Utf8Character, 256> table = [] {
        std::array<Utf8Character, 256> characters{};
        for (int byte = 0; byte < 256; ++byte) {
            const char one = char(byte);
            const QByteArray utf8 = ReadText(&one, 1).toUtf8();
            Utf8Character& character = characters[size_t(byte)];
            character.length = quint8(qMin<qsizetype>(utf8.size(), 3));
            std::memcpy(character.bytes.data(), utf8.constData(), character.length);
        }
        return characters;
    }();
    return table;
}

bool NeedsQuotes(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    }
    return false;
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
    const bool quotes = NeedsQuotes(bytes);
    // Worst case: every byte three bytes long, or a quote doubled, plus the
    // two quotes around.
    char* out = room(bytes.size() * 3 + 2);
    if (quotes)
        *out++ = '"';
    const std::array<Utf8Character, 256>& table = Utf8Table();
    for (const char c : bytes) {
        if (c == '"' && quotes)
            *out++ = '"';
        if (decode) {
            const Utf8Character& character = table[static_cast<unsigned char>(c)];
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
    int year = 0, month = 0, dayOfMonth = 0;
    day.getDate(&year, &month, &dayOfMonth);  // years 100 to 9999: four digits
    char* out = room(10);
    out = TwoDigits(out, year / 100);
    out = TwoDigits(out, year % 100);
    *out++ = '-';
    out = TwoDigits(out, month);
    *out++ = '-';
    done(TwoDigits(out, dayOfMonth));
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
