#include "device/device_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/fake_hid_backend.h"

namespace velmaro {
namespace {

using testing::FakeHidBackend;
using testing::MouseChangeReport;
using testing::MouseInterface;
using testing::MouseRole;
using testing::OtherInterface;

constexpr auto kWait = std::chrono::seconds(5);

// Polls a flag another thread clears.
template <typename Pred>
bool Eventually(Pred pred) {
    const auto end = std::chrono::steady_clock::now() + kWait;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class DeviceLinkTest : public ::testing::Test {
  protected:
    FeatureReport Request(uint8_t command) {
        return requests.Build(command, kWriteFlag, 1, std::array<uint8_t, 1>{0x01});
    }

    FakeHidBackend backend;
    PostedEventQueue events;
    DeviceLink link{backend, events};
    RequestBuilder requests;
    const std::vector<HidInterfaceInfo> cable = MouseRole(DeviceRole::Cable, "hidraw1");
    const std::vector<HidInterfaceInfo> receiver = MouseRole(DeviceRole::Receiver, "hidraw4");
};

TEST_F(DeviceLinkTest, BothRolesFoundAndRequestsGoToTheCable) {
    backend.Add({OtherInterface("hidraw0")});
    backend.Add(receiver);
    backend.Add(cable);
    const ScanReport scan = link.ScanDevices();

    EXPECT_TRUE(scan.DevicePresent);
    for (const DeviceRole role : kRoles) {
        SCOPED_TRACE(RoleName(role));
        EXPECT_TRUE(link.Found(role));
        EXPECT_TRUE(link.HasCommandHandle(role));
        EXPECT_TRUE(scan.CommandOpened[RoleIndex(role)]);
        EXPECT_TRUE(scan.ReaderStarted[RoleIndex(role)]);
        EXPECT_TRUE(link.ReaderBusy(role));
    }
    EXPECT_EQ(link.CommandPath(DeviceRole::Cable), "/dev/hidraw1c#0");
    EXPECT_EQ(link.InputPath(DeviceRole::Cable), "/dev/hidraw1i#0");
    EXPECT_EQ(link.CommandIndex(DeviceRole::Receiver), 1);
    EXPECT_EQ(link.InputIndex(DeviceRole::Receiver), 2);
    EXPECT_EQ(link.CommandIndex(DeviceRole::Cable), 3);

    std::vector<ReportTrace> traces;
    link.SetTraceHook([&](const ReportTrace& t) { traces.push_back(t); });
    const FeatureReport request = Request(CMD_SET_DEBOUNCE);
    EXPECT_TRUE(link.SendCommand(request));
    EXPECT_EQ(backend.CommandsTo(cable[0]), std::vector<uint8_t>{CMD_SET_DEBOUNCE});
    EXPECT_TRUE(backend.CommandsTo(receiver[0]).empty());
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(traces[0].Role, DeviceRole::Cable);
    EXPECT_EQ(traces[0].Report, request);
    EXPECT_TRUE(traces[0].Error.Ok());
}

// Which interfaces a scan takes, by the rules of the mouse's two roles.
TEST_F(DeviceLinkTest, OnlyTheMouseInterfacesWithThirtyThreeByteReportsAreTaken) {
    HidInterfaceInfo both = MouseInterface(DeviceRole::Cable, true, "hidraw2");
    both.feature_report_length = kMouseReportLength;  // input wins: no command interface
    HidInterfaceInfo short_feature = MouseInterface(DeviceRole::Receiver, false, "hidraw3");
    short_feature.feature_report_length = 9;
    HidInterfaceInfo other_vendor = MouseInterface(DeviceRole::Receiver, false, "hidraw5");
    other_vendor.vendor_id = 0x1234;
    backend.Add({both, short_feature, other_vendor});

    const ScanReport scan = link.ScanDevices();
    EXPECT_FALSE(scan.DevicePresent);
    EXPECT_FALSE(link.CableFound());
    EXPECT_FALSE(link.ReceiverFound());
    EXPECT_FALSE(link.HasCommandInterface());
    // An input interface without a command interface gets no reader and is
    // not held on to.
    EXPECT_FALSE(link.ReaderBusy(DeviceRole::Cable));
    EXPECT_EQ(link.InputPath(DeviceRole::Cable), "");
    EXPECT_EQ(backend.OpenHandles(both), 0);
    EXPECT_EQ(backend.Opens(other_vendor), 0);
}

TEST_F(DeviceLinkTest, OnlyTheFirstHundredFiftyInterfacesAreLookedAt) {
    for (int i = 0; i < 149; ++i)
        backend.Add({OtherInterface("other" + std::to_string(i))});
    backend.Add({MouseInterface(DeviceRole::Receiver, false, "hidraw149")});
    backend.Add({MouseInterface(DeviceRole::Cable, false, "hidraw150")});
    link.ScanDevices();
    EXPECT_TRUE(link.ReceiverFound());
    EXPECT_EQ(link.CommandIndex(DeviceRole::Receiver), 149);
    EXPECT_FALSE(link.CableFound());
}

TEST_F(DeviceLinkTest, AnInterfaceThatCannotBeOpenedIsSkippedAndReported) {
    backend.Add(cable);
    backend.DenyOpen(cable[0], HidErrorKind::kAccessDenied);
    const ScanReport scan = link.ScanDevices();
    EXPECT_FALSE(scan.DevicePresent);
    ASSERT_EQ(scan.OpenFailures.size(), 1u);
    EXPECT_EQ(scan.OpenFailures[0].Info, cable[0]);
    EXPECT_EQ(scan.OpenFailures[0].Error.kind, HidErrorKind::kAccessDenied);
}

TEST_F(DeviceLinkTest, RescanKeepsTheOpenHandleAndStartsNoSecondReader) {
    backend.Add(cable);
    link.ScanDevices();
    ASSERT_TRUE(backend.WaitForReader(cable[1]));

    const ScanReport again = link.ScanDevices();
    EXPECT_TRUE(again.Found[RoleIndex(DeviceRole::Cable)]);
    EXPECT_FALSE(again.CommandOpened[RoleIndex(DeviceRole::Cable)]);
    EXPECT_FALSE(again.ReaderStarted[RoleIndex(DeviceRole::Cable)]);
    EXPECT_EQ(backend.Opens(cable[0]), 1);
    EXPECT_EQ(backend.Opens(cable[1]), 1);
    EXPECT_EQ(backend.OpenHandles(cable[1]), 1);
}

TEST_F(DeviceLinkTest, ASecondMouseOfTheSameKindIsIgnoredWhileTheFirstIsThere) {
    backend.Add(cable);
    link.ScanDevices();
    const auto second = MouseRole(DeviceRole::Cable, "hidraw7");
    backend.AddFirst(second[1]);
    backend.AddFirst(second[0]);
    link.ScanDevices();
    EXPECT_EQ(link.CommandPath(DeviceRole::Cable), "/dev/hidraw1c#0");
    EXPECT_EQ(backend.Opens(second[0]), 0);
    EXPECT_EQ(backend.Opens(second[1]), 0);

    link.SendCommand(Request(CMD_SET_DEBOUNCE));
    EXPECT_EQ(backend.CommandsTo(cable[0]).size(), 1u);
}

TEST_F(DeviceLinkTest, ARoleNoLongerFoundLosesItsHandleAndRequestsMoveToTheReceiver) {
    backend.Add(cable);
    backend.Add(receiver);
    link.ScanDevices();
    backend.Unplug(cable);
    link.ScanDevices();

    EXPECT_FALSE(link.CableFound());
    EXPECT_FALSE(link.HasCommandHandle(DeviceRole::Cable));
    EXPECT_EQ(link.CommandPath(DeviceRole::Cable), "");
    EXPECT_EQ(link.CommandIndex(DeviceRole::Cable), -1);
    EXPECT_EQ(backend.OpenHandles(cable[0]), 0);
    EXPECT_TRUE(link.DevicePresent());
    EXPECT_EQ(link.CommandRole(), DeviceRole::Receiver);

    link.SendCommand(Request(CMD_SET_DEBOUNCE));
    EXPECT_EQ(backend.CommandsTo(receiver[0]).size(), 1u);
}

TEST_F(DeviceLinkTest, AReaderEndsWhenItsInterfaceGoesAndTheNextScanStartsAnother) {
    backend.Add(cable);
    link.ScanDevices();
    ASSERT_TRUE(backend.WaitForReader(cable[1]));

    backend.RemoveQuietly({cable[1]});
    ASSERT_TRUE(Eventually([&] { return !link.ReaderBusy(DeviceRole::Cable); }));
    EXPECT_FALSE(link.ReaderRunning(DeviceRole::Cable));
    EXPECT_TRUE(link.CableFound());  // the command interface is still there

    backend.Add({cable[1]});
    const ScanReport scan = link.ScanDevices();
    EXPECT_TRUE(scan.ReaderStarted[RoleIndex(DeviceRole::Cable)]);
    EXPECT_TRUE(link.ReaderBusy(DeviceRole::Cable));
    EXPECT_EQ(backend.Opens(cable[1]), 2);
    EXPECT_EQ(backend.Opens(cable[0]), 1);
}

// The mouse went and came back under the same nodes before a scan saw it go:
// the old handles belong to a device that is gone and are replaced.
TEST_F(DeviceLinkTest, AMouseThatCameBackUnderTheSameNodesGetsNewHandles) {
    backend.Add(cable);
    link.ScanDevices();
    ASSERT_TRUE(backend.WaitForReader(cable[1]));

    backend.RemoveQuietly(cable);
    const auto again = MouseRole(DeviceRole::Cable, "hidraw1", "2");
    backend.Add(again);
    const ScanReport scan = link.ScanDevices();

    EXPECT_TRUE(scan.CommandOpened[RoleIndex(DeviceRole::Cable)]);
    EXPECT_TRUE(scan.ReaderStarted[RoleIndex(DeviceRole::Cable)]);
    ASSERT_TRUE(backend.WaitForReader(again[1]));
    EXPECT_EQ(backend.Opens(again[0]), 2);
    EXPECT_TRUE(link.SendCommand(Request(CMD_SET_DEBOUNCE)));
}

TEST_F(DeviceLinkTest, TheReaderPostsOnlyTheMouseChangeEvent) {
    backend.Add(cable);
    link.ScanDevices();
    ASSERT_TRUE(backend.WaitForReader(cable[1]));

    std::vector<uint8_t> other_type = MouseChangeReport(4, 2);
    other_type[1] = 5;
    std::vector<uint8_t> other_id = MouseChangeReport(4, 2);
    other_id[0] = 4;
    std::vector<uint8_t> cut = MouseChangeReport(4, 2);
    cut.resize(4);
    backend.SendInput(cable[1], other_type);
    backend.SendInput(cable[1], other_id);
    backend.SendInput(cable[1], cut);
    backend.SendInput(cable[1], MouseChangeReport(4, 2));

    ASSERT_TRUE(events.WaitForEvent(kWait));
    const std::vector<PostedEvent> posted = events.TakeAll();
    ASSERT_EQ(posted.size(), 1u);
    ASSERT_TRUE(std::holds_alternative<MouseSideChange>(posted[0]));
    EXPECT_EQ(std::get<MouseSideChange>(posted[0]), (MouseSideChange{DeviceRole::Cable, 4, 2}));
}

TEST_F(DeviceLinkTest, ShutdownEndsTheReadersAndClosesEveryHandle) {
    backend.Add(cable);
    backend.Add(receiver);
    link.ScanDevices();
    ASSERT_TRUE(backend.WaitForReader(cable[1]));
    ASSERT_TRUE(backend.WaitForReader(receiver[1]));

    link.Shutdown();
    for (const DeviceRole role : kRoles) {
        EXPECT_FALSE(link.ReaderBusy(role));
        EXPECT_FALSE(link.Found(role));
    }
    EXPECT_FALSE(link.HasCommandInterface());
    for (const auto& info : {cable[0], cable[1], receiver[0], receiver[1]})
        EXPECT_EQ(backend.OpenHandles(info), 0) << info.InterfaceId();
    EXPECT_FALSE(link.SendCommand(Request(CMD_SET_DEBOUNCE)));
}

TEST_F(DeviceLinkTest, DeviceChangesArePostedForTheUserInterfaceThread) {
    ASSERT_TRUE(link.RegisterDeviceNotifications().Ok());
    backend.Plug({OtherInterface("hidraw9")});
    backend.Unplug({OtherInterface("hidraw9")});
    const std::vector<PostedEvent> posted = events.TakeAll();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_TRUE(std::holds_alternative<InterfaceArrived>(posted[0]));
    EXPECT_TRUE(std::holds_alternative<InterfaceRemoved>(posted[1]));

    link.Shutdown();  // stops the watch
    backend.Plug({OtherInterface("hidraw8")});
    EXPECT_EQ(events.Size(), 0u);
}

}  // namespace
}  // namespace velmaro
