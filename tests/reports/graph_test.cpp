// The graph's values, markers and scale, and its drawing rendered into an
// image.
#include "reportrows.h"
#include "testrunner.h"

#include "reports/graphdata.h"
#include "reports/graphpainter.h"
#include "util/formats.h"

#include <QImage>
#include <QPainter>
#include <QTest>

using namespace tallyo;
using namespace reportrows;

namespace {

// A list of amounts (units), one a day from 2026-03-01, without a
// beginning balance, as the reconcile and search views list them.
RegisterRows amounts(const QList<double>& values, int view = SearchView)
{
    QList<Transaction> list;
    for (int i = 0; i < values.size(); ++i)
        list.append(transaction(on(2026, 3, 1) + i, values[i] > 0 ? "Deposit" : "1001", values[i]));
    return rowsOf(list, view);
}

GraphData dataOf(const QList<qint64>& plotted)
{
    GraphData data;
    data.plotted.assign(plotted.begin(), plotted.end());
    for (qint64 value : plotted) {
        data.high = std::max(data.high, value * AmountScale);
        data.low = std::min(data.low, value * AmountScale);
    }
    return data;
}

QImage render(const GraphData& data, const GraphScale& scale, QSize size = QSize(400, 200))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawGraph(painter, QRectF(QPointF(0, 0), QSizeF(size)), data, scale);
    return image;
}

int columnOf(const GraphScale& scale, double x, int width)
{
    return int((x - double(scale.left)) / double(scale.right - scale.left) * width);
}

// How many pixels of the column have the colour; the best of the column
// and its neighbours, as a line may land on either side of a pixel edge.
int pixelsIn(const QImage& image, int column, const QColor& colour)
{
    int best = 0;
    for (int x = std::max(0, column - 1); x <= std::min(image.width() - 1, column + 1); ++x) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            count += image.pixelColor(x, y) == colour;
        best = std::max(best, count);
    }
    return best;
}

