#include "device/hid/linux/hidraw_device.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <thread>

#include "device/hid_linux/sysfs_tree.h"

namespace velmaro {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(HidrawErrnoTest, EachFailureGetsItsKind) {
    const struct {
        int error;
        HidrawStage stage;
        HidErrorKind kind;
    } cases[] = {
        {EACCES, HidrawStage::kOpen, HidErrorKind::kAccessDenied},
        {EPERM, HidrawStage::kOpen, HidErrorKind::kAccessDenied},
        {ENOENT, HidrawStage::kOpen, HidErrorKind::kNotFound},
        {ENODEV, HidrawStage::kOpen, HidErrorKind::kNotFound},
        {ENODEV, HidrawStage::kFeature, HidErrorKind::kDisconnected},
        {ESHUTDOWN, HidrawStage::kFeature, HidErrorKind::kDisconnected},
        {EIO, HidrawStage::kRead, HidErrorKind::kDisconnected},
        {EIO, HidrawStage::kFeature, HidErrorKind::kIo},
        {EPIPE, HidrawStage::kFeature, HidErrorKind::kIo},
        {ENOTTY, HidrawStage::kOpen, HidErrorKind::kIo},
    };
    for (const auto& c : cases) {
        const HidError error = HidErrorFromErrno(c.error, c.stage);
        EXPECT_EQ(error.kind, c.kind) << c.error << " at " << static_cast<int>(c.stage);
        EXPECT_EQ(error.system_code, c.error);
    }
}

TEST(InputFramingTest, AddsTheIdByteOrKeepsOnlyTheCollectionsReports) {
    ReportDescriptorInfo descriptor;
    descriptor.uses_report_ids = true;
    descriptor.collections.resize(2);
    descriptor.collections[0].input_report_ids = {1};
    descriptor.collections[1].input_report_ids = {5};

    const InputFraming numbered = InputFraming::For(descriptor, 1);
    EXPECT_EQ(numbered.Offset(), 0u);
    Bytes buffer = {5, 6, 0, 4, 2};
    EXPECT_EQ(numbered.Finish(buffer, 5), 5u);
    buffer[0] = 1;  // the pointer collection's report on the shared node
    EXPECT_EQ(numbered.Finish(buffer, 5), 0u);
    EXPECT_EQ(numbered.Finish(buffer, 0), 0u);

    descriptor.uses_report_ids = false;
    descriptor.collections = {HidCollectionInfo{}};
    const InputFraming plain = InputFraming::For(descriptor, 0);
    EXPECT_EQ(plain.Offset(), 1u);
    buffer = {0xFF, 1, 2, 3};
    EXPECT_EQ(plain.Finish(buffer, 3), 4u);
    EXPECT_EQ(buffer, (Bytes{0, 1, 2, 3}));
}

// A datagram socket keeps report boundaries the way a hidraw node does, and
// hangs up when its peer closes, as a removed device does.
class AdoptedSocketTest : public ::testing::Test {
  protected:
    void Adopt(InputFraming framing) {
        int fds[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
        fcntl(fds[0], F_SETFL, O_NONBLOCK);
        peer_ = fds[1];
        auto opened = AdoptHidrawFd(fds[0], std::move(framing));
        ASSERT_TRUE(opened.error.Ok());
        device_ = std::move(opened.device);
    }
    ~AdoptedSocketTest() override {
        device_.reset();
        if (peer_ >= 0)
            close(peer_);
    }
    void Send(const Bytes& report) {
        ASSERT_EQ(send(peer_, report.data(), report.size(), 0),
                  static_cast<ssize_t>(report.size()));
    }

    int peer_ = -1;
    std::unique_ptr<HidDevice> device_;
};

TEST_F(AdoptedSocketTest, ReadsOnlyTheInterfacesReportsInOrder) {
    Adopt({true, {5}});
    Send({1, 0x01, 0x02});           // another collection's report
    Send({5, 6, 0, 4, 2});           // event report
    Send({5, 6, 0, 8, 1, 9, 9, 9});  // longer than the buffer
    Bytes buffer(5, 0xFF);
    auto result = device_->ReadInput(buffer);
    ASSERT_TRUE(result.error.Ok());
    EXPECT_EQ(result.length, 5u);
    EXPECT_EQ(buffer, (Bytes{5, 6, 0, 4, 2}));
    result = device_->ReadInput(buffer);
    ASSERT_TRUE(result.error.Ok());
    EXPECT_EQ(result.length, 5u);
    EXPECT_EQ(buffer, (Bytes{5, 6, 0, 8, 1}));
}

TEST_F(AdoptedSocketTest, ReportsWithoutIdsGetAZeroInFront) {
    Adopt({false, {0}});
    Send({0x01, 0x10, 0xF0});
    Bytes buffer(8, 0xFF);
    const auto result = device_->ReadInput(buffer);
    ASSERT_TRUE(result.error.Ok());
    ASSERT_EQ(result.length, 4u);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 4), (Bytes{0, 0x01, 0x10, 0xF0}));
}

