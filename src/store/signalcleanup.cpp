#include "signalcleanup.h"

#include <QFile>
#include <atomic>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace tallyo {

namespace {

// Fixed storage, so that the handler reads no memory that may be freed
// under it. A slot is written only while it is not in use.
constexpr int slotCount = 64;
constexpr size_t pathBytes = 4096;
char paths[slotCount][pathBytes];
std::atomic<int> kinds[slotCount];  // 0: free, 1: file, 2: empty folder

std::atomic<int> holds{0};
std::atomic<int> heldSignal{0};

constexpr int stoppingSignals[] = {SIGTERM, SIGINT, SIGHUP};

void removeAll()
{
    for (int kind : {1, 2}) {
        for (int i = 0; i < slotCount; ++i) {
            if (kinds[i].load() != kind)
                continue;
            if (kind == 1)
                ::unlink(paths[i]);
            else
                ::rmdir(paths[i]);
        }
    }
}

[[noreturn]] void endBySignal(int signal)
{
    removeAll();
    std::signal(signal, SIG_DFL);
    // Inside the handler the signal is blocked: let it through to end the
    // process with its own status.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);
}

void onSignal(int signal)
{
    if (holds.load() > 0) {
        heldSignal.store(signal);
        return;
    }
    endBySignal(signal);
}

}

void InstallSignalCleanup()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : stoppingSignals)
        sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
    for (int signal : stoppingSignals)
        ::sigaction(signal, &action, nullptr);
}

RemoveOnSignal::RemoveOnSignal(const QString& path, Kind kind)
{
    const QByteArray native = QFile::encodeName(path);
    if (size_t(native.size()) >= pathBytes)
        return;
    for (int i = 0; i < slotCount; ++i) {
        int expected = 0;
        // -1 reserves the slot while its path is written.
        if (kinds[i].compare_exchange_strong(expected, -1)) {
            std::memcpy(paths[i], native.constData(), size_t(native.size()) + 1);
            kinds[i].store(kind == Kind::File ? 1 : 2);
            slot_ = i;
            return;
        }
    }
}

RemoveOnSignal::~RemoveOnSignal()
{
    release();
}

RemoveOnSignal::RemoveOnSignal(RemoveOnSignal&& other) noexcept : slot_(other.slot_)
{
    other.slot_ = -1;
}

RemoveOnSignal& RemoveOnSignal::operator=(RemoveOnSignal&& other) noexcept
{
    if (this != &other) {
        release();
        slot_ = other.slot_;
        other.slot_ = -1;
    }
    return *this;
}

void RemoveOnSignal::release()
{
    if (slot_ >= 0)
        kinds[slot_].store(0);
    slot_ = -1;
}

HoldSignals::HoldSignals()
{
    ++holds;
}

HoldSignals::~HoldSignals()
{
    if (--holds == 0) {
        const int signal = heldSignal.exchange(0);
        if (signal != 0)
            endBySignal(signal);
    }
}

}
