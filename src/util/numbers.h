#pragma once
// Reading numbers from text: check numbers in type fields, typed amounts,
// answers to prompts, settings and the register's own cells.
//
// A text "reads as a number" when, spaces around it aside, it is a plain
// decimal number: an optional "+" or "-", digits, and an optional "." with
// more digits ("42", " 1042  ", "-3", "0.5", ".5", "5."). Commas after the
// first digit of the whole part are thousands separators and are ignored
// ("1,234.56" reads as 1234.56). Nothing else qualifies: not the empty text,
// not spaces alone, not exponents ("1e3"), currency signs ("$5"), type words
// ("Deposit     ") or a lone sign or point.
#include <QString>
#include <QStringView>
#include <optional>

namespace tallyo {

// The number at the start of a text, read as BASIC's Val reads a check
// number: leading spaces skipped, then an optional sign, digits and an
// optional decimal point with digits; reading stops at the first other
// character. "1042 " gives 1042, "12abc" 12, "-1,234.56" -1, "Deposit" 0.
// A text with no such number, or one too large for a double, gives 0.
double LeadingNumber(QStringView text);

// True when the text reads as a number (see above).
bool ReadsAsNumber(QStringView text);

// The value of a text that reads as a number; nothing otherwise, and nothing
// for a number too large for a double.
std::optional<double> NumberValue(QStringView text);

// A typed amount read exactly into ten-thousandths, with "," as thousands
// separator: "1,234.56" gives 12345600. The sign is kept. Digits beyond the
// fourth decimal round the last kept one half away from zero. Nothing when
// the text does not read as a number or the amount does not fit in money's
// range.
std::optional<qint64> ParseAmount(QStringView text);

// A text that reads as true: "True" in any letter case, or a number other
// than 0. Everything else (including "False", "0" and "") reads as false.
bool ReadsAsTrue(QStringView text);

}
