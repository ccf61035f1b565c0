#include "dates.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTime>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace tallyo {

namespace {

constexpr qint64 SecondsPerDay = 86400;
// Stored days of 0100-01-01 and 9999-12-31, the range of dates the program
// accepts.
constexpr qint64 FirstDay = -657434;
constexpr qint64 LastDay = 2958465;

QDate Epoch()
{
    return QDate(1899, 12, 30);
}

const std::array<const char16_t*, 7> WeekdayNames{
    u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"};
const std::array<const char16_t*, 12> MonthNames{
    u"January", u"February", u"March", u"April", u"May", u"June",
    u"July", u"August", u"September", u"October", u"November", u"December"};

QString Padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString Year(const QDate& date)
{
    return Padded(date.year(), 4);
}

}

namespace {

// A stored date taken apart into its calendar day and its second of the day,
// with plain day arithmetic: no time zone is asked, so every day exists.
struct DayAndTime {
    QDate day;
    int seconds = 0;
};

DayAndTime SplitStored(double stored)
{
    if (!std::isfinite(stored) || stored <= double(FirstDay - 1) || stored >= double(LastDay + 1))
        return {};
    const double whole = std::trunc(stored);
    qint64 day = qint64(whole);
    qint64 seconds = std::llround(std::abs(stored - whole) * SecondsPerDay);
    if (seconds >= SecondsPerDay) {
        seconds -= SecondsPerDay;
        ++day;
    }
    if (day > LastDay)
        return {};
    return {Epoch().addDays(day), int(seconds)};
}

double JoinStored(const QDate& date, int seconds)
{
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        return std::numeric_limits<double>::quiet_NaN();
    const qint64 day = Epoch().daysTo(date);
    const double fraction = double(seconds) / SecondsPerDay;
    return day >= 0 ? double(day) + fraction : double(day) - fraction;
}

}

QDateTime DateTimeFromStored(double stored)
{
    const DayAndTime parts = SplitStored(stored);
    if (!parts.day.isValid())
        return {};
    return QDateTime(parts.day, QTime::fromMSecsSinceStartOfDay(parts.seconds * 1000), Qt::UTC);
}

QDate DateFromStored(double stored)
{
    return SplitStored(stored).day;
}

double StoredFromDateTime(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return std::numeric_limits<double>::quiet_NaN();
    return JoinStored(dateTime.date(), dateTime.time().msecsSinceStartOfDay() / 1000);
}

double StoredFromDate(const QDate& date)
{
    return JoinStored(date, 0);
}

QString DateFormatFor(int dateDisplay)
{
    switch (dateDisplay) {
    case 1: return QStringLiteral("mm/dd/yy");
    case 2: return QStringLiteral("dd/mm/yy");
    case 3: return QStringLiteral("yy/dd/mm");
    case 4: return QStringLiteral("yy/mm/dd");
    default: return {};
    }
}

namespace {

QString FormatDayAndTime(const QDate& date, const QTime& time, QStringView pattern)
{
    if (!date.isValid())
        return {};
    QString text;
    text.reserve(pattern.size() + 2);
    for (qsizetype at = 0; at < pattern.size();) {
        const QStringView rest = pattern.mid(at);
        if (rest.startsWith(u"yyyy")) {
            text += Year(date);
            at += 4;
            continue;
        }
        const QStringView pair = rest.left(2);
        int value = -1;
        if (pair == u"yy")
            value = date.year() % 100;
        else if (pair == u"mm")
            value = date.month();
        else if (pair == u"dd")
            value = date.day();
        else if (pair == u"hh")
            value = time.hour();
        else if (pair == u"nn")
            value = time.minute();
        else if (pair == u"ss")
            value = time.second();
        if (value >= 0) {
            text += Padded(value, 2);
            at += 2;
        } else {
            text += pattern[at];
            ++at;
        }
    }
    return text;
}

}

QString FormatDate(const QDateTime& dateTime, QStringView pattern)
{
    if (!dateTime.isValid())
        return {};
    return FormatDayAndTime(dateTime.date(), dateTime.time(), pattern);
}

QString FormatDate(double stored, QStringView pattern)
{
    const DayAndTime parts = SplitStored(stored);
    return FormatDayAndTime(parts.day, QTime::fromMSecsSinceStartOfDay(parts.seconds * 1000), pattern);
}

QString FormatShortDate(const QDateTime& dateTime, QStringView dateFormat)
{
    return FormatDate(dateTime, dateFormat.isEmpty() ? FallbackDateFormat : dateFormat);
}

QString FormatShortDate(double stored, QStringView dateFormat)
{
    return FormatDate(stored, dateFormat.isEmpty() ? FallbackDateFormat : dateFormat);
}

QString FormatStamp(const QDateTime& dateTime)
{
    return FormatDate(dateTime, u"yyyymmddhhnnss");
}

QString FormatStamp(double stored)
{
    return FormatDate(stored, u"yyyymmddhhnnss");
}

QString FormatDayKey(double stored)
{
    return FormatDate(stored, u"yyyymmdd");
}

QString FormatClockTime(const QDateTime& dateTime)
{
    return FormatDate(dateTime, u" hh:nn");
}

QString WeekdayName(const QDate& date)
{
    if (!date.isValid())
        return {};
    return QString::fromUtf16(WeekdayNames[date.dayOfWeek() - 1]);
}

QString MonthName(int month)
{
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf16(MonthNames[month - 1]);
}

QString RegisterDateLine(const QDateTime& now, int dateDisplay)
{
    const QDate date = now.date();
    if (!date.isValid())
        return {};
    const QString month = MonthName(date.month());
    const QString day = QString::number(date.day());
    QString line = WeekdayName(date) + QStringLiteral(" - ");
    switch (dateDisplay) {
    case 1: return line + month + u' ' + day + QStringLiteral(", ") + Year(date);
    case 2: return line + day + u' ' + month + u' ' + Year(date);
    case 3: return line + Year(date) + QStringLiteral(", ") + day + u' ' + month;
    case 4: return line + Year(date) + u' ' + month + u' ' + day;
    default: return line;
    }
}

QString CheckLongDate(const QDate& date, int dateDisplay)
{
    if (!date.isValid())
        return {};
    const QString month = MonthName(date.month());
    const QString day = QString::number(date.day());
    switch (dateDisplay) {
    case 1: return month + u' ' + day + QStringLiteral(", ") + Year(date);
    case 2: return day + u' ' + month + QStringLiteral(", ") + Year(date);
    case 3: return Year(date) + QStringLiteral(", ") + day + u' ' + month;
    case 4: return Year(date) + QStringLiteral(", ") + month + u' ' + day;
    default: return {};
    }
}

QString PickerDateFormat(int dateDisplay)
{
    switch (dateDisplay) {
    case 2: return QStringLiteral("dd MMM, yyyy");
    case 3: return QStringLiteral("yyyy, dd MMM");
    case 4: return QStringLiteral("yyyy, MMM dd");
    default: return QStringLiteral("MMM dd, yyyy");
    }
}

namespace {

// A date written with an English month name, in the orders people use.
QDate ReadDateWithMonthName(const QString& text)
{
    static const char* const patterns[] = {
        "MMMM d, yyyy", "MMMM d yyyy", "MMM d, yyyy", "MMM d yyyy",
        "d MMMM yyyy", "d MMMM, yyyy", "d MMM yyyy", "d MMM, yyyy",
        "yyyy, d MMMM", "yyyy d MMMM", "yyyy, d MMM", "yyyy d MMM",
        "yyyy, MMMM d", "yyyy MMMM d", "yyyy, MMM d", "yyyy MMM d",
        "dddd, MMMM d, yyyy", "ddd, MMM d, yyyy", "d-MMM-yyyy", "dd-MMM-yyyy"};
    const QString simple = text.simplified();
    for (const char* pattern : patterns) {
        const QDate date = QLocale::c().toDate(simple, QString::fromLatin1(pattern));
        if (date.isValid() && date.year() >= 100)
            return date;
    }
    return {};
}

}

QDate ReadDate(QStringView text, QStringView dateFormat)
{
    static const QRegularExpression separators(QStringLiteral("[/\\-.\\s]+"));
    const QStringList parts = text.trimmed().toString().split(separators);
    if (parts.size() != 3
        || std::any_of(parts.begin(), parts.end(), [](const QString& part) {
               return std::any_of(part.begin(), part.end(), [](QChar c) { return c.isLetter(); });
           }))
        return ReadDateWithMonthName(text.toString());
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 4
            || !std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return {};
    }

