#include "device/hid/linux/hidraw_device.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace velmaro {
namespace {

// The feature ioctls carry the length in the request number.
constexpr size_t kMaxIoctlLength = _IOC_SIZEMASK;

HidError Failure(HidErrorKind kind, int code = 0) {
    return {kind, code};
}

class HidrawDevice final : public HidDevice {
  public:
    HidrawDevice(int fd, int cancel_fd, InputFraming framing)
        : fd_(fd), cancel_fd_(cancel_fd), framing_(std::move(framing)) {}
    ~HidrawDevice() override {
        ::close(fd_);
        ::close(cancel_fd_);
    }

    HidError SetFeature(std::span<const uint8_t> report) override {
        if (report.empty() || report.size() > kMaxIoctlLength)
            return Failure(HidErrorKind::kBadArgument);
        // The ioctl takes a writable buffer.
        std::vector<uint8_t> copy(report.begin(), report.end());
        return Transfer(HIDIOCSFEATURE(copy.size()), copy);
    }

    HidError GetFeature(std::span<uint8_t> report) override {
        if (report.empty() || report.size() > kMaxIoctlLength)
            return Failure(HidErrorKind::kBadArgument);
        return Transfer(HIDIOCGFEATURE(report.size()), report);
    }

    ReadResult ReadInput(std::span<uint8_t> buffer) override {
        if (buffer.empty())
            return {0, Failure(HidErrorKind::kBadArgument)};
        const size_t offset = framing_.Offset();
        for (;;) {
            pollfd fds[2] = {{cancel_fd_, POLLIN, 0}, {fd_, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return {0, Failure(HidErrorKind::kIo, errno)};
            }
            if (fds[0].revents != 0)
                return {0, Failure(HidErrorKind::kCancelled)};
            // A removed device reports hang-up, possibly with reports still
            // queued; it is gone either way.
            if (fds[1].revents & (POLLERR | POLLHUP | POLLNVAL))
                return {0, Failure(HidErrorKind::kDisconnected)};
            if (!(fds[1].revents & POLLIN))
                continue;
            const ssize_t n = ::read(fd_, buffer.data() + offset, buffer.size() - offset);
            if (n < 0) {
                if (errno == EINTR || errno == EAGAIN)
                    continue;
                return {0, HidErrorFromErrno(errno, HidrawStage::kRead)};
            }
            const size_t length = framing_.Finish(buffer, static_cast<size_t>(n));
            if (length != 0)
                return {length, {}};
        }
    }

    void CancelRead() override {
        const uint64_t one = 1;
        // The counter only ever needs to be non-zero; a full counter is too.
        [[maybe_unused]] ssize_t written = ::write(cancel_fd_, &one, sizeof one);
    }

  private:
    HidError Transfer(unsigned long request, std::span<uint8_t> report) {
        const int n = ::ioctl(fd_, request, report.data());
        if (n < 0)
            return HidErrorFromErrno(errno, HidrawStage::kFeature);
        if (static_cast<size_t>(n) < report.size())
            return Failure(HidErrorKind::kShortTransfer);
        return {};
    }

    int fd_;
    int cancel_fd_;
    InputFraming framing_;
};

}  // namespace

HidError HidErrorFromErrno(int error, HidrawStage stage) {
    switch (error) {
        case EACCES:
        case EPERM:
            return Failure(HidErrorKind::kAccessDenied, error);
        case ENOENT:
            return Failure(
                stage == HidrawStage::kOpen ? HidErrorKind::kNotFound : HidErrorKind::kIo, error);
        case ENODEV:
        case ENXIO:
        case ESHUTDOWN:
            return Failure(
                stage == HidrawStage::kOpen ? HidErrorKind::kNotFound : HidErrorKind::kDisconnected,
                error);
        case EIO:
            // hidraw answers reads of a removed device with EIO; on the control
            // channel it is a failed transfer of a device still there.
            return Failure(
                stage == HidrawStage::kRead ? HidErrorKind::kDisconnected : HidErrorKind::kIo,
                error);
        default:
            return Failure(HidErrorKind::kIo, error);
    }
}

InputFraming InputFraming::For(const ReportDescriptorInfo& descriptor, size_t collection) {
    InputFraming framing;
    framing.numbered = descriptor.uses_report_ids;
    if (collection < descriptor.collections.size())
        framing.ids = descriptor.collections[collection].input_report_ids;
    return framing;
}

size_t InputFraming::Finish(std::span<uint8_t> buffer, size_t received) const {
    if (!numbered) {
        buffer[0] = 0;
        return received + 1;
    }
    if (received == 0 || std::find(ids.begin(), ids.end(), buffer[0]) == ids.end())
        return 0;
    return received;
}

HidOpenResult OpenHidraw(const HidInterfaceInfo& info) {
    const int fd = ::open(info.path.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {nullptr, HidErrorFromErrno(errno, HidrawStage::kOpen)};

    auto fail = [fd](HidError error) {
        ::close(fd);
        return HidOpenResult{nullptr, error};
    };

    // Node numbers are reused: make sure this is still the device and the
    // collection the caller chose.
    hidraw_devinfo devinfo{};
    if (::ioctl(fd, HIDIOCGRAWINFO, &devinfo) < 0)
        return fail(HidErrorFromErrno(errno, HidrawStage::kOpen));
    if (static_cast<uint16_t>(devinfo.vendor) != info.vendor_id ||
        static_cast<uint16_t>(devinfo.product) != info.product_id)
        return fail(Failure(HidErrorKind::kNotFound));

    int descriptor_size = 0;
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &descriptor_size) < 0)
        return fail(HidErrorFromErrno(errno, HidrawStage::kOpen));
    hidraw_report_descriptor raw{};
    raw.size = static_cast<uint32_t>(std::clamp(descriptor_size, 0, HID_MAX_DESCRIPTOR_SIZE));
    if (::ioctl(fd, HIDIOCGRDESC, &raw) < 0)
        return fail(HidErrorFromErrno(errno, HidrawStage::kOpen));
    const ReportDescriptorInfo descriptor =
        ParseReportDescriptor(std::span<const uint8_t>(raw.value, raw.size));
    if (info.collection >= descriptor.collections.size())
        return fail(Failure(HidErrorKind::kNotFound));
    const HidCollectionInfo& collection = descriptor.collections[info.collection];
    if (collection.input_report_length != info.input_report_length ||
        collection.feature_report_length != info.feature_report_length)
        return fail(Failure(HidErrorKind::kNotFound));

    return AdoptHidrawFd(fd, InputFraming::For(descriptor, info.collection));
}

HidOpenResult AdoptHidrawFd(int fd, InputFraming framing) {
    const int cancel_fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (cancel_fd < 0) {
        const int error = errno;
        ::close(fd);
        return {nullptr, Failure(HidErrorKind::kIo, error)};
    }
    return {std::make_unique<HidrawDevice>(fd, cancel_fd, std::move(framing)), {}};
}

}  // namespace velmaro
