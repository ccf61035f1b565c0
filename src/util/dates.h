#pragma once
// Dates and times as the data files hold them and as the program shows them.
//
// A stored date is a double: whole days since 1899-12-30, the fraction being
// the time of day (1.0 is 1899-12-31, 36526 is 2000-01-01, 0.5 is noon).
// Below zero the whole part still counts the days and the fraction is still
// the time of day, as in the older platform's date values: -1.25 is
// 1899-12-29 06:00. Times are kept to the second. Values outside the years
// 100 to 9999, and values that are not numbers, are no date at all.
//
// Names of days and months are English whatever the system's language.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>

namespace tallyo {

// The date and time of a stored date, rounded to the second, as a UTC value
// (a calendar day and a clock time that no time zone can shift or leave out);
// invalid for a value that is no date.
QDateTime DateTimeFromStored(double stored);
// The day of a stored date (the time dropped); invalid for no date.
QDate DateFromStored(double stored);
// The stored form of a date and its clock time, read as they stand whatever
// the value's zone (milliseconds dropped). An
// invalid date, or one outside the years 100 to 9999, gives not-a-number,
// never 0, which would mark a record for removal.
double StoredFromDateTime(const QDateTime& dateTime);
// The stored form of a day at midnight.
double StoredFromDate(const QDate& date);

// The user's choice of date order, as the DateDisplay setting numbers them:
// 1 "mm/dd/yy", 2 "dd/mm/yy", 3 "yy/dd/mm", 4 "yy/mm/dd". Any other number
// gives the empty text.
QString DateFormatFor(int dateDisplay);
// The format used when the date format is empty: the first choice.
inline constexpr QStringView FallbackDateFormat = u"mm/dd/yy";

// A date and time in a pattern of these letters: "yyyy" four-digit year,
// "yy" two-digit year, "mm" month, "dd" day, "hh" hour 00-23, "nn" minute,
// "ss" second, each zero-padded; every other character stands for itself.
// An invalid date gives the empty text.
QString FormatDate(const QDateTime& dateTime, QStringView pattern);
QString FormatDate(double stored, QStringView pattern);

// A date in the user's date format ("mm/dd/yy" ...); an empty format shows
// as FallbackDateFormat.
QString FormatShortDate(const QDateTime& dateTime, QStringView dateFormat);
QString FormatShortDate(double stored, QStringView dateFormat);

// "yyyymmddhhnnss": account keys and save markers.
QString FormatStamp(const QDateTime& dateTime);
QString FormatStamp(double stored);
// "yyyymmdd": the day part of the register's sort key.
QString FormatDayKey(double stored);
// " hh:nn": the time that follows a date in notes and printed headings.
QString FormatClockTime(const QDateTime& dateTime);

// "Monday" ... "Sunday"; empty for an invalid date.
QString WeekdayName(const QDate& date);
// "January" ... "December" for 1 to 12; empty otherwise.
QString MonthName(int month);

// The register's date line: weekday, " - ", and the long date of the
// DateDisplay choice: 1 "March 5, 2021", 2 "5 March 2021", 3 "2021, 5 March",
// 4 "2021 March 5". Any other choice leaves "Friday - " alone.
QString RegisterDateLine(const QDateTime& now, int dateDisplay);

// The long date of a check for the DateDisplay choice: 1 "March 5, 2021",
// 2 "5 March, 2021", 3 "2021, 5 March", 4 "2021, March 5". Empty for any
// other choice or an invalid date.
QString CheckLongDate(const QDate& date, int dateDisplay);

// The display format of the entry window's date picker, in Qt's pattern
// letters: 1 "MMM dd, yyyy", 2 "dd MMM, yyyy", 3 "yyyy, dd MMM",
// 4 "yyyy, MMM dd"; any other choice gives the picker's own, the first.
QString PickerDateFormat(int dateDisplay);

// A typed date, read in the day, month and year order of the date format
// (an empty format reads as FallbackDateFormat): three numbers separated by
// "/", "-", "." or spaces. When the format does not begin with the year, a
// four-digit first number is a year and the date reads year, month, day
// ("2021-03-05"). Years of one or two digits 00 to 29 are 2000-2029, 30 to 99
// are 1930-1999. Dates with an English month name are read too, in any of
// the usual orders ("March 3, 2026", "3 Mar 2026", "2026, 3 March").
// Invalid when the text is no such date.
QDate ReadDate(QStringView text, QStringView dateFormat);

}