TEST_F(AdoptedSocketTest, CancelEndsAPendingReadAndEveryLaterOne) {
    Adopt({true, {5}});
    Bytes buffer(33);
    HidDevice::ReadResult pending;
    std::thread reader([&] { pending = device_->ReadInput(buffer); });
    device_->CancelRead();
    reader.join();
    EXPECT_EQ(pending.error.kind, HidErrorKind::kCancelled);

    Send({5, 6, 0, 4, 2});  // shutdown wins over queued reports
    EXPECT_EQ(device_->ReadInput(buffer).error.kind, HidErrorKind::kCancelled);
}

TEST_F(AdoptedSocketTest, HangUpEndsTheReadAsDisconnected) {
    Adopt({true, {5}});
    Bytes buffer(33);
    HidDevice::ReadResult pending;
    std::thread reader([&] { pending = device_->ReadInput(buffer); });
    close(peer_);
    peer_ = -1;
    reader.join();
    EXPECT_EQ(pending.error.kind, HidErrorKind::kDisconnected);
}

TEST_F(AdoptedSocketTest, BadBuffersAndNonHidrawNodesFailAsValues) {
    Adopt({true, {5}});
    EXPECT_EQ(device_->ReadInput({}).error.kind, HidErrorKind::kBadArgument);
    EXPECT_EQ(device_->SetFeature({}).kind, HidErrorKind::kBadArgument);
    Bytes huge(1 << 14);
    EXPECT_EQ(device_->GetFeature(huge).kind, HidErrorKind::kBadArgument);
    // A socket knows no feature reports.
    Bytes report(33);
    report[0] = 12;
    const HidError error = device_->GetFeature(report);
    EXPECT_EQ(error.kind, HidErrorKind::kIo);
    EXPECT_EQ(error.system_code, ENOTTY);
}

TEST(OpenHidrawTest, FailuresAreReportedNotThrown) {
    hidtest::SysfsTree tree;
    HidInterfaceInfo info;
    info.path = (tree.root() / "dev/hidraw0").string();
    auto opened = OpenHidraw(info);
    EXPECT_EQ(opened.device, nullptr);
    EXPECT_EQ(opened.error.kind, HidErrorKind::kNotFound);

    // A plain file opens but is no hidraw node.
    std::filesystem::create_directories(tree.root() / "dev");
    std::ofstream(info.path) << "x";
    opened = OpenHidraw(info);
    EXPECT_EQ(opened.device, nullptr);
    EXPECT_EQ(opened.error.kind, HidErrorKind::kIo);

    if (geteuid() != 0) {  // root opens anything
        std::filesystem::permissions(info.path, std::filesystem::perms::owner_read);
        opened = OpenHidraw(info);
        EXPECT_EQ(opened.error.kind, HidErrorKind::kAccessDenied);
        EXPECT_EQ(opened.error.system_code, EACCES);
    }
}

}  // namespace
}  // namespace velmaro
