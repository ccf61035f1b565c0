#include "controls/buttonlayout.h"

#include <algorithm>

namespace tallyo {

namespace {

// The rows inside the outline and bevel of look 3 (the deepest edge of the
// looks that draw a caption): the caption must lie within them.
constexpr int EdgeRows = 3;

// A picture above or below a caption that together overflow a low button:
// the caption moves back inside the edges and the picture closes up to it
// (never onto it). The caption stays whole and readable; a button too low
// for both cuts the picture's outer edge instead.
void fitStacked(ButtonLayout& layout, int h, int ph, bool pictureAbove)
{
    QRect& c = layout.caption;
    const int ch = c.height();
    int& y = layout.picture.ry();
    if (pictureAbove) {
        if (c.bottom() < h - EdgeRows)
            return;
        c.moveTop(std::max(EdgeRows, h - EdgeRows - ch));
        y = std::max(c.top() - ph - 2, std::min(EdgeRows, c.top() - ph));
    } else {
        if (c.top() >= EdgeRows)
            return;
        c.moveTop(EdgeRows);
        y = std::min(c.bottom() + 3, std::max(h - EdgeRows - ph, c.bottom() + 1));
    }
}

}

ButtonLayout layoutButton(int w, int h, QSize picture, int position, bool hasCaption,
                          const CaptionMeasure& measure)
{
    const int pw = picture.width();
    const int ph = picture.height();
    if (position < PictureLeft || position > PictureBehind)
        position = PictureLeft;

    // The box the caption may fill (edges as left, top, right, bottom).
    int left = 4, top = 4, right = w - 8, bottom = h - 8;
    switch (position) {
    case PictureLeft: left = pw + 4; break;
    case PictureRight: right = w - pw - 8; break;
    case PictureAbove: top = ph + 4; break;
    case PictureBelow: bottom = h - ph - 8; break;
    case PictureBehind: top = 1; bottom = h - 4; break;
    }
    Q_UNUSED(bottom); // the caption's height comes from its text alone

    const QSize text = measure ? measure(std::max(0, right - left)) : QSize();
    const int cw = text.width();
    const int ch = text.height();
    const int dx = position == PictureRight ? (w - pw - (left + cw) - 4) / 2 : (w - (left + cw)) / 2;
    // Above and below share the offset that centres picture and caption
    // together; a picture above would otherwise push the caption out of the
    // button.
    const bool stacked = position == PictureAbove || position == PictureBelow;
    const int dy = stacked ? (h - ph - ch - 4) / 2 : (h - ch) / 2;

    ButtonLayout layout;
    layout.caption = QRect(left + dx, top + dy, cw, ch);

    QRect& c = layout.caption;
    if (!hasCaption || position == PictureBehind) {
        layout.picture = QPoint((w - pw) / 2, (h - ph) / 2);
        layout.pressedCaption = c.translated(1, 1);
        return layout;
    }
    switch (position) {
    case PictureLeft: layout.picture = QPoint(c.left() - pw - 6, (h - ph) / 2); break;
    case PictureRight: layout.picture = QPoint(c.left() + cw + 6, (h - ph) / 2); break;
    case PictureAbove: layout.picture = QPoint((w - pw) / 2, c.top() - ph - 2); break;
    case PictureBelow: layout.picture = QPoint((w - pw) / 2, c.top() + ch + 2); break;
    }
    if (stacked)
        fitStacked(layout, h, ph, position == PictureAbove);
    layout.pressedCaption = c.translated(1, 1);
    return layout;
}

QRect focusRectFor(int buttonType, int w, int h)
{
    const QRect client(0, 0, w, h);
    switch (buttonType) {
    case 3: return client.adjusted(4, 4, -4, -4);
    case 11: return client.adjusted(3, 3, -3, -3);
    case 14: return client.adjusted(5, 5, -5, -5).translated(1, 1);
    default: return client;
    }
}

QList<QRect> windowRegionFor(int buttonType, int w, int h)
{
    // Each row as the span of pixels kept: cut = pixels removed at each end.
    QList<QRect> rows;
    const auto keep = [&](int y, int cut) {
        if (y >= 0 && y < h && w - 2 * cut > 0)
            rows.append(QRect(cut, y, w - 2 * cut, 1));
    };
    if (buttonType == 3 && h >= 4) {
        keep(0, 2);
        keep(1, 1);
        if (h > 4)
            rows.append(QRect(0, 2, w, h - 4));
        keep(h - 2, 1);
        keep(h - 1, 2);
    } else if (buttonType == 14 && h >= 2) {
        keep(0, 1);
        if (h > 2)
            rows.append(QRect(0, 1, w, h - 2));
        keep(h - 1, 1);
    }
    return rows;
}

}