// True when the pixel or one of its eight neighbours has the colour.
bool colourNear(const QImage& image, int column, int row, const QColor& colour)
{
    for (int x = column - 1; x <= column + 1; ++x) {
        for (int y = row - 1; y <= row + 1; ++y) {
            if (image.valid(x, y) && image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

}

class GraphTest : public QObject {
    Q_OBJECT

private slots:
    void titles()
    {
        QCOMPARE(GraphWindowTitle(XYGraph), QStringLiteral("XY graph analysis - credit/debit values"));
        QCOMPARE(GraphWindowTitle(BarGraph), QStringLiteral("Vertical Bar graph analysis - credit/debit values"));
        QCOMPARE(GraphWindowTitle(ScatterGraph), QStringLiteral("Scatter Point graph analysis - credit/debit values"));
        QCOMPARE(GraphWindowTitle(BalanceGraph), QStringLiteral("Account Balance graph analysis"));
    }

    void scale_data()
    {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<qint64>("extent");
        QTest::newRow("largest 1,000") << QList<double>{-1000, 20} << false << qint64(1010);
        QTest::newRow("largest 200") << QList<double>{150, -200} << false << qint64(205);
        QTest::newRow("small values get 5") << QList<double>{3} << false << qint64(8);
        QTest::newRow("hundredth rounds") << QList<double>{1250} << false << qint64(1262);
        QTest::newRow("all within a half") << QList<double>{0.4, -0.5, 0.25} << true << qint64(0);
        QTest::newRow("a half rounds to even") << QList<double>{0.5} << true << qint64(0);
        QTest::newRow("one and a half") << QList<double>{1.5} << false << qint64(7);
    }
    void scale()
    {
        QFETCH(QList<double>, values);
        QFETCH(bool, empty);
        QFETCH(qint64, extent);
        const GraphScale s = GraphScaleOf(CollectGraphValues(amounts(values), XYGraph));
        QCOMPARE(s.empty, empty);
        QCOMPARE(s.extent, extent);
    }

    void horizontalRange_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<qint64>("left");
        QTest::addColumn<qint64>("right");
        QTest::newRow("10") << 10 << qint64(0) << qint64(11);
        QTest::newRow("999") << 999 << qint64(0) << qint64(1000);
        QTest::newRow("2,500") << 2500 << qint64(-2) << qint64(2503);
    }
    void horizontalRange()
    {
        QFETCH(int, rows);
        QFETCH(qint64, left);
        QFETCH(qint64, right);
        GraphData data;
        data.plotted.assign(size_t(rows), 1);
        data.high = AmountScale;
        const GraphScale s = GraphScaleOf(data);
        QCOMPARE(s.left, left);
        QCOMPARE(s.right, right);
    }

    void beginningBalanceIsPlottedButNotHighOrLow()
    {
        const RegisterRows rows = rowsOf({beginningBalance(5000), transaction(on(2026, 3, 2), "1001", -25.5),
                                          transaction(on(2026, 3, 9), "Deposit", 100.25)});
        const GraphData data = CollectGraphValues(rows, XYGraph);
        QCOMPARE(data.plotted, (std::vector<qint64>{5000, -26, 100}));
        QCOMPARE(data.high, 1002500);
        QCOMPARE(data.low, -255000);
        QCOMPARE(data.sum, 50747500);
        QCOMPARE(data.startDate, on(2026, 3, 2));
        QCOMPARE(data.endDate, on(2026, 3, 9));
        const GraphLabels labels = GraphLabelsOf(data, u"mm/dd/yy");
        QCOMPARE(labels.high, QStringLiteral("100.25"));
        QCOMPARE(labels.low, QStringLiteral("-25.50"));
        QCOMPARE(labels.average, QStringLiteral("1,691.58"));
        QCOMPARE(labels.dateRange, QStringLiteral("03/02/26 to 03/09/26"));
        // The beginning balance's placeholder date starts a year at row 1.
        QCOMPARE(data.markers, (std::vector<qint32>{-1, 2}));
    }

    void lastRowCountsForHighAndLow()
    {
        const GraphData data = CollectGraphValues(amounts({5, -3, 900}), XYGraph);
        QCOMPARE(data.high, 9000000);
        QCOMPARE(data.low, -30000);
    }

    void balancesBeyond32Bits()
    {
        const RegisterRows rows =
            rowsOf({beginningBalance(0), transaction(on(2026, 3, 2), "Deposit", 30000000.0),
                    transaction(on(2026, 3, 3), "Deposit", 2500000000.0)});
        const GraphData data = CollectGraphValues(rows, BalanceGraph);
        QCOMPARE(data.plotted, (std::vector<qint64>{0, 30000000, 2530000000}));
        QCOMPARE(GraphScaleOf(data).extent, qint64(2530000000) + 25300000);
    }

    void monthAndYearMarkers()
    {
        const RegisterRows rows = rowsOf({transaction(on(2025, 11, 28), "Deposit", 1),
                                          transaction(on(2025, 11, 30), "Deposit", 2),
                                          transaction(on(2025, 12, 1), "Deposit", 3),
                                          transaction(on(2026, 1, 2), "Deposit", 4),
                                          transaction(on(2026, 1, 3), "Deposit", 5),
                                          transaction(on(2026, 2, 1), "Deposit", 6)},
                                         SearchView);
        const GraphData data = CollectGraphValues(rows, XYGraph);
        // The first row starts a month of the year it set; January starts a
        // year and gets no month tick of its own.
        QCOMPARE(data.markers, (std::vector<qint32>{1, 3, -4, 6}));
    }

    void drawingPutsZeroInTheMiddleAndYearLinesFullHeight()
    {
        const RegisterRows rows = rowsOf({transaction(on(2025, 12, 30), "Deposit", 50),
                                          transaction(on(2025, 12, 31), "1001", -80),
                                          transaction(on(2026, 1, 2), "VOID", 0),
                                          transaction(on(2026, 2, 3), "Deposit", 100)},
                                         SearchView);
        const GraphData data = CollectGraphValues(rows, BarGraph);
        const GraphScale scale = GraphScaleOf(data);
        QCOMPARE(scale.extent, qint64(105));
        const QImage image = render(data, scale);
        const int middle = image.height() / 2;
        // The zero line runs across the middle, between the bars.
        QVERIFY(colourNear(image, columnOf(scale, 0.5, image.width()), middle, GraphColour::ZeroLine));
        // The year line at row 3 runs the whole height; the month tick at
        // row 4 only a little way up from the bottom.
        const int yearColumn = columnOf(scale, 3, image.width());
        QVERIFY(pixelsIn(image, yearColumn, GraphColour::Marker) >= image.height() - 3);
        const int monthColumn = columnOf(scale, 4, image.width());
        const int tick = pixelsIn(image, monthColumn, GraphColour::Marker);
        QVERIFY2(tick > 0 && tick <= image.height() / 20 + 2, qPrintable(QString::number(tick)));
        // Bars by sign: a deposit blue above the middle, a check red below.
        const int depositColumn = columnOf(scale, 1, image.width());
        QVERIFY(colourNear(image, depositColumn, middle - 10, GraphColour::Positive));
        QVERIFY(!colourNear(image, depositColumn, middle + 10, GraphColour::Positive));
        const int checkColumn = columnOf(scale, 2, image.width());
        QVERIFY(colourNear(image, checkColumn, middle + 10, GraphColour::Negative));
        QVERIFY(!colourNear(image, checkColumn, middle - 10, GraphColour::Negative));
        // The void's bar has no length: at most a grey dot on the zero line.
        QVERIFY(pixelsIn(image, columnOf(scale, 3, image.width()), GraphColour::Zero) <= 2);
    }

    void valueColours()
    {
        QCOMPARE(GraphValueColour(1), GraphColour::Positive);
        QCOMPARE(GraphValueColour(0), GraphColour::Zero);
        QCOMPARE(GraphValueColour(-1), GraphColour::Negative);
    }

    void lineGraphJoinsNeighbours()
    {
        const GraphData data = [] {
            GraphData d = dataOf({10, -10});
            d.kind = XYGraph;
            return d;
        }();
        const GraphScale scale = GraphScaleOf(data);
        const QImage image = render(data, scale);
        // The line crosses the middle halfway between the two rows.
        const int crossing = columnOf(scale, 1.5, image.width());
        QVERIFY(colourNear(image, crossing, image.height() / 2, GraphColour::Line));
    }

    void emptyScaleDrawsNothing()
    {
        const GraphData data = dataOf({0, 0});
        const GraphScale scale = GraphScaleOf(data);
        QVERIFY(scale.empty);
        const QImage image = render(data, scale);
        QCOMPARE(image, [&] {
            QImage blank(image.size(), QImage::Format_RGB32);
            blank.fill(Qt::white);
            return blank;
        }());
    }
};

TALLYO_TEST(GraphTest)
#include "graph_test.moc"
