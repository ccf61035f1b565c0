#pragma once
// Paints one picture button from a snapshot of everything that shows: look,
// state, palette, caption, layout and pictures. Separate from the widget so
// that a paint can be checked pixel by pixel on an image.
#include "controls/buttonlayout.h"
#include "controls/buttonpalette.h"

#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

namespace tallyo {

struct ButtonFace {
    QSize size;
    int buttonType = 3;
    int state = 0;      // 0 up, 2 pressed
    bool over = false;  // the mouse is over the button
    bool enabled = true;
    bool focused = false;
    bool showFocusRect = true;
    ButtonPalette palette;
    QString caption;    // line breaks as "\n"
    QFont font;
    ButtonLayout layout;
    int picturePosition = 0;
    QImage pictureNormal;
    QImage pictureOver;
    bool useMaskColor = true;
    bool useGreyscale = false;
    int specialEffect = 0;
    bool softBevel = false;
    bool transparent = false; // look 11: leave the background as it is
};

void paintButton(QPainter& painter, const ButtonFace& face);

// Grey of a colour: rnd(0.30 red + 0.59 green + 0.11 blue).
int greyOf(QRgb pixel);

}
