#pragma once
// The picture button's stored properties that need no drawing types, with
// their defaults for a new button and for keys missing from a stored design.
// Font and pictures are stored by the widget itself.
#include "controls/buttoncolor.h"

#include <QString>

namespace tallyo {

class PropertyBag;

struct ButtonProperties {
    int buttonType = 14;
    QString caption;
    bool enabled = true;
    int colorScheme = 2;
    bool showFocusRect = true;
    OleColor backColor = 0;
    OleColor backOver = 0;
    OleColor foreColor = 0;
    OleColor foreOver = 0;
    OleColor maskColor = oleRgb(192, 192, 192);
    qint16 mousePointer = 0;
    bool useMaskColor = true;
    bool softBevel = false;
    int picturePosition = 0;
    bool useGreyscale = false;
    int specialEffect = 0;
    bool checkBoxBehaviour = false;
    bool value = false;

    // Reads every key in turn; a missing key gives its stored-design default
    // (look 2, empty caption, system colours, colour scheme 1).
    void readFrom(const PropertyBag& bag);
    void writeTo(PropertyBag& bag) const;
};

// Bag keys of the properties the widget stores itself.
inline constexpr const char* FontKey = "FONT";
inline constexpr const char* MouseIconKey = "MICON";
inline constexpr const char* PictureNormalKey = "PICN";
inline constexpr const char* PictureOverKey = "PICH";

}
