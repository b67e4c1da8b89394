// Timers by id and the pauses that pace the mouse, as seams: the desktop
// program backs them with its event loop and real sleeps, tests and the
// command-line tool with a manual clock that never sleeps.
#pragma once

#include <functional>
#include <map>
#include <vector>

namespace velmaro {

// Fixed timer ids of the main window.
enum TimerId : int {
    kTimerAttention = 20,
    kTimerApply = 30,
    kTimerOsd = 50,
    kTimerProfileAction = 60,
    kTimerSave = 70,
    kTimerStartupCheck = 80,
    kTimerStatus = 110,
};

class TimerHost {
  public:
    virtual ~TimerHost() = default;
    // (Re)starts timer `id` with the period; restarting begins the period anew.
    // A timer fires every period until stopped; one-shot users stop it first
    // thing in their handler.
    virtual void StartTimer(int id, int period_ms) = 0;
    virtual void StopTimer(int id) = 0;
    virtual bool IsTimerRunning(int id) const = 0;
};

// Blocking waits on the calling thread (the 60 ms after each write, the 10 ms
// before reading the status answer).
class Pacer {
  public:
    virtual ~Pacer() = default;
    virtual void Pause(int ms) = 0;
};

// Real sleeping.
class SleepingPacer : public Pacer {
  public:
    void Pause(int ms) override;
};

// A pacer that only records: tests count pauses, nothing sleeps.
class RecordingPacer : public Pacer {
  public:
    void Pause(int ms) override { pauses.push_back(ms); }
    int TotalMs() const;
    std::vector<int> pauses;
};

// Timers on a clock that moves only when told to. Advance() fires due timers
// in time order (ties in order of id) through the callback, which may start
// and stop timers itself.
class ManualTimerHost : public TimerHost {
  public:
    void StartTimer(int id, int period_ms) override;
    void StopTimer(int id) override;
    bool IsTimerRunning(int id) const override;

    void Advance(long long ms, const std::function<void(int)>& fire);
    // Advances to the next due timer and fires it; false when none runs.
    bool FireNext(const std::function<void(int)>& fire);
    long long Now() const { return now_; }

  private:
    struct Timer {
        int period;
        long long due;
    };
    std::map<int, Timer> timers_;
    long long now_ = 0;
};

}  // namespace velmaro
