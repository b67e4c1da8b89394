#include "device/feature_report.h"

#include <algorithm>

namespace velmaro {

FeatureReport RequestBuilder::Build(uint8_t command, uint8_t header, uint8_t length,
                                    std::span<const uint8_t> payload) {
    FeatureReport report;
    report.Bytes[0] = kFeatureReportId;
    report.Bytes[1] = 0x01;
    report.Bytes[2] = command;
    report.Bytes[3] = 0x00;
    report.Bytes[4] = sequence_++;  // wraps 255 -> 0
    report.Bytes[5] = header;
    report.Bytes[6] = length;
    const size_t n = std::min(payload.size(), kMaxPayloadBytes);
    std::copy_n(payload.begin(), n, report.Bytes.begin() + kPayloadOffset);
    return report;
}

FeatureReport RequestBuilder::BuildStatusQuery() {
    return Build(CMD_QUERY_STATUS, 0x00, 0, {});
}

FeatureReport StatusAnswerBuffer() {
    FeatureReport buffer;
    buffer.Bytes.fill(0xFF);
    buffer.Bytes[0] = kFeatureReportId;
    return buffer;
}

bool IsAcceptedStatusAnswer(const FeatureReport& answer) {
    // Another report's bytes say nothing about the mouse's state.
    return answer.Bytes[0] == kFeatureReportId && answer.Bytes[2] == CMD_QUERY_STATUS &&
           answer.Bytes[3] == 0x00;
}

bool AnswerHasPayload(const FeatureReport& answer) {
    return answer.Bytes[6] != 0;
}

}  // namespace velmaro
