#include "model/timer_host.h"

#include <chrono>
#include <numeric>
#include <thread>

namespace velmaro {

void SleepingPacer::Pause(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int RecordingPacer::TotalMs() const {
    return std::accumulate(pauses.begin(), pauses.end(), 0);
}

void ManualTimerHost::StartTimer(int id, int period_ms) {
    if (period_ms < 1)
        period_ms = 1;
    timers_[id] = Timer{period_ms, now_ + period_ms};
}

void ManualTimerHost::StopTimer(int id) {
    timers_.erase(id);
}

bool ManualTimerHost::IsTimerRunning(int id) const {
    return timers_.count(id) != 0;
}

void ManualTimerHost::Advance(long long ms, const std::function<void(int)>& fire) {
    const long long end = now_ + ms;
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->second.due <= end &&
                (next == timers_.end() || it->second.due < next->second.due)) {
                next = it;
            }
        }
        if (next == timers_.end())
            break;
        now_ = next->second.due;
        next->second.due += next->second.period;
        fire(next->first);
    }
    now_ = end;
}

bool ManualTimerHost::FireNext(const std::function<void(int)>& fire) {
    if (timers_.empty())
        return false;
    auto next = timers_.begin();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.due < next->second.due)
            next = it;
    }
    Advance(next->second.due - now_, fire);
    return true;
}

}  // namespace velmaro
