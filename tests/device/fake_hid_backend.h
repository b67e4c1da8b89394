// A small HID backend for the device-link tests: interfaces as plain data,
// plug and unplug with notifications, input reports handed to blocking
// readers, status answers from a queue, and a log of every call.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "device/device_role.h"
#include "device/feature_report.h"
#include "device/hid/hid_backend.h"

namespace velmaro::testing {

// The mouse's command interface (33-byte feature reports) or input interface
// (33-byte input reports) in a role, on node /dev/<node>.
inline HidInterfaceInfo MouseInterface(DeviceRole role, bool input, const std::string& node,
                                       const std::string& instance = "1") {
    HidInterfaceInfo info;
    info.path = "/dev/" + node;
    info.node = node;
    info.instance = instance;
    info.vendor_id = kMouseVendorId;
    info.product_id = ProductIdOf(role);
    info.input_report_length = input ? kMouseReportLength : 0;
    info.feature_report_length = input ? 0 : kMouseReportLength;
    return info;
}

// The usual pair of a role: command interface on <node>c, input on <node>i.
inline std::vector<HidInterfaceInfo> MouseRole(DeviceRole role, const std::string& node,
                                               const std::string& instance = "1") {
    return {MouseInterface(role, false, node + "c", instance),
            MouseInterface(role, true, node + "i", instance)};
}

// A keyboard or anything else that is not the mouse.
inline HidInterfaceInfo OtherInterface(const std::string& node) {
    HidInterfaceInfo info;
    info.path = "/dev/" + node;
    info.node = node;
    info.instance = "9";
    info.vendor_id = 0x046D;
    info.product_id = 0xC31C;
    info.input_report_length = 9;
    return info;
}

// A good status answer: sensor code, battery level, charging byte.
inline FeatureReport StatusAnswer(uint8_t sensor_code, uint8_t level, uint8_t charge) {
    FeatureReport r;
    r.Bytes[0] = kFeatureReportId;
    r.Bytes[1] = 0x01;
    r.Bytes[2] = CMD_QUERY_STATUS;
    r.Bytes[3] = 0x00;
    r.Bytes[6] = 13;
    r.Bytes[15] = sensor_code;
    r.Bytes[18] = level;
    r.Bytes[19] = charge;
    return r;
}

class FakeHidBackend : public HidBackend {
  public:
    struct Sent {
        std::string interface_id;
        FeatureReport report;
    };

    FakeHidBackend() : core_(std::make_shared<Core>()) {}

    std::vector<HidInterfaceInfo> Enumerate() override {
        std::lock_guard lock(core_->mutex);
        Log("enumerate");
        ++enumerations_;
        return present_;
    }

    HidOpenResult Open(const HidInterfaceInfo& info) override {
        std::lock_guard lock(core_->mutex);
        const std::string id = info.InterfaceId();
        Log("open " + id);
        if (const auto it = deny_.find(id); it != deny_.end())
            return {nullptr, HidError{it->second, 13}};
        if (!IsPresentLocked(info))
            return {nullptr, HidError{HidErrorKind::kNotFound, 2}};
        ++opens_[id];
        auto handle = std::make_shared<Handle>();
        handle->id = id;
        handle->instance = info.instance;
        core_->handles.push_back(handle);
        return {std::make_unique<Device>(core_, handle, this), HidError{}};
    }

    HidError StartDeviceChangeWatch(DeviceChangeListener& listener) override {
        std::lock_guard lock(core_->mutex);
        Log("watch");
        listener_ = &listener;
        return {};
    }
    void StopDeviceChangeWatch() override {
        std::lock_guard lock(core_->mutex);
        listener_ = nullptr;
    }

    // ---- the test's side --------------------------------------------------

