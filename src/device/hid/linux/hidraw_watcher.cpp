#include "device/hid/linux/hidraw_watcher.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>

#include "device/hid/linux/hidraw_sysfs.h"

namespace velmaro {

void HidrawChangeTracker::Reset() {
    last_ = EnumerateHidraw(root_);
}

InterfaceListDiff HidrawChangeTracker::Rescan() {
    std::vector<HidInterfaceInfo> now = EnumerateHidraw(root_);
    InterfaceListDiff diff = DiffInterfaceLists(last_, now);
    last_ = std::move(now);
    return diff;
}

HidError HidrawWatcher::Start(DeviceChangeListener& listener) {
    Stop();

    bool use_udev = options_.mode == Mode::kUdev;
    if (options_.mode == Mode::kAuto) {
        std::error_code ec;
        use_udev = std::filesystem::exists(options_.root / "run/udev/control", ec);
    }
    if (use_udev) {
        // The "udev" source sends an event once udevd has run its rules, so
        // the node's permissions are in place when we hear of it.
        udev_ = udev_new();
        monitor_ = udev_ ? udev_monitor_new_from_netlink(udev_, "udev") : nullptr;
        if (!monitor_ ||
            udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(monitor_) < 0) {
            const int error = errno;
            Stop();
            if (options_.mode == Mode::kUdev)
                return {HidErrorKind::kIo, error};
            use_udev = false;
        }
    }

    stop_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stop_fd_ < 0) {
        const int error = errno;
        Stop();
        return {HidErrorKind::kIo, error};
    }
    // The list is taken after the monitor listens, so no change falls between.
    tracker_.Reset();
    active_ = use_udev ? Mode::kUdev : Mode::kRescan;
    thread_ = std::thread([this, &listener] { Run(listener, monitor_); });
    return {};
}

void HidrawWatcher::Stop() {
    if (thread_.joinable()) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t written = write(stop_fd_, &one, sizeof one);
        thread_.join();
    }
    if (stop_fd_ >= 0)
        close(stop_fd_);
    stop_fd_ = -1;
    if (monitor_)
        udev_monitor_unref(monitor_);
    monitor_ = nullptr;
    if (udev_)
        udev_unref(udev_);
    udev_ = nullptr;
    active_ = Mode::kAuto;
}

void HidrawWatcher::Run(DeviceChangeListener& listener, udev_monitor* monitor) {
    const int timeout_ms = static_cast<int>(options_.rescan_interval.count());
    for (;;) {
        pollfd fds[2] = {{stop_fd_, POLLIN, 0}, {-1, POLLIN, 0}};
        if (monitor)
            fds[1].fd = udev_monitor_get_fd(monitor);
        // A negative fd is ignored by poll.
        const int ready = poll(fds, 2, monitor ? -1 : timeout_ms);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents != 0)
            return;
        if (monitor && fds[1].revents != 0) {
            // Only that something changed matters; the rescan says what.
            while (udev_device* device = udev_monitor_receive_device(monitor))
                udev_device_unref(device);
            // An overrun (POLLERR, ENOBUFS) is cleared by the reads above and
            // costs nothing, as the rescan below catches up.
            if (fds[1].revents & (POLLHUP | POLLNVAL)) {
                // The monitor broke: carry on by rescanning.
                monitor = nullptr;
            }
        }
        const InterfaceListDiff diff = tracker_.Rescan();
        for (const auto& info : diff.removed)
            listener.OnInterfaceRemoval(info);
        for (const auto& info : diff.arrived)
            listener.OnInterfaceArrival(info);
    }
}

}  // namespace velmaro
