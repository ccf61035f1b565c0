#pragma once
// The one place for deliberate pauses: status texts that must stay readable,
// the steps of the index conversion, blinks. Every pause lets pending window
// events run while it waits. Tests use a pace of zero.
namespace tallyo {

class Pace {
public:
    virtual ~Pace() = default;
    // Waits about ms milliseconds (scaled by the pace), running events.
    virtual void pause(int ms) = 0;
    // Lets pending window events run once, without waiting.
    virtual void letEventsRun() = 0;
};

// Waits in real time, scaled by a factor (1 normal, 0 no waiting at all).
class EventPace : public Pace {
public:
    explicit EventPace(double factor = 1.0) : factor_(factor) {}
    void pause(int ms) override;
    void letEventsRun() override;
    void setFactor(double factor) { factor_ = factor; }
    double factor() const { return factor_; }

private:
    double factor_;
};

}
