#include "controls/buttonpalette.h"

#include <algorithm>
#include <cmath>

namespace tallyo {

int rnd(double x)
{
    return int(std::nearbyint(x)); // the default rounding mode: half to even
}

Rgb Shift(Rgb colour, int n, bool proportional, bool soft)
{
    if (soft)
        n /= 2;
    const auto clamp = [n](int channel) {
        return n > 0 ? std::min(channel, 255) : n < 0 ? std::max(channel, 0) : channel;
    };
    const int blueStep = proportional ? n * colour.blue / 192 : n;
    return {clamp(colour.red + n), clamp(colour.green + n), clamp(colour.blue + blueStep)};
}

Rgb Lighten(Rgb colour, int n)
{
    const auto up = [n](int channel) { return std::min(255, n + channel * (255 - n) / 255); };
    return {up(colour.red), up(colour.green), up(colour.blue)};
}

ButtonPalette buildPalette(int scheme, const PaletteSource& source, Rgb mask, int buttonType,
                           bool softBevel)
{
    const Shifter shift{softBevel};
    ButtonPalette p;
    switch (scheme) {
    case GreyScheme:
        p.face = {192, 192, 192};
        p.text = p.hoverText = {0, 0, 0};
        p.shadow = {128, 128, 128};
        p.light = {223, 223, 223};
        p.highlight = {255, 255, 255};
        break;
    case CustomScheme:
    case ParentScheme:
        p.face = source.face;
        p.text = source.text;
        p.hoverText = scheme == CustomScheme ? source.hoverText : source.text;
        p.shadow = shift(p.face, -64);
        p.light = shift(p.face, 31);
        p.highlight = shift(p.face, 47);
        break;
    default:
        p.face = source.face;
        p.text = p.hoverText = source.text;
        p.shadow = source.shadow;
        p.light = source.light;
        p.highlight = source.highlight;
        break;
    }
    p.mask = mask;
    p.tint = shift(p.face, 48, buttonType == 3);
    return p;
}

}
