// Amounts and dates as statements write them.
#include "testrunner.h"

#include "statements/statementtext.h"

#include <QTest>

using namespace tallyo;

class StatementTextTest : public QObject {
    Q_OBJECT

private slots:
    void readsAmounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<qint64>("amount");  // -1: refused
        QTest::newRow("grouped points") << "-1,234.56" << "." << qint64(-12345600);
        QTest::newRow("grouped commas") << "1.234,56" << "," << qint64(12345600);
        QTest::newRow("spaces between groups") << "1 234,5" << "," << qint64(12345000);
        QTest::newRow("parentheses") << "(12.00)" << "." << qint64(-120000);
        QTest::newRow("trailing minus") << "12.00-" << "." << qint64(-120000);
        QTest::newRow("plus and no whole part") << "+.5" << "." << qint64(5000);
        QTest::newRow("currency sign") << "$120" << "." << qint64(-1);
        QTest::newRow("exponent") << "1e3" << "." << qint64(-1);
        QTest::newRow("empty") << "" << "." << qint64(-1);
        QTest::newRow("five decimals") << "1.00001" << "." << qint64(-1);
        QTest::newRow("group of two") << "1,23" << "." << qint64(-1);
        QTest::newRow("two decimal marks") << "1.2.3" << "." << qint64(-1);
        QTest::newRow("too large") << "99999999999999" << "." << qint64(-1);
    }

    void readsAmounts()
    {
        QFETCH(QString, text);
        QFETCH(QString, mark);
        QFETCH(qint64, amount);
        const std::optional<qint64> read = ReadStatementAmount(text, mark.front(), true);
        QCOMPARE(read.value_or(-1), amount);
    }

    void readsDates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QDate>("date");
        QTest::newRow("month first") << "10/11/97" << "mdy" << QDate(1997, 10, 11);
        QTest::newRow("day first") << "10/11/97" << "dmy" << QDate(1997, 11, 10);
        QTest::newRow("Quicken's year after an apostrophe") << "7/12'03" << "mdy" << QDate(2003, 7, 12);
        QTest::newRow("Quicken's spaces") << " 1/ 5/24" << "mdy" << QDate(2024, 1, 5);
        QTest::newRow("ISO whatever the order") << "2024-01-05" << "mdy" << QDate(2024, 1, 5);
        QTest::newRow("digits alone") << "20240105" << "dmy" << QDate(2024, 1, 5);
        QTest::newRow("points") << "05.01.2024" << "dmy" << QDate(2024, 1, 5);
        QTest::newRow("year first of two digits") << "24/01/05" << "ymd" << QDate(2024, 1, 5);
        QTest::newRow("a time after it") << "2024-01-05 23:59:00" << "mdy" << QDate(2024, 1, 5);
        QTest::newRow("no such day") << "02/30/2024" << "mdy" << QDate();
        QTest::newRow("not a date") << "soon" << "mdy" << QDate();
    }

    void readsDates()
    {
        QFETCH(QString, text);
        QFETCH(QString, order);
        QFETCH(QDate, date);
        const std::optional<DateParts> parts = SplitNumericDate(text);
        QCOMPARE(parts ? DateInOrder(*parts, *DateOrderFromName(order)) : QDate(), date);
    }

    void findsTheOrderFromTheDates_data()
    {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QStringList>("orders");
        QTest::newRow("a day above 12 second") << QStringList{"01/02/03", "12/31/2023"} << QStringList{"mdy"};
        QTest::newRow("a day above 12 first") << QStringList{"01/02/2003", "31/12/2023"} << QStringList{"dmy"};
        QTest::newRow("nothing tells") << QStringList{"01/02/2003"} << QStringList{"mdy", "dmy"};
        QTest::newRow("year first") << QStringList{"2024-01-05"} << QStringList{"ymd"};
        QTest::newRow("no order fits") << QStringList{"13/13/2003"} << QStringList{};
    }

    void findsTheOrderFromTheDates()
    {
        QFETCH(QStringList, dates);
        QFETCH(QStringList, orders);
        std::vector<DateParts> parts;
        for (const QString& date : dates)
            parts.push_back(*SplitNumericDate(date));
        QStringList found;
        for (DateOrder order : OrdersThatFit(parts))
            found.append(DateOrderName(order));
        QCOMPARE(found, orders);
    }
};

TALLYO_TEST(StatementTextTest)
#include "statementtext_test.moc"
