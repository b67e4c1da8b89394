// The status answer as the mouse hands it back: the query's exchange with
// its retry, the parser, and what the program does with an accepted answer
// (sensor change, battery, gauge). The input is the first answer and, when it
// is longer than one report, the second; a read may come back short.
#include <algorithm>
#include <cstring>

#include "device/status_poller.h"
#include "fuzz_support.h"
#include "model/timer_host.h"

using namespace velmaro;

namespace {

class AnswerChannel : public FeatureChannel {
  public:
    AnswerChannel(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool HasCommandInterface() const override { return true; }
    bool SendCommand(const FeatureReport& report) override {
        VELMARO_FUZZ_CHECK(report.ReportId() == kFeatureReportId);
        VELMARO_FUZZ_CHECK(report.Command() == CMD_QUERY_STATUS);
        return true;
    }
    bool ReadFeature(FeatureReport& report) override {
        if (at_ >= size_)
            return false;
        const size_t n = std::min(size_ - at_, kFeatureReportSize);
        std::memcpy(report.Bytes.data(), data_ + at_, n);
        at_ += n;
        return true;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    AnswerChannel channel(data, size);
    RequestBuilder requests;
    RecordingPacer pacer;
    const StatusExchange exchange = ExchangeStatusQuery(channel, requests, pacer);
    VELMARO_FUZZ_CHECK(exchange.Attempts >= 1 && exchange.Attempts <= kStatusAttempts);
    if (exchange.Outcome != StatusQueryOutcome::Answered)
        return 0;
    const std::optional<StatusAnswer> fields = ReadStatusAnswer(exchange.Answer);
    if (!fields)
        return 0;
    ProgramState state;
    state.Settings.SetDefaultSettings(u"/data/");
    state.Sensor.SensorId = state.Settings.Sensor();
    state.Sensor.BuildDpiTables();
    if (fields->SensorId) {
        AdoptSensor(state, *fields->SensorId);
        VELMARO_FUZZ_CHECK(state.Sensor.SensorId == *fields->SensorId);
    }
    DeviceState device;
    ApplyBatteryStatus(device, fields->BatteryLevel, fields->ChargeByte);
    const BatteryDisplay shown = AdvanceBatteryDisplay(device);
    VELMARO_FUZZ_CHECK(shown.Level <= 100);
    (void)ComposeOsdTexts(state.CurrentRecord(), state.Sensor, device.CurrentDpiOrdinal);
    return 0;
}
