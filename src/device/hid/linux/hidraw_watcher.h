// Hot-plug of hidraw nodes. When udevd runs, its monitor on subsystem
// "hidraw" wakes the watcher; without it the list is taken again every
// second. Either way the watcher compares the interface list with the one it
// had, so every change comes out as whole interfaces arriving and leaving,
// and a lost or merged event costs nothing.
#pragma once

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "device/hid/hid_backend.h"
#include "device/hid/interface_list_diff.h"

struct udev;
struct udev_monitor;

namespace velmaro {

// The last interface list under a root and what changed since.
class HidrawChangeTracker {
  public:
    explicit HidrawChangeTracker(std::filesystem::path root) : root_(std::move(root)) {}

    // Takes the list as it is now; nothing is reported for it.
    void Reset();
    // Takes the list again and returns what changed since the last one.
    InterfaceListDiff Rescan();

  private:
    std::filesystem::path root_;
    std::vector<HidInterfaceInfo> last_;
};

class HidrawWatcher {
  public:
    enum class Mode {
        kAuto,    // the udev monitor when udevd runs (<root>/run/udev/control), else rescans
        kUdev,    // the udev monitor or nothing
        kRescan,  // rescans only
    };
    struct Options {
        std::filesystem::path root = "/";
        Mode mode = Mode::kAuto;
        std::chrono::milliseconds rescan_interval{1000};
    };

    explicit HidrawWatcher(Options options) : options_(std::move(options)) {}
    HidrawWatcher(const HidrawWatcher&) = delete;
    HidrawWatcher& operator=(const HidrawWatcher&) = delete;
    ~HidrawWatcher() { Stop(); }

    // Starts the watch thread; changes after this call go to `listener`, on
    // that thread. Stops a previous watch first.
    HidError Start(DeviceChangeListener& listener);
    // Ends the watch thread and waits for it. Not to be called from the
    // listener.
    void Stop();
    // kUdev or kRescan while watching, kAuto when not.
    Mode ActiveMode() const { return active_; }

  private:
    void Run(DeviceChangeListener& listener, udev_monitor* monitor);

    Options options_;
    HidrawChangeTracker tracker_{options_.root};
    std::thread thread_;
    int stop_fd_ = -1;
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    Mode active_ = Mode::kAuto;
};

}  // namespace velmaro
