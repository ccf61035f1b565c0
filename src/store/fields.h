#pragma once
// The four kinds of field inside a record and how each is laid out in bytes:
// Windows-1252 text padded with spaces, little-endian double dates, 64-bit
// little-endian money in ten-thousandths, 16-bit little-endian flags.
#include <QString>
#include <QStringView>

namespace tallyo {

// Stores the first `width` characters of `text` at `field`, padded with
// spaces. A character Windows-1252 cannot hold is stored as "?".
void WriteText(char* field, int width, QStringView text);
// The text of a field at its full width, trailing spaces included.
QString ReadText(const char* field, int width);

// Days since 1899-12-30, the fraction being the time of day.
void WriteDate(char* field, double days);
double ReadDate(const char* field);

// Money in ten-thousandths of a unit.
void WriteMoney(char* field, qint64 amount);
qint64 ReadMoney(const char* field);

// -1 for true, 0 for false; any non-zero value reads as true.
void WriteFlag(char* field, bool value);
bool ReadFlag(const char* field);

constexpr int DateWidth = 8;
constexpr int MoneyWidth = 8;
constexpr int FlagWidth = 2;

// Text with the spaces at both ends removed (only spaces: line breaks at the
// end of notes are kept).
QString TrimSpaces(QStringView text);
// Text with the trailing spaces removed.
QString TrimTrailingSpaces(QStringView text);

}
