#pragma once
// The pulse that draws the eye to a window's next step: two levels that
// move in opposite directions between 8 and 248, four steps per tick. Each
// window turns the levels into its own colours.
#include <QtGlobal>

namespace tallyo {

struct ButtonPulse {
    qint16 text = 0;        // rises and falls; the caption's level
    qint16 background = 0;  // moves against it; the face's level
    qint16 step = 0;

    // One tick: turns at the ends, then moves both levels.
    void tick()
    {
        if (text < 8) {
            background = 248;
            step = 4;
        } else if (text > 248) {
            background = 8;
            step = -4;
        }
        text = qint16(text + step);
        background = qint16(background - step);
    }
};

}
