#pragma once
// Draws the transaction graph on any painter: the window's drawing area, an
// image in tests, a page. The area is mapped to the graph's coordinates
// (x by row, y by value from +extent at the top to -extent at the bottom).
#include "graphdata.h"

#include <QColor>
#include <QRectF>

class QPainter;

namespace tallyo {

namespace GraphColour {
inline const QColor ZeroLine(64, 64, 64);
inline const QColor Marker(192, 192, 0);
inline const QColor Line(0, 128, 0);
inline const QColor Positive(0, 0, 192);
inline const QColor Negative(192, 0, 0);
inline const QColor Zero(128, 128, 128);
}

// The colour of a bar or point by its plotted value.
QColor GraphValueColour(qint64 plotted);

// Draws the zero line, the month and year markers and the values into
// `area`. Draws nothing when the scale is empty.
void DrawGraph(QPainter& painter, const QRectF& area, const GraphData& data, const GraphScale& scale);

}
