// An input report as a reader gets it (any length the read returns), and
// what the program does with a mouse-side change: the profile follows it and
// the on-screen display shows the level.
#include <algorithm>
#include <vector>

#include "device/device_link.h"
#include "device/status_poller.h"
#include "fuzz_support.h"

using namespace velmaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader's buffer holds one report; the read says how much it filled.
    std::vector<uint8_t> buffer(kMouseReportLength, 0xFF);
    std::copy_n(data, std::min(size, buffer.size()), buffer.begin());
    const size_t length = size;
    const std::optional<MouseSideChange> change =
        DecodeInputReport(DeviceRole::Receiver, buffer, length);
    if (!change)
        return 0;
    ProgramState state;
    state.Settings.SetDefaultSettings(u"/data/");
    state.Sensor.SensorId = state.Settings.Sensor();
    state.Sensor.BuildDpiTables();
    DeviceState device;
    ProfileRecord& record = state.CurrentRecord();
    if (!ApplyMouseSideChange(record, device, *change))
        return 0;
    VELMARO_FUZZ_CHECK(device.CurrentDpiOrdinal >= 0 && device.CurrentDpiOrdinal < kDpiLevels);
    const OsdTexts texts = ComposeOsdTexts(record, state.Sensor, device.CurrentDpiOrdinal);
    VELMARO_FUZZ_CHECK(!texts.Level.empty() && !texts.Rate.empty());
    return 0;
}
