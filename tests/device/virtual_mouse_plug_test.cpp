#include <gtest/gtest.h>

#include <array>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "virtual_mouse_test_support.h"

namespace velmaro {
namespace {

using namespace sim_test;

// ---------------------------------------------------------------- input and plugging

class RecordingListener : public DeviceChangeListener {
  public:
    void OnInterfaceArrival(const HidInterfaceInfo& info) override {
        events.push_back("+" + info.path);
        arrived.push_back(info);
    }
    void OnInterfaceRemoval(const HidInterfaceInfo& info) override {
        events.push_back("-" + info.path);
        removed.push_back(info);
    }
    std::vector<std::string> events;
    std::vector<HidInterfaceInfo> arrived;
    std::vector<HidInterfaceInfo> removed;
};

// A reader thread as the device link runs one.
class Reader {
  public:
    explicit Reader(HidDevice& device)
        : thread_([this, &device] { result_ = device.ReadInput(buffer_); }) {}
    ~Reader() {
        if (thread_.joinable())
            thread_.join();
    }
    HidDevice::ReadResult Join() {
        thread_.join();
        return result_;
    }
    const std::array<uint8_t, 33>& Buffer() const { return buffer_; }

  private:
    std::array<uint8_t, 33> buffer_{};
    HidDevice::ReadResult result_;
    std::thread thread_;
};

TEST(VirtualMouseInput, InjectedReportUnblocksTheReader) {
    VirtualMouse mouse(Roles(true, true));
    auto cable = OpenRole(mouse, SimRole::kCable, true);
    auto second = OpenRole(mouse, SimRole::kCable, true);
    auto receiver = OpenRole(mouse, SimRole::kReceiver, true);
    ASSERT_TRUE(cable && second && receiver);

    Reader reader(*cable);
    ASSERT_TRUE(mouse.WaitForReader(SimRole::kCable, kWait));
    EXPECT_EQ(mouse.InjectDpiEvent(SimRole::kCable, 4, 1), 2u) << "each handle gets a copy";
    const auto result = reader.Join();
    ASSERT_TRUE(result.error.Ok());
    EXPECT_EQ(result.length, 33u);
    EXPECT_EQ(reader.Buffer(), DpiEventReport(4, 1));
    EXPECT_EQ(FormatHexBytes(std::span(reader.Buffer()).first(5)), "0506000402");

    // The copy waits for the second handle; the receiver got nothing.
    std::array<uint8_t, 8> shorter{};
    const auto cut = second->ReadInput(shorter);
    EXPECT_EQ(cut.length, 8u);
    EXPECT_EQ(shorter[4], 2);
    receiver->CancelRead();
    EXPECT_EQ(receiver->ReadInput(shorter).error.kind, HidErrorKind::kCancelled);

    const auto log = mouse.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].direction, SeamDirection::kIn);
    EXPECT_EQ(log[0].bytes.size(), 33u);
    EXPECT_EQ(log[1].bytes.size(), 8u) << "what the program got";
}

TEST(VirtualMouseInput, CancelEndsAPendingReadAndEveryLaterOne) {
    VirtualMouse mouse;
    auto input = OpenRole(mouse, SimRole::kCable, true);
    ASSERT_NE(input, nullptr);
    Reader reader(*input);
    ASSERT_TRUE(mouse.WaitForReader(SimRole::kCable, kWait));
    input->CancelRead();
    EXPECT_EQ(reader.Join().error.kind, HidErrorKind::kCancelled);
    EXPECT_EQ(mouse.InjectDpiEvent(SimRole::kCable, 1, 0), 0u);
    std::array<uint8_t, 33> buffer{};
    EXPECT_EQ(input->ReadInput(buffer).error.kind, HidErrorKind::kCancelled);
}

