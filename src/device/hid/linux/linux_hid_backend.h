// The HID seam on Linux: hidraw nodes, their feature ioctls and reads, and
// hot-plug through udev. Needs read and write access to the nodes of the
// mouse; the udev rule packaging/70-velmaro.rules gives it to the user at the
// seat, and Open reports kAccessDenied without it.
#pragma once

#include "device/hid/hid_backend.h"
#include "device/hid/linux/hidraw_watcher.h"

namespace velmaro {

class LinuxHidBackend final : public HidBackend {
  public:
    using Options = HidrawWatcher::Options;

    LinuxHidBackend() : LinuxHidBackend(Options{}) {}
    explicit LinuxHidBackend(Options options) : root_(options.root), watcher_(std::move(options)) {}

    std::vector<HidInterfaceInfo> Enumerate() override;
    HidOpenResult Open(const HidInterfaceInfo& info) override;
    // Arrivals and removals come on the watcher's own thread.
    HidError StartDeviceChangeWatch(DeviceChangeListener& listener) override;
    void StopDeviceChangeWatch() override;

  private:
    std::filesystem::path root_;
    HidrawWatcher watcher_;
};

}  // namespace velmaro
