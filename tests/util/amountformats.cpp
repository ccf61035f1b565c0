#include "testrunner.h"
#include "util/formats.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace tallyo;

class AmountFormats : public QObject {
    Q_OBJECT
private slots:
    void amounts_data()
    {
        QTest::addColumn<qint64>("tenThousandths");
        QTest::addColumn<QString>("grouped");
        QTest::addColumn<QString>("plain");
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("zero") << qint64(0) << "0.00" << "0.00";
        QTest::newRow("five cents") << qint64(500) << "0.05" << "0.05";
        QTest::newRow("one ten-thousandth") << qint64(1) << "0.00" << "0.00";
        QTest::newRow("thousands") << qint64(12345000) << "1,234.50" << "1234.50";
        QTest::newRow("negative thousands") << qint64(-12345000) << "-1,234.50" << "-1234.50";
        QTest::newRow("minus 45") << qint64(-450000) << "-45.00" << "-45.00";
        QTest::newRow("hundreds, no separator") << qint64(9999900) << "999.99" << "999.99";
        QTest::newRow("one million") << qint64(10000000000) << "1,000,000.00" << "1000000.00";
        QTest::newRow("millions") << qint64(1234567891200) << "123,456,789.12" << "123456789.12";
        QTest::newRow("half rounds up") << qint64(10050) << "1.01" << "1.01";
        QTest::newRow("half away, not to even") << qint64(10250) << "1.03" << "1.03";
        QTest::newRow("below half rounds down") << qint64(10049) << "1.00" << "1.00";
        QTest::newRow("negative half away") << qint64(-10050) << "-1.01" << "-1.01";
        QTest::newRow("rounding carries into a new group") << qint64(9999999950) << "1,000,000.00"
                                                           << "1000000.00";
        QTest::newRow("tiny negative shows no sign") << qint64(-49) << "0.00" << "0.00";
        QTest::newRow("negative half cent") << qint64(-50) << "-0.01" << "-0.01";
        QTest::newRow("largest") << max << "922,337,203,685,477.58" << "922337203685477.58";
        QTest::newRow("smallest") << min << "-922,337,203,685,477.58" << "-922337203685477.58";
    }
    void amounts()
    {
        QFETCH(qint64, tenThousandths);
        QFETCH(QString, grouped);
        QFETCH(QString, plain);
        QCOMPARE(FormatAmount(tenThousandths), grouped);
        QCOMPARE(FormatAmountPlain(tenThousandths), plain);
    }

    void amountValues_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << 1234.5 << "1,234.50";
        QTest::newRow("a third") << 1.0 / 3 << "0.33";
        QTest::newRow("binary just below a half") << 0.285 << "0.29";
        QTest::newRow("negative half") << -1.005 << "-1.01";
        QTest::newRow("tiny negative") << -0.004 << "0.00";
        QTest::newRow("hundred million millions") << 1e14 << "100,000,000,000,000.00";
        QTest::newRow("beyond money") << 1e300 << "";
        QTest::newRow("not a number") << std::nan("") << "";
        QTest::newRow("infinity") << -std::numeric_limits<double>::infinity() << "";
    }
    void amountValues()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatAmountValue(value), expected);
    }

    void absoluteAmountSaturates()
    {
        QCOMPARE(AbsoluteAmount(-450000), qint64(450000));
        QCOMPARE(AbsoluteAmount(std::numeric_limits<qint64>::min()), std::numeric_limits<qint64>::max());
        QCOMPARE(FormatAmountPlain(AbsoluteAmount(-12345600)), QStringLiteral("1234.56"));
    }

    void percentages_data()
    {
        QTest::addColumn<double>("fraction");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half") << 0.5 << "50%";
        QTest::newRow("428 of 856") << 428.0 / 856 << "50%";
        QTest::newRow("least shown") << 0.01 << "1%";
        QTest::newRow("half a percent rounds up") << 0.125 << "13%";
        QTest::newRow("binary just below a half") << 0.285 << "29%";
        QTest::newRow("zero") << 0.0 << "0%";
        QTest::newRow("over full") << 1.5 << "150%";
        QTest::newRow("not a number") << std::nan("") << "";
        QTest::newRow("absurd") << 1e300 << "";
    }
    void percentages()
    {
        QFETCH(double, fraction);
        QFETCH(QString, expected);
        QCOMPARE(FormatPercent(fraction), expected);
    }
};

TALLYO_TEST(AmountFormats)
#include "amountformats.moc"
