#include "cli/tracing_backend.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmaro::cli {
namespace {

// A device that answers every call with `error` and fills what it reads with 0xAB.
class FakeDevice : public HidDevice {
  public:
    explicit FakeDevice(HidError error) : error_(error) {}
    HidError SetFeature(std::span<const uint8_t>) override { return error_; }
    HidError GetFeature(std::span<uint8_t> report) override {
        std::fill(report.begin() + 1, report.end(), 0xAB);
        return error_;
    }
    ReadResult ReadInput(std::span<uint8_t> buffer) override {
        buffer[0] = 5;
        buffer[1] = 6;
        return {3, error_};
    }
    void CancelRead() override {}

  private:
    HidError error_;
};

class FakeBackend : public HidBackend {
  public:
    std::vector<HidInterfaceInfo> Enumerate() override { return {}; }
    HidOpenResult Open(const HidInterfaceInfo& info) override {
        return {std::make_unique<FakeDevice>(info.path == "fails" ? HidError{HidErrorKind::kIo, 5}
                                                                  : HidError{}),
                {}};
    }
    HidError StartDeviceChangeWatch(DeviceChangeListener&) override { return {}; }
    void StopDeviceChangeWatch() override {}
};

HidInterfaceInfo Interface(std::string path, uint16_t vendor, uint16_t product) {
    HidInterfaceInfo info;
    info.path = std::move(path);
    info.vendor_id = vendor;
    info.product_id = product;
    return info;
}

TEST(TracingBackendTest, OneLinePerReportThatCrossedToOrFromTheMouse) {
    FakeBackend inner;
    std::vector<std::string> lines;
    TracingHidBackend backend(inner, [&](const std::string& line) { lines.push_back(line); });

    auto receiver = backend.Open(Interface("r", 0x248A, 0x5B2F)).device;
    auto cable = backend.Open(Interface("c", 0x248A, 0x5B2E)).device;
    auto other = backend.Open(Interface("k", 0x046D, 0x5B2E)).device;
    auto failing = backend.Open(Interface("fails", 0x248A, 0x5B2E)).device;

    const uint8_t sent[4] = {0x0C, 0x01, 0x20, 0xfe};
    EXPECT_TRUE(cable->SetFeature(sent).Ok());
    uint8_t got[4] = {0x0C, 0, 0, 0};
    EXPECT_TRUE(receiver->GetFeature(got).Ok());
    uint8_t in[8] = {};
    EXPECT_EQ(cable->ReadInput(in).length, 3u);
    other->SetFeature(sent);    // not the mouse
    failing->SetFeature(sent);  // did not go out
    failing->GetFeature(got);

    EXPECT_EQ(lines, (std::vector<std::string>{"SET cable 0C0120FE", "GET receiver 0CABABAB",
                                               "IN cable 050600"}));
}

TEST(TracingBackendTest, DevicesOutliveTheBackend) {
    FakeBackend inner;
    std::vector<std::string> lines;
    std::unique_ptr<HidDevice> device;
    {
        TracingHidBackend backend(inner, [&](const std::string& line) { lines.push_back(line); });
        device = backend.Open(Interface("c", 0x248A, 0x5B2E)).device;
    }
    const uint8_t sent[1] = {0x0C};
    device->SetFeature(sent);
    EXPECT_EQ(lines, std::vector<std::string>{"SET cable 0C"});
}

}  // namespace
}  // namespace velmaro::cli
