#include "graphdata.h"

#include "util/arithmetic.h"
#include "util/dates.h"
#include "util/formats.h"
#include "util/numbers.h"

#include <algorithm>

#include <cmath>

namespace tallyo {

namespace {

// Only the beginning balance carries this date.
constexpr double StartPlaceholderDate = 1.0;

bool IsDated(const RegisterRow& row)
{
    return row.date != StartPlaceholderDate;
}

// A balance as the grid shows it, to the cent.
qint64 ShownBalance(qint64 balance)
{
    return ParseAmount(FormatAmount(balance)).value_or(balance);
}

}

QString GraphMenuCaption(int kind)
{
    switch (kind) {
    case XYGraph: return QStringLiteral("XY graph");
    case BarGraph: return QStringLiteral("Vertical Bar graph");
    case ScatterGraph: return QStringLiteral("Scatter Point graph");
    case BalanceGraph: return QStringLiteral("Account Balance graph");
    default: return {};
    }
}

QString GraphWindowTitle(int kind)
{
    QString title = GraphMenuCaption(kind) + QStringLiteral(" analysis");
    if (kind != BalanceGraph)
        title += QStringLiteral(" - credit/debit values");
    return title;
}

qint64 RoundToUnits(qint64 tenThousandths)
{
    qint64 units = tenThousandths / AmountScale;
    const qint64 rest = tenThousandths % AmountScale;  // same sign as the value
    const qint64 half = AmountScale / 2;
    const qint64 restSize = rest < 0 ? -rest : rest;
    if (restSize > half || (restSize == half && units % 2 != 0))
        units += rest < 0 ? -1 : 1;
    return units;
}

GraphData CollectGraphValues(const RegisterRows& rows, int kind)
{
    GraphData data;
    data.kind = kind;
    const qint32 n = rows.size();
    data.plotted.reserve(size_t(n));
    int currentMonth = 0;
    int currentYear = -1;
    bool firstDatedSeen = false;
    for (qint32 i = 0; i < n; ++i) {
        const RegisterRow& row = rows[i];
        const qint64 value = kind == BalanceGraph ? ShownBalance(row.balance) : row.amount;
        data.plotted.push_back(RoundToUnits(value));
        AddTo(data.sum, value);

        const QDate day = DateFromStored(row.date);
        const int year = day.isValid() ? day.year() % 100 : -1;
        // High and low start at the first row, and again at the second when
        // the first is the undated beginning balance.
        if (i == 0 || (i == 1 && !firstDatedSeen)) {
            data.high = data.low = value;
            if (IsDated(row)) {
                firstDatedSeen = true;
                data.startDate = row.date;
                currentYear = year;
            }
        } else {
            data.high = std::max(data.high, value);
            data.low = std::min(data.low, value);
        }
        if (i == n - 1)
            data.endDate = row.date;

        const int month = day.isValid() ? day.month() : 0;
        if (month != currentMonth) {
            const qint32 position = i + 1;
            if (year != currentYear) {
                currentYear = year;
                data.markers.push_back(-position);
            } else {
                data.markers.push_back(position);
            }
            currentMonth = month;
        }
    }
    return data;
}

GraphLabels GraphLabelsOf(const GraphData& data, QStringView dateFormat)
{
    GraphLabels labels;
    labels.high = FormatAmount(data.high);
    labels.low = FormatAmount(data.low);
    labels.average = data.count() > 0
        ? FormatAmountValue(double(data.sum) / double(AmountScale) / data.count())
        : FormatAmount(0);
    labels.dateRange = FormatShortDate(data.startDate, dateFormat) + QStringLiteral(" to ")
        + FormatShortDate(data.endDate, dateFormat);
    return labels;
}

GraphScale GraphScaleOf(const GraphData& data)
{
    GraphScale scale;
    const qint64 largest = std::max(AbsoluteAmount(data.high), AbsoluteAmount(data.low));
    scale.largest = RoundToUnits(largest);
    const qint64 n = data.count();
    scale.left = -(n / 1000);
    scale.right = n + n / 1000 + 1;
    if (scale.largest == 0)
        return scale;
    scale.empty = false;
    // The hundredth rounds as the whole value does, halves to even.
    const qint64 margin = std::max<qint64>(5, qint64(std::nearbyint(double(scale.largest) / 100.0)));
    scale.extent = scale.largest;
    AddTo(scale.extent, margin);
    return scale;
}

}
