#pragma once
// The picture button's palette: the face colour and the colours derived from
// it by shifting each channel, and the arithmetic behind them.
#include <QtGlobal>

namespace tallyo {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// x rounded to the nearest whole number, a half to the even neighbour.
int rnd(double x);

// Adds n to each channel (halved, toward zero, for a soft bevel), clamping
// at 255 going up and at 0 going down. Blue-proportional shifts add only
// n × blue / 192 to blue, so bluish faces keep their hue.
Rgb Shift(Rgb colour, int n, bool proportional = false, bool soft = false);

// Each channel moved toward white: n + channel × (255 − n) / 255.
Rgb Lighten(Rgb colour, int n);

// Shift for one palette: carries the soft-bevel setting.
struct Shifter {
    bool soft = false;
    Rgb operator()(Rgb colour, int n, bool proportional = false) const
    {
        return Shift(colour, n, proportional, soft);
    }
};

struct ButtonPalette {
    Rgb face;
    Rgb text;
    Rgb hoverText;
    Rgb shadow;
    Rgb light;
    Rgb highlight;
    Rgb mask;
    Rgb tint;
};

// The colours a scheme starts from (already translated to RGB). For the
// system scheme every entry comes from the desktop; for the others only
// face and the two texts are used.
struct PaletteSource {
    Rgb face;
    Rgb text;
    Rgb hoverText;
    Rgb shadow;
    Rgb light;
    Rgb highlight;
};

inline constexpr int CustomScheme = 2;
inline constexpr int GreyScheme = 3;
inline constexpr int ParentScheme = 4;

// source: BackColor/ForeColor/ForeOver for scheme 2, the parent's colours for
// scheme 4, the system colours for any other scheme (scheme 3 ignores it).
ButtonPalette buildPalette(int scheme, const PaletteSource& source, Rgb mask, int buttonType,
                           bool softBevel);

}
