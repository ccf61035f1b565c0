#include "testrunner.h"
#include "util/numbers.h"

#include <QTest>
#include <limits>

using namespace tallyo;

class NumberReading : public QObject {
    Q_OBJECT
private slots:
    void leadingNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("check with trailing space") << "1042 " << 1042.0;
        QTest::newRow("stored check field") << "1042        " << 1042.0;
        QTest::newRow("type word") << "Deposit     " << 0.0;
        QTest::newRow("digits then letters") << "12abc" << 12.0;
        QTest::newRow("leading spaces and tab") << " \t 42" << 42.0;
        QTest::newRow("leading zero") << "0123" << 123.0;
        QTest::newRow("sign of a balance") << "-1,234.56" << -1.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("decimals") << "3.5x" << 3.5;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("no exponent") << "1e3" << 1.0;
        QTest::newRow("prefix before the number") << "Check# 12" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("lone sign") << "-" << 0.0;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("too large for a double") << QString(400, u'9') << 0.0;
    }
    void leadingNumbers()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(LeadingNumber(text), expected);
    }

    void readsAsNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("reads");
        QTest::addColumn<double>("value");
        QTest::newRow("digits") << "42" << true << 42.0;
        QTest::newRow("stored check field") << "1042        " << true << 1042.0;
        QTest::newRow("spaces around") << "  7  " << true << 7.0;
        QTest::newRow("negative") << "-3" << true << -3.0;
        QTest::newRow("plus") << "+3" << true << 3.0;
        QTest::newRow("zero") << "0" << true << 0.0;
        QTest::newRow("point first") << ".5" << true << 0.5;
        QTest::newRow("point last") << "5." << true << 5.0;
        QTest::newRow("thousands separator") << "1,234.56" << true << 1234.56;
        QTest::newRow("several separators") << "1,234,567" << true << 1234567.0;
        QTest::newRow("empty") << "" << false << 0.0;
        QTest::newRow("space") << " " << false << 0.0;
        QTest::newRow("exponent") << "1e3" << false << 0.0;
        QTest::newRow("currency sign") << "$5" << false << 0.0;
        QTest::newRow("type word") << "Deposit     " << false << 0.0;
        QTest::newRow("lone point") << "." << false << 0.0;
        QTest::newRow("lone sign") << "-" << false << 0.0;
        QTest::newRow("comma first") << ",5" << false << 0.0;
        QTest::newRow("comma in decimals") << "1.2,3" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("space inside") << "1 2" << false << 0.0;
        QTest::newRow("trailing letters") << "12abc" << false << 0.0;
        QTest::newRow("check prefix") << "Check# 1042" << false << 0.0;
        QTest::newRow("too large for a double") << QString(400, u'9') << false << 0.0;
    }
    void readsAsNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, reads);
        QFETCH(double, value);
        QCOMPARE(ReadsAsNumber(text), reads);
        QCOMPARE(NumberValue(text).has_value(), reads);
        if (reads)
            QCOMPARE(*NumberValue(text), value);
    }

    void typedAmounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("tenThousandths");
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("with separator") << "1,234.56" << true << qint64(12345600);
        QTest::newRow("without separator") << "1234.56" << true << qint64(12345600);
        QTest::newRow("millions") << "1,234,567.89" << true << qint64(12345678900);
        QTest::newRow("no drift") << "0.07" << true << qint64(700);
        QTest::newRow("spaces around") << " 12 " << true << qint64(120000);
        QTest::newRow("negative") << "-45" << true << qint64(-450000);
        QTest::newRow("fifth decimal rounds up at five") << "0.00005" << true << qint64(1);
        QTest::newRow("fifth decimal below five") << "0.000049" << true << qint64(0);
        QTest::newRow("negative rounds away") << "-12.34565" << true << qint64(-123457);
        QTest::newRow("largest") << "922337203685477.5807" << true << max;
        QTest::newRow("smallest") << "-922,337,203,685,477.5808" << true << min;
        QTest::newRow("one past largest") << "922337203685477.5808" << false << qint64(0);
        QTest::newRow("rounding past largest") << "922337203685477.58075" << false << qint64(0);
        QTest::newRow("rounding past smallest") << "-922337203685477.58085" << false << qint64(0);
        QTest::newRow("twenty digits") << "99999999999999999999" << false << qint64(0);
        QTest::newRow("garbage") << "abc" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("currency sign") << "$5" << false << qint64(0);
        QTest::newRow("exponent") << "1e3" << false << qint64(0);
        QTest::newRow("trailing letters") << "12.5x" << false << qint64(0);
    }
    void typedAmounts()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, tenThousandths);
        const std::optional<qint64> amount = ParseAmount(text);
        QCOMPARE(amount.has_value(), valid);
        if (valid)
            QCOMPARE(*amount, tenThousandths);
    }

    void truth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isTrue");
        QTest::newRow("True") << "True" << true;
        QTest::newRow("any case, spaces") << " TRUE " << true;
        QTest::newRow("minus one") << "-1" << true;
        QTest::newRow("False") << "False" << false;
        QTest::newRow("zero") << "0" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("other word") << "yes" << false;
    }
    void truth()
    {
        QFETCH(QString, text);
        QFETCH(bool, isTrue);
        QCOMPARE(ReadsAsTrue(text), isTrue);
    }
};

TALLYO_TEST(NumberReading)
#include "numberreading.moc"
