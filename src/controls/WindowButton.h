#pragma once
// The picture buttons of the program's windows as they are drawn
// everywhere: look 3, colour scheme 2, the light blue face with dark
// captions, and an optional picture above the caption.
#include <QColor>
#include <QPixmap>
#include <QString>

class QWidget;

namespace tallyo {

class ZevButton;

namespace WindowButtonColour {
inline const QColor Face(206, 220, 238);
inline const QColor FaceOver(226, 236, 250);
inline const QColor Caption(16, 32, 64);
inline const QColor CaptionOver(0, 0, 0);
}

// A button named `name` in `parent`; a font size of 0 keeps the button's own.
ZevButton* MakeWindowButton(QWidget* parent, const char* name, const QString& caption = {},
                            const QPixmap& picture = {}, double fontSize = 0);

}
