#include "fields.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>
#include <array>
#include <bit>
#include <cstring>

namespace tallyo {

namespace {

constexpr auto codePage = "windows-1252";

QStringEncoder& encoder()
{
    thread_local QStringEncoder instance(codePage, QStringConverter::Flag::Stateless);
    return instance;
}

// Each byte of the code page stands for one character, so decoding is a
// table lookup; the table is filled once by the platform's own decoder.
const std::array<char16_t, 256>& decodingTable()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> characters{};
        QStringDecoder decoder(codePage, QStringConverter::Flag::Stateless);
        for (int byte = 0; byte < 256; ++byte) {
            const char one = char(byte);
            const QString decoded = decoder.decode(QByteArrayView(&one, 1));
            characters[size_t(byte)] = decoded.size() == 1 ? decoded[0].unicode() : u'\uFFFD';
        }
        return characters;
    }();
    return table;
}

// Length in UTF-16 units of the code point starting at text[i].
qsizetype codePointLength(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

// Replaces each character the code page cannot hold with "?". The encoder
// stores such a character as 0x1A, the same byte as a genuine U+001A, and
// its error flag cannot be trusted (in Qt 6.4 it survives resetState()), so
// each byte is checked against the character it came from.
void markUnmappable(QByteArray& bytes, QStringView text)
{
    qsizetype at = 0;
    for (char& byte : bytes) {
        const qsizetype length = codePointLength(text, at);
        if (byte == '\x1A' && !(length == 1 && text[at] == QChar(0x1A)))
            byte = '?';
        at += length;
    }
}

// The slow way, one character at a time, for the odd text that does not
// encode to one byte per character.
QByteArray encodeEachCodePoint(QStringView text)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = codePointLength(text, i);
        QStringEncoder single(codePage, QStringConverter::Flag::Stateless);
        QByteArray one = single.encode(text.sliced(i, length));
        if (one.size() == 1)
            markUnmappable(one, text.sliced(i, length));
        bytes.append(one.size() == 1 ? one[0] : '?');
        i += length;
    }
    return bytes;
}

}

void WriteText(char* field, int width, QStringView text)
{
    // Cut to width in characters; every character becomes one byte.
    qsizetype end = 0;
    int characters = 0;
    while (end < text.size() && characters < width) {
        end += codePointLength(text, end);
        ++characters;
    }
    const QStringView kept = text.first(end);

    QByteArray bytes = encoder().encode(kept);
    if (bytes.size() == characters)
        markUnmappable(bytes, kept);
    else
        bytes = encodeEachCodePoint(kept);

    const qsizetype used = qMin<qsizetype>(bytes.size(), width);
    std::memcpy(field, bytes.constData(), size_t(used));
    std::memset(field + used, ' ', size_t(width - used));
}

QString ReadText(const char* field, int width)
{
    const std::array<char16_t, 256>& table = decodingTable();
    QString text(width, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (int i = 0; i < width; ++i)
        out[i] = table[static_cast<unsigned char>(field[i])];
    return text;
}

void WriteDate(char* field, double days)
{
    qToLittleEndian(std::bit_cast<quint64>(days), field);
}

double ReadDate(const char* field)
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(field));
}

void WriteMoney(char* field, qint64 amount)
{
    qToLittleEndian(amount, field);
}

qint64 ReadMoney(const char* field)
{
    return qFromLittleEndian<qint64>(field);
}

void WriteFlag(char* field, bool value)
{
    qToLittleEndian(qint16(value ? -1 : 0), field);
}

bool ReadFlag(const char* field)
{
    return qFromLittleEndian<qint16>(field) != 0;
}

QString TrimSpaces(QStringView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin).toString();
}

QString TrimTrailingSpaces(QStringView text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.first(end).toString();
}

}
