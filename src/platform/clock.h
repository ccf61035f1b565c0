#pragma once
// The current local date and time, so that account keys, void notes and
// date hints can be tested.
#include <QDateTime>

namespace tallyo {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that shows a set time; tests move it by hand.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }
    void set(const QDateTime& at) { at_ = at; }
    void advanceSeconds(qint64 seconds) { at_ = at_.addSecs(seconds); }

private:
    QDateTime at_;
};

}
