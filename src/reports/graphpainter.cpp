#include "graphpainter.h"

#include <QPainter>
#include <QPen>

namespace tallyo {

namespace {

// Maps graph coordinates into the area. Kept in doubles: values and
// extents of large balances do not fit a painter's integer window.
class GraphMapping {
public:
    GraphMapping(const QRectF& area, const GraphScale& scale)
        : area_(area), left_(double(scale.left)), width_(double(scale.right - scale.left)),
          extent_(double(scale.extent))
    {
    }
    QPointF at(double x, double y) const
    {
        return {area_.left() + (x - left_) / width_ * area_.width(),
                area_.top() + (extent_ - y) / (2 * extent_) * area_.height()};
    }

private:
    QRectF area_;
    double left_;
    double width_;
    double extent_;
};

QPen CosmeticPen(const QColor& colour, double width = 1.0)
{
    QPen pen(colour, width);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

}

QColor GraphValueColour(qint64 plotted)
{
    if (plotted >= 1)
        return GraphColour::Positive;
    if (plotted < 0)
        return GraphColour::Negative;
    return GraphColour::Zero;
}

void DrawGraph(QPainter& painter, const QRectF& area, const GraphData& data, const GraphScale& scale)
{
    if (scale.empty || scale.extent <= 0 || scale.right <= scale.left)
        return;
    const GraphMapping map(area, scale);
    const double extent = double(scale.extent);
    const qint32 n = data.count();
    painter.save();
    painter.setClipRect(area);

    const double margin = double(n / 1000);
    painter.setPen(CosmeticPen(GraphColour::ZeroLine));
    painter.drawLine(map.at(-margin, 0), map.at(n + margin, 0));

    painter.setPen(CosmeticPen(GraphColour::Marker));
    const double tickTop = double(scale.extent / 20) - extent;
    for (const qint32 marker : data.markers) {
        const double x = marker < 0 ? -double(marker) : double(marker);
        painter.drawLine(map.at(x, -extent), map.at(x, marker < 0 ? extent : tickTop));
    }

    switch (data.kind) {
    case XYGraph:
    case BalanceGraph:
        painter.setPen(CosmeticPen(GraphColour::Line));
        for (qint32 i = 1; i < n; ++i)
            painter.drawLine(map.at(i, double(data.plotted[size_t(i - 1)])),
                             map.at(i + 1, double(data.plotted[size_t(i)])));
        break;
    case BarGraph:
        for (qint32 i = 1; i <= n; ++i) {
            const qint64 value = data.plotted[size_t(i - 1)];
            painter.setPen(CosmeticPen(GraphValueColour(value)));
            painter.drawLine(map.at(i, 0), map.at(i, double(value)));
        }
        break;
    case ScatterGraph:
        for (qint32 i = 1; i <= n; ++i) {
            const qint64 value = data.plotted[size_t(i - 1)];
            QPen pen = CosmeticPen(GraphValueColour(value), 2.0);
            pen.setCapStyle(Qt::SquareCap);
            painter.setPen(pen);
            painter.drawPoint(map.at(i, double(value)));
        }
        break;
    default:
        break;
    }
    painter.restore();
}

}
