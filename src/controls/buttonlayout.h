#pragma once
// Where the picture button puts its caption, picture and focus rectangle,
// and which pixels its window keeps (the cut corners of looks 3 and 14).
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>

namespace tallyo {

enum PicturePlace { PictureLeft = 0, PictureRight = 1, PictureAbove = 2, PictureBelow = 3, PictureBehind = 4 };

// Measures the caption word-wrapped to a box of the given width: the width of
// its widest line and the height of all lines.
using CaptionMeasure = std::function<QSize(int boxWidth)>;

struct ButtonLayout {
    QRect caption;        // the caption's box, its size the measured size
    QRect pressedCaption; // the same box moved 1 pixel right and down
    QPoint picture;       // top-left corner of the picture
};

// w × h is the button's size, picture the picture's size (empty without one).
ButtonLayout layoutButton(int w, int h, QSize picture, int position, bool hasCaption,
                          const CaptionMeasure& measure);

// The rectangle the focus rectangle is drawn on, for a look.
QRect focusRectFor(int buttonType, int w, int h);

// The rows of pixels the button's window keeps, for a look; empty when it
// keeps the whole rectangle.
QList<QRect> windowRegionFor(int buttonType, int w, int h);

}
