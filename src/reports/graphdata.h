#pragma once
// What the transaction graph plots: one value per displayed row (its amount,
// or its running balance), the highest, lowest and average values, the
// dates the list spans, the rows where a new month or year begins, and the
// scale of the drawing area.
#include "register/registerrows.h"

#include <QString>
#include <vector>

namespace tallyo {

// The graph menu's items that draw a graph, by their position in the menu.
enum GraphKind : int {
    XYGraph = 1,
    BarGraph = 2,
    ScatterGraph = 3,
    BalanceGraph = 5,
};

// The menu item's caption for a kind; empty for any other number.
QString GraphMenuCaption(int kind);
// The window's title: "XY graph analysis - credit/debit values",
// "Account Balance graph analysis".
QString GraphWindowTitle(int kind);

struct GraphData {
    int kind = XYGraph;
    // Per row, in display order: the value rounded to whole money units
    // (halves to the even unit). 64-bit, so balances of any size plot.
    std::vector<qint64> plotted;
    // Exact values in ten-thousandths. The sum covers every row; high and
    // low leave out the beginning balance at the top of the normal view.
    qint64 sum = 0;
    qint64 high = 0;
    qint64 low = 0;
    double startDate = 0;  // the first dated row's date (stored form)
    double endDate = 0;    // the last row's date
    // Rows (from 1) where a month begins; minus the row number where a year
    // begins.
    std::vector<qint32> markers;

    qint32 count() const { return qint32(plotted.size()); }
};

// Collects the values of the rows for a kind: the amounts (kinds 1 to 3) or
// the running balance as the grid shows it (kind 5).
GraphData CollectGraphValues(const RegisterRows& rows, int kind);

// The captions beside the graph: high, low and average ("##,###,##0.00"),
// and the date range ("01/02/26 to 03/04/26").
struct GraphLabels {
    QString high, low, average, dateRange;
};
GraphLabels GraphLabelsOf(const GraphData& data, QStringView dateFormat);

// The drawing area's coordinates: x from `left` to `right`, y from
// `extent` at the top to -`extent` at the bottom. Nothing to draw when the
// largest value rounds to 0.
struct GraphScale {
    bool empty = true;
    qint64 largest = 0;  // the largest magnitude, rounded to a whole unit
    qint64 extent = 0;   // largest + the larger of 5 and largest / 100
    qint64 left = 0;     // -(rows div 1000)
    qint64 right = 0;    // rows + rows div 1000 + 1
};
GraphScale GraphScaleOf(const GraphData& data);

// A value in ten-thousandths rounded to whole units, halves to the even unit.
qint64 RoundToUnits(qint64 tenThousandths);

}