    // Present from the start, no notification.
    void Add(const std::vector<HidInterfaceInfo>& infos) {
        std::lock_guard lock(core_->mutex);
        present_.insert(present_.end(), infos.begin(), infos.end());
    }
    // Placed at the front of the list.
    void AddFirst(const HidInterfaceInfo& info) {
        std::lock_guard lock(core_->mutex);
        present_.insert(present_.begin(), info);
    }
    // Present and announced to the watch.
    void Plug(const std::vector<HidInterfaceInfo>& infos) {
        Add(infos);
        for (const HidInterfaceInfo& info : infos) {
            if (DeviceChangeListener* l = Listener())
                l->OnInterfaceArrival(info);
        }
    }
    // Gone: its open handles fail from now on, and the watch is told.
    void Unplug(const std::vector<HidInterfaceInfo>& infos) {
        for (const HidInterfaceInfo& info : infos) {
            {
                std::lock_guard lock(core_->mutex);
                std::erase(present_, info);
                for (auto& weak : core_->handles) {
                    if (auto h = weak.lock();
                        h && h->id == info.InterfaceId() && h->instance == info.instance)
                        h->disconnected = true;
                }
            }
            core_->changed.notify_all();
            if (DeviceChangeListener* l = Listener())
                l->OnInterfaceRemoval(info);
        }
    }
    // Gone without a notification (the watch missed it).
    void RemoveQuietly(const std::vector<HidInterfaceInfo>& infos) {
        DeviceChangeListener* saved = Listener();
        SetListener(nullptr);
        Unplug(infos);
        SetListener(saved);
    }

    // An input report for every open handle of the interface.
    void SendInput(const HidInterfaceInfo& info, std::vector<uint8_t> report) {
        {
            std::lock_guard lock(core_->mutex);
            for (auto& weak : core_->handles) {
                if (auto h = weak.lock(); h && h->id == info.InterfaceId())
                    h->inputs.push_back(report);
            }
        }
        core_->changed.notify_all();
    }

    // Waits until a reader blocks in a read on the interface.
    bool WaitForReader(const HidInterfaceInfo& info,
                       std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
        std::unique_lock lock(core_->mutex);
        return core_->changed.wait_for(lock, timeout, [&] {
            for (auto& weak : core_->handles) {
                if (auto h = weak.lock(); h && h->id == info.InterfaceId() && h->reading)
                    return true;
            }
            return false;
        });
    }

    void DenyOpen(const HidInterfaceInfo& info, HidErrorKind kind) {
        std::lock_guard lock(core_->mutex);
        deny_[info.InterfaceId()] = kind;
    }

    // Answers for GetFeature, oldest first; when none is queued the default.
    void QueueAnswer(const FeatureReport& answer) {
        std::lock_guard lock(core_->mutex);
        answers_.push_back(answer);
    }
    void SetDefaultAnswer(const FeatureReport& answer) {
        std::lock_guard lock(core_->mutex);
        default_answer_ = answer;
    }
    // Every input read fails at once (an interface that keeps erroring).
    void FailInputReads(bool fail) {
        std::lock_guard lock(core_->mutex);
        fail_reads_ = fail;
    }
    void FailSetFeature(bool fail) {
        std::lock_guard lock(core_->mutex);
        fail_set_ = fail;
    }

    std::vector<Sent> Sets() const {
        std::lock_guard lock(core_->mutex);
        return sets_;
    }
    void ClearSets() {
        std::lock_guard lock(core_->mutex);
        sets_.clear();
    }
    // Command codes of the reports sent to `info`.
    std::vector<uint8_t> CommandsTo(const HidInterfaceInfo& info) const {
        std::vector<uint8_t> c;
        for (const Sent& s : Sets()) {
            if (s.interface_id == info.InterfaceId())
                c.push_back(s.report.Command());
        }
        return c;
    }
    int Opens(const HidInterfaceInfo& info) const {
        std::lock_guard lock(core_->mutex);
        const auto it = opens_.find(info.InterfaceId());
        return it == opens_.end() ? 0 : it->second;
    }
    int Enumerations() const {
        std::lock_guard lock(core_->mutex);
        return enumerations_;
    }
    int Gets() const {
        std::lock_guard lock(core_->mutex);
        return gets_;
    }
    // Handles of the interface that are still open.
    int OpenHandles(const HidInterfaceInfo& info) const {
        std::lock_guard lock(core_->mutex);
        int n = 0;
        for (auto& weak : core_->handles) {
            if (auto h = weak.lock(); h && h->id == info.InterfaceId())
                ++n;
        }
        return n;
    }

    // A log shared with the test (start-up order): "enumerate", "open <id>",
    // "set <id> <command>", "get <id>", "watch".
    void SetLog(std::vector<std::string>* log) {
        std::lock_guard lock(core_->mutex);
        log_ = log;
    }

