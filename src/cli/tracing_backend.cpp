#include "cli/tracing_backend.h"

#include <algorithm>
#include <mutex>

#include "cli/values.h"
#include "device/device_role.h"

namespace velmaro::cli {

namespace {

// "cable" or "receiver"; empty for any other device.
std::string_view RoleNameOf(const HidInterfaceInfo& info) {
    const auto role = RoleOf(info.vendor_id, info.product_id);
    return role ? RoleName(*role) : std::string_view();
}

}  // namespace

std::string TraceLine(std::string_view verb, std::string_view role,
                      std::span<const uint8_t> report) {
    std::string line(verb);
    line += ' ';
    line += role;
    line += ' ';
    line += HexBytes(report.data(), report.size());
    return line;
}

class TracingHidBackend::Writer {
  public:
    explicit Writer(std::function<void(const std::string&)> write_line)
        : write_line_(std::move(write_line)) {}

    void Write(std::string_view verb, std::string_view role, std::span<const uint8_t> report) {
        const std::string line = TraceLine(verb, role, report);
        std::lock_guard lock(mutex_);
        write_line_(line);
    }

  private:
    std::mutex mutex_;
    std::function<void(const std::string&)> write_line_;
};

namespace {

class TracingDevice final : public HidDevice {
  public:
    TracingDevice(std::unique_ptr<HidDevice> inner, std::string_view role,
                  std::shared_ptr<TracingHidBackend::Writer> writer)
        : inner_(std::move(inner)), role_(role), writer_(std::move(writer)) {}

    HidError SetFeature(std::span<const uint8_t> report) override {
        const HidError error = inner_->SetFeature(report);
        if (error.Ok())
            writer_->Write("SET", role_, report);
        return error;
    }
    HidError GetFeature(std::span<uint8_t> report) override {
        const HidError error = inner_->GetFeature(report);
        if (error.Ok())
            writer_->Write("GET", role_, report);
        return error;
    }
    ReadResult ReadInput(std::span<uint8_t> buffer) override {
        const ReadResult result = inner_->ReadInput(buffer);
        if (result.error.Ok())
            writer_->Write("IN", role_, buffer.first(std::min(result.length, buffer.size())));
        return result;
    }
    void CancelRead() override { inner_->CancelRead(); }

  private:
    std::unique_ptr<HidDevice> inner_;
    std::string role_;
    std::shared_ptr<TracingHidBackend::Writer> writer_;
};

}  // namespace

TracingHidBackend::TracingHidBackend(HidBackend& inner,
                                     std::function<void(const std::string&)> write_line)
    : inner_(inner), writer_(std::make_shared<Writer>(std::move(write_line))) {}

TracingHidBackend::~TracingHidBackend() = default;

HidOpenResult TracingHidBackend::Open(const HidInterfaceInfo& info) {
    HidOpenResult result = inner_.Open(info);
    const std::string_view role = RoleNameOf(info);
    if (result.device && !role.empty())
        result.device = std::make_unique<TracingDevice>(std::move(result.device), role, writer_);
    return result;
}

}  // namespace velmaro::cli
