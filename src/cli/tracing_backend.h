// `--trace FILE`: a HID backend that hands every report crossing the seam to
// or from the mouse to a line writer, whatever backend is underneath (hidraw
// or the virtual mouse):
//   SET <role> <hex>   a feature report sent
//   GET <role> <hex>   a feature report read back
//   IN <role> <hex>    an input report read
// The role is "cable" or "receiver" by the interface's ids; the hex is the
// report as it crossed, report-id byte first, upper case, two digits a byte.
// Only calls that succeeded are traced, and only on the mouse's interfaces.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "device/hid/hid_backend.h"

namespace velmaro::cli {

// The line for one report ("SET cable 0C01...").
std::string TraceLine(std::string_view verb, std::string_view role,
                      std::span<const uint8_t> report);

class TracingHidBackend final : public HidBackend {
  public:
    // `write_line` gets each line without its line feed. Calls come from
    // whichever thread made the HID call (input readers have their own), one
    // at a time and in the order the calls completed.
    TracingHidBackend(HidBackend& inner, std::function<void(const std::string&)> write_line);
    ~TracingHidBackend() override;

    std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
    HidOpenResult Open(const HidInterfaceInfo& info) override;
    HidError StartDeviceChangeWatch(DeviceChangeListener& listener) override {
        return inner_.StartDeviceChangeWatch(listener);
    }
    void StopDeviceChangeWatch() override { inner_.StopDeviceChangeWatch(); }

    class Writer;

  private:
    HidBackend& inner_;
    // Shared with the open devices, which may outlive this backend.
    std::shared_ptr<Writer> writer_;
};

}  // namespace velmaro::cli
