#pragma once
// Reading the pieces of a statement line from text, shared by the readers:
// the file's bytes as text, amounts, numeric dates in a given order, check
// numbers, and the ids made up for lines that carry none.
#include "statement.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace tallyo {

// A file's bytes as text: UTF-8 when they are valid UTF-8 (a byte order
// mark dropped), else Windows-1252.
QString DecodeStatementBytes(const QByteArray& bytes);

// An amount as statements write it: an optional sign (or a trailing minus,
// or parentheses), digits with an optional decimal mark and up to four
// decimals. With `groups`, the other mark of "." and "," and spaces may
// group the thousands ("1,234.56", "1.234,56", "1 234,56"). Nothing for
// anything else ("$120", "12.3.4", "", "1e3") or an amount too large for
// the register.
std::optional<qint64> ReadStatementAmount(QStringView text, QChar decimalMark, bool groups);

// The decimal mark of a file's amounts: "," when some amount ends in a
// comma and one or two digits and none in a point and one or two digits,
// or when `commaLikely` (";" between fields) and no amount says otherwise.
QChar DecimalMarkOf(const QStringList& amounts, bool commaLikely);

// A date of three numbers ("10/11/97", "7/12'03", "2024-01-05",
// "05.01.2024"): the numbers as written, in their order.
struct DateParts {
    int first = 0;
    int second = 0;
    int third = 0;
    bool firstIsYear = false;   // four digits
    int lastAsWritten = 0;      // the last number before a two-digit year became four
    int lastDigits = 0;
};
std::optional<DateParts> SplitNumericDate(QStringView text);

// The day the parts give in `order` (a four-digit first number is always
// the year, then month and day); invalid when they give no day of the
// calendar.
QDate DateInOrder(const DateParts& parts, DateOrder order);

// The orders in which every one of the dates reads as a day (in the order
// month-day-year, day-month-year, year-month-day).
std::vector<DateOrder> OrdersThatFit(const std::vector<DateParts>& dates);

// A check number as the register keeps it: digits without leading zeros;
// empty for none, "0", anything that is not digits, or more digits than
// the type field holds.
QString CheckNumberOf(QStringView text);

// Gives every line without a bank id one made from its date, amount,
// number, payee and memo and how many such lines came before it in the
// statement: the same file gives the same ids each time it is read.
void MakeUpBankIds(Statement& statement, QStringView prefix);

}

namespace tallyo {

// The dates of a file, each with its line, read in one order: the order
// given, else the one order in which all of them read as days.
struct DateText {
    QString text;
    int line = 0;
};
struct DatesRead {
    std::vector<QDate> dates;            // one per text, when read
    std::vector<DateOrder> possible;     // more than one: the order must be chosen
    int line = 0;                        // a date that reads in no order: where and why
    QString problem;
};
DatesRead ReadDates(const std::vector<DateText>& texts, DateOrder given);

// What a reader gives back when the dates were not read: the file refused
// at the date's line, or waiting for an order. Nothing when they were read.
std::optional<StatementFile> UnreadDates(const DatesRead& read, StatementFormat format);

}
