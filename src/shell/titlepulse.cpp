#include "titlepulse.h"

#include <algorithm>

namespace tallyo {

namespace {
// Whole seconds that must have passed, more than this, before the quick
// start goes on; an update notice is given longer to be read.
constexpr double QuickStartLimitSeconds = 1.5;
constexpr double QuickStartLimitWithNoticeSeconds = 4.0;

// The pulse's levels overshoot its turning points by a step (down to -4,
// up to 256); a colour channel stays within 0..255.
int channel(int level) { return std::clamp(level, 0, 255); }
int lowered(int level, int by) { return channel(level - by); }
}

std::optional<PulseColours> PulseColoursFor(const PulseRgb& hover, const ButtonPulse& pulse)
{
    const int w = pulse.background;
    const int v = pulse.text;
    const int full = channel(w);
    const int text = channel(v);
    if (hover == PulseYellow)
        return PulseColours{{full, full, lowered(w, 128)}, {text, text, lowered(v, 64)}};
    if (hover == PulseMagenta)
        return PulseColours{{full, lowered(w, 128), full}, {text, lowered(v, 64), text}};
    if (hover == PulseCyan)
        return PulseColours{{lowered(w, 128), full, full}, {lowered(v, 64), text, text}};
    return std::nullopt;
}

TitleTimerRule::TitleTimerRule(bool flashButtons, bool quickStartOn)
    : flashButtons_(flashButtons), quickStartOn_(quickStartOn)
{
}

TitleTimerRule::Step TitleTimerRule::tick(bool updateAvailable, const QDateTime& now)
{
    // Without the pulse there is no quick start either: the window waits.
    if (!flashButtons_)
        return {Action::Stop, 0};

    if (!started_) {
        started_ = true;
        pulseStart_ = now;
        const int interval = updateAvailable ? 20 : (quickStartOn_ ? 1200 : 4000);
        return {Action::StartPulse, interval};
    }

    if (quickStartOn_) {
        const double limit = updateAvailable ? QuickStartLimitWithNoticeSeconds : QuickStartLimitSeconds;
        const qint64 wholeSeconds = pulseStart_.secsTo(now);
        if (double(wholeSeconds) > limit)
            return {Action::Continue, PulseIntervalMs};
    }
    return {Action::Pulse, PulseIntervalMs};
}

}
