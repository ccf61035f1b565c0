#pragma once
// Window geometry is given in twips, 1/1440 of an inch. A TwipScale converts
// between twips and pixels at one logical resolution; windows build it from
// their screen's logical DPI.
#include <QtGlobal>

namespace tallyo {

inline constexpr int TwipsPerInch = 1440;

class TwipScale {
public:
    // dotsPerInch: the screen's logical DPI (96 on most desktops).
    constexpr explicit TwipScale(double dotsPerInch = 96.0)
        : dpi_(dotsPerInch > 0 ? dotsPerInch : 96.0)
    {
    }

    double dotsPerInch() const { return dpi_; }
    int toPixels(double twips) const { return qRound(twips * dpi_ / TwipsPerInch); }
    int toTwips(double pixels) const { return qRound(pixels * TwipsPerInch / dpi_); }

private:
    double dpi_;
};

}
