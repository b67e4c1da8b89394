#include "model/timer_host.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace velmaro {
namespace {

class ManualTimersTest : public ::testing::Test {
  protected:
    void Advance(long long ms) {
        timers.Advance(ms, [this](int id) {
            fired.emplace_back(timers.Now(), id);
            if (id == kTimerApply)
                timers.StopTimer(kTimerApply);  // one-shot
        });
    }
    ManualTimerHost timers;
    std::vector<std::pair<long long, int>> fired;
};

TEST_F(ManualTimersTest, RestartPostponesAndOneShotStopsItself) {
    timers.StartTimer(kTimerApply, 20);
    Advance(10);
    timers.StartTimer(kTimerApply, 20);  // a second change within 20 ms
    Advance(100);
    EXPECT_EQ(fired, (std::vector<std::pair<long long, int>>{{30, kTimerApply}}));
    EXPECT_FALSE(timers.IsTimerRunning(kTimerApply));
}

TEST_F(ManualTimersTest, PeriodicTimersFireInTimeOrder) {
    timers.StartTimer(kTimerStatus, 1000);
    timers.StartTimer(kTimerOsd, 300);
    Advance(1000);
    EXPECT_EQ(fired,
              (std::vector<std::pair<long long, int>>{
                  {300, kTimerOsd}, {600, kTimerOsd}, {900, kTimerOsd}, {1000, kTimerStatus}}));
    EXPECT_EQ(timers.Now(), 1000);
}

TEST_F(ManualTimersTest, FireNextJumpsToTheDueTimer) {
    timers.StartTimer(kTimerSave, 10000);
    EXPECT_TRUE(timers.FireNext([&](int id) {
        fired.emplace_back(timers.Now(), id);
        timers.StopTimer(id);
    }));
    EXPECT_EQ(fired, (std::vector<std::pair<long long, int>>{{10000, kTimerSave}}));
    EXPECT_FALSE(timers.FireNext([](int) {}));
}

}  // namespace
}  // namespace velmaro
