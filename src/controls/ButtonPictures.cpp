#include "ButtonPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace tallyo::pictures {

namespace {

constexpr int Size = 18;

QPixmap picture(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pixmap;
}

QPen pen(const QColor& colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with ruled lines, the base of several pictures.
void sheet(QPainter& p, const QColor& lines)
{
    p.setPen(pen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 11, 15));
    p.setPen(pen(lines, 1));
    for (int y = 5; y <= 13; y += 3)
        p.drawLine(6, y, 12, y);
}

}

QPixmap add()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(0, 128, 0), 4));
        p.drawLine(9, 3, 9, 15);
        p.drawLine(3, 9, 15, 9);
    });
}

QPixmap modify()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(80, 60, 0), 1));
        p.setBrush(QColor(250, 200, 60));
        QPainterPath body;
        body.moveTo(3, 15);
        body.lineTo(4, 11);
        body.lineTo(13, 2);
        body.lineTo(16, 5);
        body.lineTo(7, 14);
        body.closeSubpath();
        p.drawPath(body);
    });
}

QPixmap remove()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(200, 0, 0), 4));
        p.drawLine(4, 4, 14, 14);
        p.drawLine(14, 4, 4, 14);
    });
}

QPixmap clear()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(0, 128, 0), 3));
        p.drawPolyline(QPolygonF({QPointF(3, 9), QPointF(7, 14), QPointF(15, 4)}));
    });
}

QPixmap voidMark()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(0, 128, 128), 2.5));
        p.drawEllipse(QRectF(2.5, 2.5, 13, 13));
        p.drawLine(QPointF(5, 13), QPointF(13, 5));
    });
}

QPixmap notes()
{
    return picture([](QPainter& p) { sheet(p, QColor(80, 120, 200)); });
}

QPixmap check()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(60, 90, 60), 1));
        p.setBrush(QColor(220, 245, 220));
        p.drawRect(QRectF(0.5, 4.5, 17, 9));
        p.setPen(pen(QColor(60, 90, 60), 1));
        p.drawLine(3, 11, 10, 11);
        p.drawLine(12, 7, 15, 7);
    });
}

QPixmap reconcile()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(90, 60, 20), 1.5));
        p.drawLine(QPointF(9, 2), QPointF(9, 16));
        p.drawLine(QPointF(5, 16), QPointF(13, 16));
        p.drawLine(QPointF(2, 5), QPointF(16, 5));
        p.setBrush(QColor(230, 190, 40));
        p.drawChord(QRectF(0.5, 5, 6, 6), 180 * 16, 180 * 16);
        p.drawChord(QRectF(11.5, 5, 6, 6), 180 * 16, 180 * 16);
    });
}

QPixmap search()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(40, 40, 120), 2));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QRectF(2, 2, 9, 9));
        p.setPen(pen(QColor(40, 40, 120), 3));
        p.drawLine(QPointF(10, 10), QPointF(15.5, 15.5));
    });
}

QPixmap summary()
{
    return picture([](QPainter& p) { sheet(p, QColor(60, 60, 60)); });
}

QPixmap print()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 1.5, 7, 6));
        p.setBrush(QColor(150, 150, 160));
        p.drawRect(QRectF(1.5, 7.5, 15, 6));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5.5, 11.5, 7, 5));
    });
}

QPixmap graph()
{
    return picture([](QPainter& p) {
        p.setPen(Qt::NoPen);
        const QColor colours[] = {QColor(0, 0, 192), QColor(0, 128, 0), QColor(192, 0, 0)};
        const int heights[] = {7, 12, 9};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(QRectF(2 + i * 5, 16 - heights[i], 4, heights[i]));
        }
        p.setPen(pen(QColor(40, 40, 40), 1));
        p.drawLine(1, 16, 17, 16);
    });
}

QPixmap lists()
{
    return picture([](QPainter& p) {
        for (int row = 0; row < 4; ++row) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 96, 0));
            p.drawEllipse(QRectF(1.5, 2.5 + row * 4, 3, 3));
            p.setPen(pen(QColor(60, 60, 60), 1.5));
            p.drawLine(QPointF(7, 4 + row * 4), QPointF(16, 4 + row * 4));
        }
    });
}

QPixmap calculator()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(50, 50, 50), 1));
        p.setBrush(QColor(200, 200, 210));
        p.drawRoundedRect(QRectF(3.5, 1.5, 11, 15), 2, 2);
        p.setBrush(QColor(190, 230, 190));
        p.drawRect(QRectF(5.5, 3.5, 7, 3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 60));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(5.5 + col * 2.5, 8.5 + row * 2.5, 1.6, 1.6));
    });
}

QPixmap calendar()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 3.5, 15, 13));
        p.setBrush(QColor(200, 0, 0));
        p.drawRect(QRectF(1.5, 3.5, 15, 3));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(80, 80, 80));
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col)
                p.drawRect(QRectF(3.5 + col * 3.2, 8 + row * 2.8, 1.8, 1.6));
    });
}

QPixmap letter(const QString& letter)
{
    return picture([letter](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 80, 180));
        p.drawEllipse(QRectF(1, 1, 16, 16));
        QFont font(QStringLiteral("DejaVu Sans"), 9);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, letter);
    });
}

QPixmap help()
{
    return letter(QStringLiteral("?"));
}

QPixmap back()
{
    return picture([](QPainter& p) {
        p.setPen(pen(QColor(170, 60, 0), 2.5));
        QPainterPath arrow;
        arrow.moveTo(4, 7);
        arrow.cubicTo(9, 2, 16, 5, 15, 11);
        arrow.cubicTo(14, 15, 9, 16, 7, 15);
        p.drawPath(arrow);
        p.drawPolyline(QPolygonF({QPointF(4, 2), QPointF(4, 7), QPointF(9, 7)}));
    });
}

QPixmap key()
{
    return picture([](QPainter& p) {
        p.setPen(QPen(QColor(120, 90, 0), 2));
        p.setBrush(QColor(230, 190, 40));
        p.drawEllipse(QRectF(1.5, 5.5, 7, 7));
        p.drawLine(QPointF(8.5, 9), QPointF(16.5, 9));
        p.drawLine(QPointF(13.5, 9), QPointF(13.5, 13));
        p.drawLine(QPointF(16, 9), QPointF(16, 12));
    });
}

QPixmap gear()
{
    return picture([](QPainter& p) {
        p.translate(9, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 90, 120));
        for (int tooth = 0; tooth < 8; ++tooth) {
            p.drawRect(QRectF(-1.5, -8.5, 3, 4));
            p.rotate(45);
        }
        p.drawEllipse(QPointF(0, 0), 6, 6);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(0, 0), 2.5, 2.5);
    });
}

QPixmap notepad()
{
    return picture([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 2.5, 11, 14));
        p.setPen(QPen(QColor(80, 120, 200), 1));
        for (int y = 6; y <= 14; y += 3)
            p.drawLine(5, y, 13, y);
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        for (int x = 6; x <= 12; x += 3)
            p.drawLine(x, 1, x, 4);
    });
}

QPixmap door()
{
    return picture([](QPainter& p) {
        p.setPen(QPen(QColor(90, 50, 20), 1.5));
        p.setBrush(QColor(170, 110, 60));
        p.drawRect(QRectF(3, 1.5, 8, 15));
        p.setPen(pen(QColor(200, 0, 0), 2.5));
        p.drawLine(QPointF(8, 9), QPointF(16, 9));
        p.drawPolyline(QPolygonF({QPointF(13, 6), QPointF(16, 9), QPointF(13, 12)}));
    });
}

}
