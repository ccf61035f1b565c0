// The layout rules of the setup window without the window: which typed
// texts count as missing, the limit and order checks with the field each
// one puts the focus in, and the bytes a saved layout stores.
#include "testrunner.h"

#include "checks/checklayout.h"

#include <QTest>

using namespace tallyo;

using Values = std::array<double, LayoutFieldCount>;
Q_DECLARE_METATYPE(Values)
Q_DECLARE_METATYPE(LayoutProblem)

namespace {

// Rows 2, 4, 6, 6, 8, 10; payee column 10 left of the figures' 60.
constexpr Values Good{2, 60, 4, 50, 6, 10, 6, 60, 8, 10, 10, 10};

Values with(std::initializer_list<std::pair<int, double>> changes)
{
    Values values = Good;
    for (const auto& [field, value] : changes)
        values[size_t(field - 1)] = value;
    return values;
}

}

class CheckLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void fieldValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // 0: missing
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("zeros") << "000" << 0.0;
        QTest::newRow("half") << "0.5" << 0.0;
        QTest::newRow("just below one") << "0.99" << 0.0;
        QTest::newRow("word") << "abc" << 0.0;
        QTest::newRow("number then word") << "12abc" << 0.0;
        QTest::newRow("exponent") << "1e3" << 0.0;
        QTest::newRow("one") << "1" << 1.0;
        QTest::newRow("spaces") << " 7 " << 7.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("large") << "256" << 256.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("small negative") << "-0.5" << -0.5;
    }

    void fieldValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        const std::optional<double> read = LayoutFieldValue(text);
        QCOMPARE(read.value_or(0), value);
    }

    void fieldText()
    {
        QCOMPARE(LayoutFieldText(0), QString());
        QCOMPARE(LayoutFieldText(1), QStringLiteral("1"));
        QCOMPARE(LayoutFieldText(255), QStringLiteral("255"));
    }

    void check_data()
    {
        QTest::addColumn<Values>("values");
        QTest::addColumn<LayoutProblem>("problem");
        QTest::addColumn<int>("field");
        const auto row = [](const char* name, const Values& values, LayoutProblem problem, int field) {
            QTest::newRow(name) << values << problem << field;
        };
        row("good", Good, LayoutProblem::None, 0);
        row("all at the limit", with({{2, 255}, {8, 255}, {12, 255}, {11, 255}, {9, 254}, {7, 253}, {5, 253},
                                     {6, 254}, {3, 252}, {1, 251}}),
            LayoutProblem::None, 0);
        row("payee row on the figures' row", with({{7, 6}}), LayoutProblem::None, 0);
        row("256", with({{5, 256}}), LayoutProblem::AboveLimit, 5);
        row("first of two above", with({{9, 300}, {3, 1000}}), LayoutProblem::AboveLimit, 3);
        row("above before an order fault", with({{6, 60}, {12, 256}}), LayoutProblem::AboveLimit, 12);
        row("above before a negative", with({{2, -3}, {4, 256}}), LayoutProblem::AboveLimit, 4);
        row("255.5 rounds to 256", with({{10, 255.5}}), LayoutProblem::AboveLimit, 10);
        row("negative", with({{4, -3}}), LayoutProblem::BelowOne, 4);
        row("small negative", with({{8, -0.5}}), LayoutProblem::BelowOne, 8);
        row("payee column on the figures'", with({{6, 60}}), LayoutProblem::Order, 6);
        row("payee column right of the figures'", with({{6, 61}}), LayoutProblem::Order, 6);
        row("check row on the date row", with({{1, 4}}), LayoutProblem::Order, 3);
        row("date row on the payee row", with({{3, 6}, {1, 2}}), LayoutProblem::Order, 5);
        row("payee row below the figures'", with({{5, 7}}), LayoutProblem::Order, 7);
        row("figures' row on the words' row", with({{7, 8}}), LayoutProblem::Order, 9);
        row("words' row on the comment row", with({{9, 10}}), LayoutProblem::Order, 11);
        row("rules in their order", with({{6, 60}, {1, 9}, {11, 1}}), LayoutProblem::Order, 6);
        row("second rule before the third", with({{1, 7}, {3, 6}}), LayoutProblem::Order, 3);
        row("columns equal once rounded", with({{6, 10.2}, {8, 10.4}}), LayoutProblem::Order, 6);
        row("rows apart once rounded", with({{7, 7.5}, {9, 8.4}}), LayoutProblem::Order, 9);
    }

    void check()
    {
        QFETCH(Values, values);
        QFETCH(LayoutProblem, problem);
        QFETCH(int, field);
        QCOMPARE(CheckLayoutValues(values), (LayoutCheck{problem, field}));
    }

    void storedHalvesToEven()
    {
        const CheckLayout layout = StoredLayout({2.5, 60, 3.5, 50, 6.4, 10.6, 6.5, 254.5, 8, 1.5, 10, 255.4});
        QCOMPARE(layout, (CheckLayout{2, 60, 4, 50, 6, 11, 6, 254, 8, 2, 10, 255}));
        QVERIFY(IsLayoutSet(layout));
        QVERIFY(!IsLayoutSet(CheckLayout{}));
        QVERIFY(!IsLayoutSet(CheckLayout{0, 5, 5, 5}));
        QCOMPARE(LayoutRow(layout, PayeeField), 6);
        QCOMPARE(LayoutColumn(layout, WordsField), 2);
    }
};

TALLYO_TEST(CheckLayoutTest)
#include "checklayout_test.moc"
