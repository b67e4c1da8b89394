// The 33-byte feature report (report id 12) every setting goes out in and the
// status answer comes back in, the request sequence counter, and the command
// codes the program uses.
//
// Layout, report-id byte included:
//   0      report id 0x0C
//   1      0x01 in every request
//   2      command code
//   3      status: 0x00 in requests; an answer is accepted only with 0x00
//   4      sequence number
//   5      write flag (0x01), 0x00 for the status query, or a macro chunk header
//   6      payload length
//   7..32  payload, up to 26 bytes; everything after the payload is 0x00
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace velmaro {

inline constexpr size_t kFeatureReportSize = 33;
inline constexpr uint8_t kFeatureReportId = 0x0C;
inline constexpr size_t kPayloadOffset = 7;
inline constexpr size_t kMaxPayloadBytes = kFeatureReportSize - kPayloadOffset;  // 26

// Command codes (byte 2).
inline constexpr uint8_t CMD_SET_BUTTON = 0x04;
inline constexpr uint8_t CMD_SET_DPI_LEVELS = 0x05;
inline constexpr uint8_t CMD_SET_DPI_COLORS = 0x06;
inline constexpr uint8_t CMD_SET_POLLING_RATE = 0x07;
inline constexpr uint8_t CMD_SET_LIGHTING = 0x08;
inline constexpr uint8_t CMD_SET_LIFT_OFF = 0x09;
inline constexpr uint8_t CMD_SET_DEBOUNCE = 0x0A;
inline constexpr uint8_t CMD_SET_POWER_SAVING = 0x0B;
inline constexpr uint8_t CMD_SET_MOTION_WAKEUP = 0x0C;
inline constexpr uint8_t CMD_SET_MACRO_DATA = 0x0E;
inline constexpr uint8_t CMD_FACTORY_RESET = 0x0F;
inline constexpr uint8_t CMD_QUERY_STATUS = 0x20;

// Byte 5 of every setting write.
inline constexpr uint8_t kWriteFlag = 0x01;

struct FeatureReport {
    std::array<uint8_t, kFeatureReportSize> Bytes{};

    uint8_t ReportId() const { return Bytes[0]; }
    uint8_t Command() const { return Bytes[2]; }
    uint8_t Status() const { return Bytes[3]; }
    uint8_t Sequence() const { return Bytes[4]; }
    uint8_t Header() const { return Bytes[5]; }
    uint8_t PayloadLength() const { return Bytes[6]; }
    std::span<const uint8_t, kMaxPayloadBytes> Payload() const {
        return std::span<const uint8_t, kMaxPayloadBytes>(Bytes.data() + kPayloadOffset,
                                                          kMaxPayloadBytes);
    }

    friend bool operator==(const FeatureReport&, const FeatureReport&) = default;
};

// Builds requests and owns the sequence counter. One builder lives as long as
// the device side of the program: the counter starts at 1 and is never reset.
class RequestBuilder {
  public:
    // The number the next request will carry.
    uint8_t NextSequence() const { return sequence_; }

    // A fresh report: bytes 0..6 filled, then at most 26 payload bytes copied
    // from byte 7 on (longer input is cut at the end of the report). Byte 6 is
    // given separately because it need not match the bytes copied: a macro
    // chunk copies 26 bytes but may announce fewer. Takes a sequence number.
    FeatureReport Build(uint8_t command, uint8_t header, uint8_t length,
                        std::span<const uint8_t> payload);

    // The status query: 0C 01 20 00 seq 00 00 and zeros. Every attempt takes
    // its own sequence number.
    FeatureReport BuildStatusQuery();

  private:
    uint8_t sequence_ = 1;
};

// The buffer a status answer is read into: report id, then 0xFF everywhere, so
// a short read cannot pass for a zero status or an empty answer.
FeatureReport StatusAnswerBuffer();

// The status parser takes an answer only of report 12, for the status command,
// with status 0.
bool IsAcceptedStatusAnswer(const FeatureReport& answer);

// An answer with a payload length of 0 carries nothing; the query tries once more.
bool AnswerHasPayload(const FeatureReport& answer);

}  // namespace velmaro
