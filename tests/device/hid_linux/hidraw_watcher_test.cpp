#include "device/hid/linux/hidraw_watcher.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "device/hid_linux/sysfs_tree.h"

namespace velmaro {
namespace {

using hidtest::kBootKeyboardDescriptor;
using hidtest::kMouseDescriptor;
using hidtest::SysfsTree;
using namespace std::chrono_literals;

std::vector<std::string> Ids(const std::vector<HidInterfaceInfo>& list) {
    std::vector<std::string> ids;
    for (const auto& info : list)
        ids.push_back(info.node + "#" + std::to_string(info.collection) + "@" + info.instance);
    return ids;
}

TEST(HidrawChangeTrackerTest, RescanTellsArrivalsAndRemovals) {
    SysfsTree tree;
    tree.AddNode("hidraw0", "0003:046D:C077.0001", SysfsTree::Uevent(0x046D, 0xC077),
                 kBootKeyboardDescriptor);
    HidrawChangeTracker tracker(tree.root());
    tracker.Reset();
    EXPECT_TRUE(tracker.Rescan().Empty());  // what was there at the start is no news

    tree.AddNode("hidraw3", "0003:248A:5B2E.0002", SysfsTree::Uevent(0x248A, 0x5B2E),
                 kMouseDescriptor);
    auto diff = tracker.Rescan();
    EXPECT_TRUE(diff.removed.empty());
    EXPECT_EQ(Ids(diff.arrived), (std::vector<std::string>{"hidraw3#0@0003:248A:5B2E.0002",
                                                           "hidraw3#1@0003:248A:5B2E.0002"}));
    EXPECT_TRUE(tracker.Rescan().Empty());

    // Pulled and plugged in again between two scans, under the same node.
    tree.RemoveNode("hidraw3");
    tree.AddNode("hidraw3", "0003:248A:5B2E.0003", SysfsTree::Uevent(0x248A, 0x5B2E),
                 kMouseDescriptor);
    diff = tracker.Rescan();
    EXPECT_EQ(Ids(diff.removed), (std::vector<std::string>{"hidraw3#0@0003:248A:5B2E.0002",
                                                           "hidraw3#1@0003:248A:5B2E.0002"}));
    EXPECT_EQ(Ids(diff.arrived), (std::vector<std::string>{"hidraw3#0@0003:248A:5B2E.0003",
                                                           "hidraw3#1@0003:248A:5B2E.0003"}));

    tree.RemoveNode("hidraw0");
    diff = tracker.Rescan();
    EXPECT_EQ(Ids(diff.removed), std::vector<std::string>{"hidraw0#0@0003:046D:C077.0001"});
    EXPECT_TRUE(diff.arrived.empty());
}

// Collects what the watcher's thread reports.
class RecordingListener : public DeviceChangeListener {
  public:
    void OnInterfaceArrival(const HidInterfaceInfo& info) override { Add("+" + info.node, info); }
    void OnInterfaceRemoval(const HidInterfaceInfo& info) override { Add("-" + info.node, info); }

    // Waits until `count` events came; generous, as the machine may be busy.
    std::vector<std::string> WaitFor(size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, 20s, [&] { return events_.size() >= count; });
        return events_;
    }

  private:
    void Add(std::string event, const HidInterfaceInfo& info) {
        std::lock_guard lock(mutex_);
        events_.push_back(event + "#" + std::to_string(info.collection));
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> events_;
};

TEST(HidrawWatcherTest, RescansWithoutUdevAndReportsFromItsThread) {
    SysfsTree tree;  // no run/udev/control: udevd is not running there
    HidrawWatcher watcher({tree.root(), HidrawWatcher::Mode::kAuto, 10ms});
    RecordingListener listener;
    ASSERT_TRUE(watcher.Start(listener).Ok());
    EXPECT_EQ(watcher.ActiveMode(), HidrawWatcher::Mode::kRescan);

    tree.AddNode("hidraw1", "0003:248A:5B2F.0001", SysfsTree::Uevent(0x248A, 0x5B2F),
                 kMouseDescriptor);
    EXPECT_EQ(listener.WaitFor(2), (std::vector<std::string>{"+hidraw1#0", "+hidraw1#1"}));

    tree.RemoveNode("hidraw1");
    EXPECT_EQ(listener.WaitFor(4),
              (std::vector<std::string>{"+hidraw1#0", "+hidraw1#1", "-hidraw1#0", "-hidraw1#1"}));

    watcher.Stop();
    EXPECT_EQ(watcher.ActiveMode(), HidrawWatcher::Mode::kAuto);
    watcher.Stop();  // harmless twice
}

TEST(HidrawWatcherTest, RestartCountsFromTheNewStart) {
    SysfsTree tree;
    HidrawWatcher watcher({tree.root(), HidrawWatcher::Mode::kRescan, 10ms});
    RecordingListener first;
    ASSERT_TRUE(watcher.Start(first).Ok());
    watcher.Stop();

    // Present before the second start: not reported.
    tree.AddNode("hidraw0", "0003:046D:C077.0001", SysfsTree::Uevent(0x046D, 0xC077),
                 kBootKeyboardDescriptor);
    RecordingListener second;
    ASSERT_TRUE(watcher.Start(second).Ok());
    tree.AddNode("hidraw1", "0003:046D:C077.0002", SysfsTree::Uevent(0x046D, 0xC077),
                 kBootKeyboardDescriptor);
    EXPECT_EQ(second.WaitFor(1), std::vector<std::string>{"+hidraw1#0"});
    watcher.Stop();
    EXPECT_TRUE(first.WaitFor(0).empty());
}

TEST(HidrawWatcherTest, UdevModeStartsAndStopsOrSaysWhyNot) {
    // Whether a udev monitor can listen depends on the machine; either way
    // the watch must come up or fail as a value, and go down cleanly.
    SysfsTree tree;
    HidrawWatcher watcher({tree.root(), HidrawWatcher::Mode::kUdev, 10ms});
    RecordingListener listener;
    const HidError error = watcher.Start(listener);
    if (error.Ok()) {
        EXPECT_EQ(watcher.ActiveMode(), HidrawWatcher::Mode::kUdev);
    } else {
        EXPECT_EQ(error.kind, HidErrorKind::kIo);
        EXPECT_EQ(watcher.ActiveMode(), HidrawWatcher::Mode::kAuto);
    }
    watcher.Stop();
    EXPECT_TRUE(listener.WaitFor(0).empty());
}

}  // namespace
}  // namespace velmaro
