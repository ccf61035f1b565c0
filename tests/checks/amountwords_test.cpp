// The amount in words: every example row, the thresholds on either side of
// each group, both currencies, rounding to the cent, and amounts of every
// size money can hold read back by an independent reader of the words.
#include "testrunner.h"

#include "checks/amountwords.h"
#include "shell/appsettings.h"

#include <QRandomGenerator>
#include <QTest>
#include <limits>

using namespace tallyo;

namespace {

const CurrencyWords Dollars{QStringLiteral("$"), QStringLiteral("Dollars"), QStringLiteral("Cents")};
const CurrencyWords Pounds{QStringLiteral("\u00A3"), QStringLiteral("Pounds"), QStringLiteral("Pence")};

// Ten-thousandths of whole units and cents.
constexpr qint64 money(qint64 units, qint64 cents = 0)
{
    return units * 10000 + cents * 100;
}

// Reads words back into whole units, without the program's tables: every
// number word, "Hundred" multiplying the group so far, a scale word closing
// the group. -1 for a word it does not know.
qint64 readWords(const QStringList& words)
{
    static const QHash<QString, int> numbers{
        {"One", 1},     {"Two", 2},        {"Three", 3},     {"Four", 4},     {"Five", 5},      {"Six", 6},
        {"Seven", 7},   {"Eight", 8},      {"Nine", 9},      {"Ten", 10},     {"Eleven", 11},   {"Twelve", 12},
        {"Thirteen", 13}, {"Fourteen", 14}, {"Fifteen", 15}, {"Sixteen", 16}, {"Seventeen", 17}, {"Eighteen", 18},
        {"Nineteen", 19}, {"Twenty", 20},  {"Thirty", 30},   {"Forty", 40},   {"Fifty", 50},    {"Sixty", 60},
        {"Seventy", 70}, {"Eighty", 80},   {"Ninety", 90}};
    static const QHash<QString, qint64> scales{
        {"Thousand", 1000LL}, {"Million", 1000000LL}, {"Billion", 1000000000LL}, {"Trillion", 1000000000000LL}};
    qint64 total = 0, group = 0;
    for (const QString& word : words) {
        if (numbers.contains(word))
            group += numbers[word];
        else if (word == u"Hundred")
            group *= 100;
        else if (scales.contains(word)) {
            total += group * scales[word];
            group = 0;
        } else
            return -1;
    }
    return total + group;
}

}

class AmountInWordsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { ResetDisplayValues(); }

    void spelled_data()
    {
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<bool>("pounds");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, qint64 amount, const char* expected, bool pounds = false) {
            QTest::newRow(name) << amount << pounds << QString::fromUtf8(expected);
        };
        // The examples.
        row("1 234.56", money(1234, 56), "One Thousand Two Hundred Thirty Four Dollars & 56 Cents");
        row("-1 234.56", -money(1234, 56), "One Thousand Two Hundred Thirty Four Dollars & 56 Cents");
        row("1.01", money(1, 1), "One Dollar & 01 Cent");
        row("1.00", money(1), "One Dollar & 00 Cents");
        row("0.50", money(0, 50), "Dollars & 50 Cents");
        row("0.00", 0, "Dollars & 00 Cents");
        row("10.50", money(10, 50), "Ten Dollars & 50 Cents");
        row("15.00", money(15), "Fifteen Dollars & 00 Cents");
        row("100.00", money(100), "One Hundred Dollars & 00 Cents");
        row("20 000.00", money(20000), "Twenty Thousand Dollars & 00 Cents");
        row("10 500.00", money(10500), "Ten Thousand Five Hundred Dollars & 00 Cents");
        row("100 500.00", money(100500), "One Hundred Thousand Five Hundred Dollars & 00 Cents");
        row("115 000.00", money(115000), "One Hundred Fifteen Thousand Dollars & 00 Cents");
        row("999 999.99", money(999999, 99),
            "Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine Dollars & 99 Cents");
        row("1.01 pounds", money(1, 1), "One Pound & 01 Pence", true);
        // Either side of every threshold.
        row("0.99", money(0, 99), "Dollars & 99 Cents");
        row("9.99", money(9, 99), "Nine Dollars & 99 Cents");
        row("10.00", money(10), "Ten Dollars & 00 Cents");
        row("10.99", money(10, 99), "Ten Dollars & 99 Cents");
        row("11.00", money(11), "Eleven Dollars & 00 Cents");
        row("19.99", money(19, 99), "Nineteen Dollars & 99 Cents");
        row("20.00", money(20), "Twenty Dollars & 00 Cents");
        row("99.99", money(99, 99), "Ninety Nine Dollars & 99 Cents");
        row("999.99", money(999, 99), "Nine Hundred Ninety Nine Dollars & 99 Cents");
        row("1 000.00", money(1000), "One Thousand Dollars & 00 Cents");
        row("1 005.00", money(1005), "One Thousand Five Dollars & 00 Cents");
        row("9 999.99", money(9999, 99), "Nine Thousand Nine Hundred Ninety Nine Dollars & 99 Cents");
        row("10 000.00", money(10000), "Ten Thousand Dollars & 00 Cents");
        row("10 999.99", money(10999, 99), "Ten Thousand Nine Hundred Ninety Nine Dollars & 99 Cents");
        row("11 000.00", money(11000), "Eleven Thousand Dollars & 00 Cents");
        row("19 999.99", money(19999, 99), "Nineteen Thousand Nine Hundred Ninety Nine Dollars & 99 Cents");
        row("99 999.99", money(99999, 99), "Ninety Nine Thousand Nine Hundred Ninety Nine Dollars & 99 Cents");
        row("100 000.00", money(100000), "One Hundred Thousand Dollars & 00 Cents");
        row("110 000.00", money(110000), "One Hundred Ten Thousand Dollars & 00 Cents");
        row("111 111.11", money(111111, 11),
            "One Hundred Eleven Thousand One Hundred Eleven Dollars & 11 Cents");
        row("200 000.01", money(200000, 1), "Two Hundred Thousand Dollars & 01 Cent");
        // Millions and beyond, in the same style.
        row("1 000 000.00", money(1000000), "One Million Dollars & 00 Cents");
        row("1 000 001.00", money(1000001), "One Million One Dollars & 00 Cents");
        row("12 345 678.90", money(12345678, 90),
            "Twelve Million Three Hundred Forty Five Thousand Six Hundred Seventy Eight Dollars & 90 Cents");
        row("999 999 999.99", money(999999999, 99),
            "Nine Hundred Ninety Nine Million Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine "
            "Dollars & 99 Cents");
        row("1 000 000 000.00", money(1000000000), "One Billion Dollars & 00 Cents");
        row("largest", std::numeric_limits<qint64>::max(),
            "Nine Hundred Twenty Two Trillion Three Hundred Thirty Seven Billion Two Hundred Three Million "
            "Six Hundred Eighty Five Thousand Four Hundred Seventy Seven Dollars & 58 Cents");
        row("most negative", std::numeric_limits<qint64>::min(),
            "Nine Hundred Twenty Two Trillion Three Hundred Thirty Seven Billion Two Hundred Three Million "
            "Six Hundred Eighty Five Thousand Four Hundred Seventy Seven Dollars & 58 Cents");
        // The cents as the figures show them, the unit name with them.
        row("0.0049", 49, "Dollars & 00 Cents");
        row("0.005", 50, "Dollars & 01 Cent");
        row("0.9999", 9999, "One Dollar & 00 Cents");
        row("1.9951", 19951, "Two Dollars & 00 Cents");
        row("0.01", money(0, 1), "Dollars & 01 Cent");
        // Pounds: one penny is still "Pence".
        row("0.01 pounds", money(0, 1), "Pounds & 01 Pence", true);
        row("1.00 pounds", money(1), "One Pound & 00 Pence", true);
        row("2.02 pounds", money(2, 2), "Two Pounds & 02 Pence", true);
        row("1 234.56 pounds", money(1234, 56), "One Thousand Two Hundred Thirty Four Pounds & 56 Pence", true);
    }

    void spelled()
    {
        QFETCH(qint64, amount);
        QFETCH(bool, pounds);
        QFETCH(QString, expected);
        QCOMPARE(AmountInWords(amount, pounds ? Pounds : Dollars), expected);
    }

    // Every size of amount reads back as its whole units; no placeholder
    // word, no double space.
    void everySizeReadsBack()
    {
        QRandomGenerator random(20261208);
        QList<qint64> amounts;
        for (qint64 power = 1; power <= 10000000000000LL; power *= 10) {
            amounts << money(power) << money(power - 1, 99) << money(power + 1) << money(power * 7 + 13);
            for (int i = 0; i < 40; ++i)
                amounts << money(qint64(random.bounded(quint64(power) * 10)), random.bounded(100));
        }
        for (const qint64 amount : amounts) {
            const QString words = AmountInWords(amount, Dollars);
            QVERIFY2(!words.contains(u"Zilch") && !words.contains(u"  "), qPrintable(words));
            const qsizetype joiner = words.indexOf(QStringLiteral(" & "));
            QVERIFY(joiner > 0);
            QStringList whole = words.left(joiner).split(u' ', Qt::SkipEmptyParts);
            whole.removeLast(); // the unit name
            QCOMPARE(readWords(whole), amount / 10000);
            QCOMPARE(words.right(words.size() - joiner - 3).left(2),
                     QStringLiteral("%1").arg(amount / 100 % 100, 2, 10, QLatin1Char('0')));
        }
    }

    // The shared display values name the currency, as the options window
    // leaves them.
    void displayValuesNameTheCurrency()
    {
        ApplyCurrencySymbol(2);
        QCOMPARE(AmountInWords(money(1, 1)), QStringLiteral("One Pound & 01 Pence"));
        ApplyCurrencySymbol(1);
        QCOMPARE(AmountInWords(money(1, 1)), QStringLiteral("One Dollar & 01 Cent"));
        // No currency words at all leaves no gaps.
        ResetDisplayValues();
        QCOMPARE(AmountInWords(money(21, 5)), QStringLiteral("Twenty One & 05"));
    }
};

TALLYO_TEST(AmountInWordsTest)
#include "amountwords_test.moc"
