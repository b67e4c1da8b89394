#include "device/hid/linux/linux_hid_backend.h"

#include "device/hid/linux/hidraw_device.h"
#include "device/hid/linux/hidraw_sysfs.h"

namespace velmaro {

std::vector<HidInterfaceInfo> LinuxHidBackend::Enumerate() {
    return EnumerateHidraw(root_);
}

HidOpenResult LinuxHidBackend::Open(const HidInterfaceInfo& info) {
    return OpenHidraw(info);
}

HidError LinuxHidBackend::StartDeviceChangeWatch(DeviceChangeListener& listener) {
    return watcher_.Start(listener);
}

void LinuxHidBackend::StopDeviceChangeWatch() {
    watcher_.Stop();
}

}  // namespace velmaro
