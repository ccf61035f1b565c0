#pragma once
// The title window's timer as decisions without a window: when the pulse
// starts, how fast it ticks, when the quick start takes the user on, and the
// colours a pulsing button takes by its hover colour.
#include "util/buttonpulse.h"

#include <QDateTime>
#include <optional>

namespace tallyo {

struct PulseRgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const PulseRgb&) const = default;
};

// The hover colours that pulse, each in its own hue.
inline constexpr PulseRgb PulseYellow{255, 255, 128};
inline constexpr PulseRgb PulseMagenta{255, 128, 255};
inline constexpr PulseRgb PulseCyan{128, 255, 255};

struct PulseColours {
    PulseRgb background;
    PulseRgb text;
    bool operator==(const PulseColours&) const = default;
};

// The face and caption colours of a button pulsing at these levels, in the
// hue of its hover colour; nothing for any other hover colour, whose button
// keeps its own colours.
std::optional<PulseColours> PulseColoursFor(const PulseRgb& hover, const ButtonPulse& pulse);

// Tick by tick: the first tick starts the pulse (on the update button when
// there is an update notice, else on Continue) and sets the pace; every
// later tick pulses, or, with the quick start on, goes on to the account
// index once enough whole seconds have passed since the pulse started.
class TitleTimerRule {
public:
    enum class Action {
        Stop,       // the pulse is switched off: the timer stops for good
        StartPulse, // the pulse starts now; no colours change yet
        Pulse,      // one step of the pulse
        Continue,   // the quick start goes on to the account index
    };
    struct Step {
        Action action;
        int intervalMs; // the timer's interval from now on (0: stopped)
    };

    static constexpr int FirstIntervalMs = 1;
    static constexpr int PulseIntervalMs = 15;

    TitleTimerRule(bool flashButtons, bool quickStartOn);

    Step tick(bool updateAvailable, const QDateTime& now);

    bool started() const { return started_; }
    const QDateTime& pulseStart() const { return pulseStart_; }

private:
    bool flashButtons_;
    bool quickStartOn_;
    bool started_ = false;
    QDateTime pulseStart_;
};

}