  private:
    struct Handle {
        std::string id;
        std::string instance;
        std::deque<std::vector<uint8_t>> inputs;
        bool disconnected = false;
        bool cancelled = false;
        bool reading = false;
    };
    struct Core {
        std::mutex mutex;
        std::condition_variable changed;
        std::vector<std::weak_ptr<Handle>> handles;
    };

    class Device : public HidDevice {
      public:
        Device(std::shared_ptr<Core> core, std::shared_ptr<Handle> handle, FakeHidBackend* owner)
            : core_(std::move(core)), handle_(std::move(handle)), owner_(owner) {}

        HidError SetFeature(std::span<const uint8_t> report) override {
            std::lock_guard lock(core_->mutex);
            if (handle_->disconnected)
                return {HidErrorKind::kDisconnected, 19};
            FeatureReport r;
            std::copy(report.begin(), report.end(), r.Bytes.begin());
            owner_->Log("set " + handle_->id + " " + std::to_string(r.Command()));
            if (owner_->fail_set_)
                return {HidErrorKind::kIo, 5};
            owner_->sets_.push_back({handle_->id, r});
            return {};
        }
        HidError GetFeature(std::span<uint8_t> report) override {
            std::lock_guard lock(core_->mutex);
            if (handle_->disconnected)
                return {HidErrorKind::kDisconnected, 19};
            owner_->Log("get " + handle_->id);
            ++owner_->gets_;
            FeatureReport answer = owner_->default_answer_;
            if (!owner_->answers_.empty()) {
                answer = owner_->answers_.front();
                owner_->answers_.pop_front();
            }
            std::copy(answer.Bytes.begin(), answer.Bytes.end(), report.begin());
            return {};
        }
        ReadResult ReadInput(std::span<uint8_t> buffer) override {
            std::unique_lock lock(core_->mutex);
            if (owner_->fail_reads_)
                return {0, {HidErrorKind::kIo, 5}};
            handle_->reading = true;
            core_->changed.notify_all();
            core_->changed.wait(lock, [&] {
                return handle_->cancelled || handle_->disconnected || !handle_->inputs.empty();
            });
            handle_->reading = false;
            if (handle_->cancelled)
                return {0, {HidErrorKind::kCancelled, 0}};
            if (handle_->disconnected)
                return {0, {HidErrorKind::kDisconnected, 19}};
            const std::vector<uint8_t> report = std::move(handle_->inputs.front());
            handle_->inputs.pop_front();
            const size_t n = std::min(report.size(), buffer.size());
            std::copy_n(report.begin(), n, buffer.begin());
            return {n, {}};
        }
        void CancelRead() override {
            {
                std::lock_guard lock(core_->mutex);
                handle_->cancelled = true;
            }
            core_->changed.notify_all();
        }

      private:
        std::shared_ptr<Core> core_;
        std::shared_ptr<Handle> handle_;
        FakeHidBackend* owner_;
    };

    bool IsPresentLocked(const HidInterfaceInfo& info) const {
        for (const HidInterfaceInfo& p : present_) {
            if (p == info)
                return true;
        }
        return false;
    }
    DeviceChangeListener* Listener() {
        std::lock_guard lock(core_->mutex);
        return listener_;
    }
    void SetListener(DeviceChangeListener* l) {
        std::lock_guard lock(core_->mutex);
        listener_ = l;
    }
    void Log(const std::string& line) {
        if (log_)
            log_->push_back(line);
    }

    std::shared_ptr<Core> core_;
    std::vector<HidInterfaceInfo> present_;
    std::map<std::string, HidErrorKind> deny_;
    std::map<std::string, int> opens_;
    std::deque<FeatureReport> answers_;
    FeatureReport default_answer_ = StatusAnswer(0x25, 80, 0);
    std::vector<Sent> sets_;
    std::vector<std::string>* log_ = nullptr;
    DeviceChangeListener* listener_ = nullptr;
    int enumerations_ = 0;
    int gets_ = 0;
    bool fail_set_ = false;
    bool fail_reads_ = false;
};

// The input report of a DPI or report-rate change made on the mouse.
inline std::vector<uint8_t> MouseChangeReport(uint8_t interval_ms, uint8_t level_byte) {
    std::vector<uint8_t> r(kMouseReportLength, 0);
    r[0] = kInputReportId;
    r[1] = kInputEventMouseChange;
    r[3] = interval_ms;
    r[4] = level_byte;
    return r;
}

}  // namespace velmaro::testing
