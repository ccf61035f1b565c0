#pragma once
// What a process stopped by SIGTERM, SIGINT or SIGHUP must not leave
// behind: scratch files, lock files, a folder it was filling. The paths are
// registered while they exist; the handler removes them (files first, then
// folders, which go only when empty) and ends the process as the signal
// would have. During a switch of files the signal waits until the switch is
// over, so that a stop never cuts it in two.
#include <QString>

namespace tallyo {

// Installs the handler for SIGTERM, SIGINT and SIGHUP. The program calls it
// once at start; processes that never call it (tests) keep their own.
void InstallSignalCleanup();

// A path removed when a signal stops the process, for as long as the object
// lives.
class RemoveOnSignal {
public:
    enum class Kind { File, EmptyFolder };
    RemoveOnSignal() = default;
    explicit RemoveOnSignal(const QString& path, Kind kind = Kind::File);
    ~RemoveOnSignal();
    RemoveOnSignal(RemoveOnSignal&& other) noexcept;
    RemoveOnSignal& operator=(RemoveOnSignal&& other) noexcept;
    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

    // Stops guarding the path (it has been renamed or removed).
    void release();

private:
    int slot_ = -1;
};

// While one lives, a stopping signal is held back and acts when the last
// one ends.
class HoldSignals {
public:
    HoldSignals();
    ~HoldSignals();
    HoldSignals(const HoldSignals&) = delete;
    HoldSignals& operator=(const HoldSignals&) = delete;
};

}
