#include "testrunner.h"
#include "util/dates.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <limits>

using namespace tallyo;

namespace {
QDateTime At(int y, int m, int d, int hh = 0, int nn = 0, int ss = 0)
{
    return QDateTime(QDate(y, m, d), QTime(hh, nn, ss), Qt::UTC);
}
const QDateTime FridayAfternoon = At(2021, 3, 5, 14, 7, 9);
}

class DateTexts : public QObject {
    Q_OBJECT
private slots:
    void fromStored_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<QDateTime>("expected");
        QTest::newRow("day zero") << 0.0 << At(1899, 12, 30);
        QTest::newRow("beginning balance") << 1.0 << At(1899, 12, 31);
        QTest::newRow("2000") << 36526.0 << At(2000, 1, 1);
        QTest::newRow("noon") << 36526.5 << At(2000, 1, 1, 12);
        QTest::newRow("quarter to") << 36526.75 << At(2000, 1, 1, 18);
        QTest::newRow("inexact fraction rounds to the second") << 44260.0 + (14 * 3600 + 30 * 60) / 86400.0
                                                               << At(2021, 3, 5, 14, 30);
        QTest::newRow("last instant rounds into the next day") << 36526.999999999 << At(2000, 1, 2);
        QTest::newRow("negative: time still forward") << -1.25 << At(1899, 12, 29, 6);
        QTest::newRow("last day") << 2958465.5 << At(9999, 12, 31, 12);
    }
    void fromStored()
    {
        QFETCH(double, stored);
        QFETCH(QDateTime, expected);
        QCOMPARE(DateTimeFromStored(stored), expected);
        QCOMPARE(DateFromStored(stored), expected.date());
        QCOMPARE(DateTimeFromStored(StoredFromDateTime(expected)), expected);
    }

    void toStored()
    {
        QCOMPARE(StoredFromDate(QDate(2000, 1, 1)), 36526.0);
        QCOMPARE(StoredFromDate(QDate(1899, 12, 31)), 1.0);
        QCOMPARE(StoredFromDateTime(At(2000, 1, 1, 12)), 36526.5);
        QCOMPARE(StoredFromDateTime(At(1899, 12, 29, 6)), -1.25);
        // Milliseconds are dropped: the stored time is whole seconds.
        QCOMPARE(StoredFromDateTime(QDateTime(QDate(2000, 1, 1), QTime(12, 0, 0, 999))), 36526.5);
        QVERIFY(std::isnan(StoredFromDateTime(QDateTime())));
        QVERIFY(std::isnan(StoredFromDate(QDate(10000, 1, 1))));
    }

    void noDate_data()
    {
        QTest::addColumn<double>("stored");
        QTest::newRow("not a number") << std::nan("");
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
        QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
        QTest::newRow("huge") << 1e308;
        QTest::newRow("hugely negative") << -1e308;
        QTest::newRow("after 9999") << 2958466.0;
        QTest::newRow("before 100") << -657435.0;
    }
    void noDate()
    {
        QFETCH(double, stored);
        QVERIFY(!DateTimeFromStored(stored).isValid());
        QVERIFY(!DateFromStored(stored).isValid());
        QCOMPARE(FormatShortDate(stored, u"mm/dd/yy"), QString());
        QCOMPARE(FormatStamp(stored), QString());
    }

    void shortDates_data()
    {
        QTest::addColumn<int>("dateDisplay");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1") << 1 << "mm/dd/yy" << "03/05/21";
        QTest::newRow("2") << 2 << "dd/mm/yy" << "05/03/21";
        QTest::newRow("3") << 3 << "yy/dd/mm" << "21/05/03";
        QTest::newRow("4") << 4 << "yy/mm/dd" << "21/03/05";
        QTest::newRow("outside: empty format falls back") << 5 << "" << "03/05/21";
        QTest::newRow("zero: empty format falls back") << 0 << "" << "03/05/21";
    }
    void shortDates()
    {
        QFETCH(int, dateDisplay);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(DateFormatFor(dateDisplay), format);
        QCOMPARE(FormatShortDate(FridayAfternoon, format), expected);
        QCOMPARE(FormatShortDate(StoredFromDateTime(FridayAfternoon), format), expected);
    }

    void stamps()
    {
        QCOMPARE(FormatStamp(FridayAfternoon), QStringLiteral("20210305140709"));
        QCOMPARE(FormatStamp(StoredFromDateTime(FridayAfternoon)), QStringLiteral("20210305140709"));
        QCOMPARE(FormatStamp(1.0), QStringLiteral("18991231000000"));
        QCOMPARE(FormatDayKey(StoredFromDateTime(FridayAfternoon)), QStringLiteral("20210305"));
        QCOMPARE(FormatClockTime(FridayAfternoon), QStringLiteral(" 14:07"));
        QCOMPARE(FormatDate(1.0, u"yy"), QStringLiteral("99"));
        QCOMPARE(FormatDate(At(105, 1, 2), u"yyyy-mm-dd"), QStringLiteral("0105-01-02"));
    }

    void longDates_data()
    {
        QTest::addColumn<int>("dateDisplay");
        QTest::addColumn<QString>("registerLine");
        QTest::addColumn<QString>("checkDate");
        QTest::newRow("1") << 1 << "Friday - March 5, 2021" << "March 5, 2021";
        QTest::newRow("2") << 2 << "Friday - 5 March 2021" << "5 March, 2021";
        QTest::newRow("3") << 3 << "Friday - 2021, 5 March" << "2021, 5 March";
        QTest::newRow("4") << 4 << "Friday - 2021 March 5" << "2021, March 5";
        QTest::newRow("outside") << 0 << "Friday - " << "";
    }
    void longDates()
    {
        QFETCH(int, dateDisplay);
        QFETCH(QString, registerLine);
        QFETCH(QString, checkDate);
        QCOMPARE(RegisterDateLine(FridayAfternoon, dateDisplay), registerLine);
        QCOMPARE(CheckLongDate(FridayAfternoon.date(), dateDisplay), checkDate);
    }

    void namesAreEnglishWhateverTheLocale()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString weekday = WeekdayName(QDate(2021, 3, 5));
        const QString month = MonthName(3);
        const QString line = RegisterDateLine(FridayAfternoon, 1);
        QLocale::setDefault(before);
        QCOMPARE(weekday, QStringLiteral("Friday"));
        QCOMPARE(month, QStringLiteral("March"));
        QCOMPARE(line, QStringLiteral("Friday - March 5, 2021"));
        QCOMPARE(MonthName(0), QString());
        QCOMPARE(MonthName(13), QString());
        QCOMPARE(WeekdayName(QDate()), QString());
    }

    void typedDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QDate>("expected");
        const QDate march5(2021, 3, 5);
        QTest::newRow("mm/dd/yy") << "03/05/21" << "mm/dd/yy" << march5;
        QTest::newRow("dd/mm/yy") << "05/03/21" << "dd/mm/yy" << march5;
        QTest::newRow("yy/dd/mm") << "21/05/03" << "yy/dd/mm" << march5;
        QTest::newRow("yy/mm/dd") << "21/03/05" << "yy/mm/dd" << march5;
        QTest::newRow("dashes, one digit, long year") << "3-5-2021" << "mm/dd/yy" << march5;
        QTest::newRow("year first reads year, month, day") << "2021-03-05" << "dd/mm/yy" << march5;
        QTest::newRow("empty format reads month first") << "3/5/21" << "" << march5;
        QTest::newRow("99 is 1999") << "3/5/99" << "mm/dd/yy" << QDate(1999, 3, 5);
        QTest::newRow("29 is 2029") << "3/5/29" << "mm/dd/yy" << QDate(2029, 3, 5);
        QTest::newRow("30 is 1930") << "3/5/30" << "mm/dd/yy" << QDate(1930, 3, 5);
        QTest::newRow("no such day") << "02/30/21" << "mm/dd/yy" << QDate();
        QTest::newRow("two parts") << "3/5" << "mm/dd/yy" << QDate();
        QTest::newRow("words") << "hello" << "mm/dd/yy" << QDate();
        QTest::newRow("empty") << "" << "mm/dd/yy" << QDate();
        QTest::newRow("three-digit year") << "3/5/021" << "mm/dd/yy" << QDate();
        QTest::newRow("month name first") << "March 5, 2021" << "dd/mm/yy" << march5;
        QTest::newRow("short month name, no comma") << "Mar 5 2021" << "mm/dd/yy" << march5;
        QTest::newRow("day first, short month") << "5 Mar 2021" << "mm/dd/yy" << march5;
        QTest::newRow("day first, long month, comma") << "5 March, 2021" << "yy/mm/dd" << march5;
        QTest::newRow("year first with month name") << "2021, 5 March" << "mm/dd/yy" << march5;
        QTest::newRow("year, month, day with name") << "2021 March 5" << "mm/dd/yy" << march5;
        QTest::newRow("spaces around") << "  March  5,  2021 " << "mm/dd/yy" << march5;
        QTest::newRow("no such month name") << "Marsh 5, 2021" << "mm/dd/yy" << QDate();
        QTest::newRow("no such day by name") << "February 30, 2021" << "mm/dd/yy" << QDate();
        QTest::newRow("name and two-digit year") << "March 5, 21" << "mm/dd/yy" << QDate();
    }
    void typedDates()
    {
        QFETCH(QString, text);
        QFETCH(QString, format);
        QFETCH(QDate, expected);
        QCOMPARE(ReadDate(text, format), expected);
    }
};

TALLYO_TEST(DateTexts)
#include "datetexts.moc"