    // The order of day, month and year, from where the format names them.
    const QStringView format = dateFormat.isEmpty() ? FallbackDateFormat : dateFormat;
    qsizetype yearAt = format.indexOf(u"yy"), monthAt = format.indexOf(u"mm"), dayAt = format.indexOf(u"dd");
    if (yearAt < 0 || monthAt < 0 || dayAt < 0) {
        yearAt = 6;
        monthAt = 0;
        dayAt = 3;
    }
    int yearIndex = (yearAt > monthAt) + (yearAt > dayAt);
    int monthIndex = (monthAt > yearAt) + (monthAt > dayAt);
    int dayIndex = (dayAt > yearAt) + (dayAt > monthAt);
    if (yearIndex != 0 && parts[0].size() == 4) {
        yearIndex = 0;
        monthIndex = 1;
        dayIndex = 2;
    }

    const QString& yearText = parts[yearIndex];
    if (yearText.size() == 3 || parts[monthIndex].size() > 2 || parts[dayIndex].size() > 2)
        return {};
    int year = yearText.toInt();
    if (yearText.size() <= 2)
        year += year < 30 ? 2000 : 1900;
    if (year < 100)
        return {};
    return QDate(year, parts[monthIndex].toInt(), parts[dayIndex].toInt());
}

}