TEST(VirtualMousePlug, UnplugEndsReadsAndIsAnnounced) {
    VirtualMouse mouse(Roles(true, true));
    RecordingListener listener;
    ASSERT_TRUE(mouse.StartDeviceChangeWatch(listener).Ok());
    const auto before = mouse.Enumerate();

    auto input = OpenRole(mouse, SimRole::kCable, true);
    auto command = OpenRole(mouse, SimRole::kCable, false);
    auto receiver = OpenRole(mouse, SimRole::kReceiver, false);
    ASSERT_TRUE(input && command && receiver);
    Reader reader(*input);
    ASSERT_TRUE(mouse.WaitForReader(SimRole::kCable, kWait));

    EXPECT_TRUE(mouse.Unplug(SimRole::kCable));
    EXPECT_EQ(reader.Join().error.kind, HidErrorKind::kDisconnected);
    EXPECT_EQ(listener.events, (std::vector<std::string>{"-sim:cable:pointer", "-sim:cable:input",
                                                         "-sim:cable:keys", "-sim:cable:command"}));
    for (const auto& gone : listener.removed)
        EXPECT_NE(std::find(before.begin(), before.end(), gone), before.end())
            << "removals describe the interfaces as they were listed";
    EXPECT_EQ(Send(*command, Request(CMD_SET_DEBOUNCE, 1, 1, {4})).kind,
              HidErrorKind::kDisconnected);
    FeatureReport buffer = StatusAnswerBuffer();
    EXPECT_EQ(command->GetFeature(buffer.Bytes).kind, HidErrorKind::kDisconnected);
    EXPECT_TRUE(Send(*receiver, Request(CMD_SET_DEBOUNCE, 1, 1, {4})).Ok()) << "unaffected";
    EXPECT_FALSE(FindRoleInterface(mouse, SimRole::kCable, false).has_value());
    EXPECT_FALSE(mouse.Unplug(SimRole::kCable));

    listener.events.clear();
    EXPECT_TRUE(mouse.Plug(SimRole::kCable));
    ASSERT_EQ(listener.arrived.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(listener.arrived[i].path, listener.removed[i].path);
        EXPECT_NE(listener.arrived[i].instance, listener.removed[i].instance) << "a new attach";
    }
    EXPECT_EQ(Paths(mouse.Enumerate()), Paths(before));
    EXPECT_EQ(Send(*command, Request(CMD_SET_DEBOUNCE, 1, 1, {4})).kind,
              HidErrorKind::kDisconnected)
        << "an old handle stays dead after the mouse comes back";
    EXPECT_EQ(mouse.Settings().debounce_ms, 4) << "the mouse keeps its settings";

    listener.events.clear();
    mouse.PlugUnrelated();
    mouse.UnplugUnrelated();
    EXPECT_EQ(listener.events, (std::vector<std::string>{"+sim:gamepad", "-sim:gamepad"}));

    mouse.StopDeviceChangeWatch();
    listener.events.clear();
    mouse.Unplug(SimRole::kReceiver);
    EXPECT_TRUE(listener.events.empty());
}

TEST(VirtualMousePlug, HandlesOutliveTheMouse) {
    std::unique_ptr<HidDevice> input;
    {
        VirtualMouse mouse;
        input = OpenRole(mouse, SimRole::kCable, true);
        ASSERT_NE(input, nullptr);
    }
    std::array<uint8_t, 33> buffer{};
    EXPECT_EQ(input->ReadInput(buffer).error.kind, HidErrorKind::kDisconnected);
}

// Plugging and unplugging on one thread while a reader and a writer work on
// others: nothing but the expected errors.
TEST(VirtualMousePlug, ConcurrentUseStaysConsistent) {
    VirtualMouse mouse(Roles(true, true));
    std::vector<std::string> trace;
    mouse.SetLogCallback([&](const SeamLogEntry& e) { trace.push_back(FormatSeamLogLine(e)); });
    std::atomic<bool> stop{false};

    std::thread reader([&] {
        while (!stop) {
            auto input = OpenRole(mouse, SimRole::kReceiver, true);
            if (!input)
                continue;
            std::array<uint8_t, 33> buffer{};
            while (input->ReadInput(buffer).error.Ok()) {
            }
        }
    });
    std::thread writer([&] {
        RequestBuilder builder;
        while (!stop) {
            auto command = OpenRole(mouse, SimRole::kReceiver, false);
            if (!command)
                continue;
            for (int i = 0; i < 20 && Send(*command, builder.BuildStatusQuery()).Ok(); ++i) {
                FeatureReport answer = StatusAnswerBuffer();
                command->GetFeature(answer.Bytes);
            }
        }
    });
    for (int i = 0; i < 200; ++i) {
        mouse.InjectDpiEvent(SimRole::kReceiver, 2, 0);
        if (i % 10 == 0) {
            mouse.Unplug(SimRole::kReceiver);
            mouse.Plug(SimRole::kReceiver);
        }
        std::this_thread::yield();
    }
    stop = true;
    mouse.Unplug(SimRole::kReceiver);  // ends the reader's last read
    reader.join();
    writer.join();

    EXPECT_EQ(ViolationText(mouse), "");
    mouse.SetLogCallback({});
    const auto log = mouse.Log();
    ASSERT_EQ(trace.size(), log.size());
    for (size_t i = 0; i < log.size(); ++i)
        ASSERT_EQ(trace[i], FormatSeamLogLine(log[i])) << "callback and log in the same order";
}

}  // namespace
}  // namespace velmaro
