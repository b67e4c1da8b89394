#include "device/feature_report.h"

#include <gtest/gtest.h>

#include <vector>

namespace velmaro {
namespace {

TEST(RequestBuilderTest, SequenceStartsAtOneAndWrapsAfter255) {
    RequestBuilder builder;
    std::vector<uint8_t> seen;
    for (int i = 0; i < 258; ++i)
        seen.push_back(builder.Build(CMD_SET_DEBOUNCE, kWriteFlag, 0, {}).Sequence());
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[253], 254);
    EXPECT_EQ(seen[254], 255);
    EXPECT_EQ(seen[255], 0);
    EXPECT_EQ(seen[256], 1);
    EXPECT_EQ(builder.NextSequence(), 3);
}

TEST(RequestBuilderTest, FillsHeaderCopiesPayloadAndZeroesTheRest) {
    RequestBuilder builder;
    const std::vector<uint8_t> payload = {0xAA, 0xBB, 0xCC};
    const FeatureReport r = builder.Build(CMD_SET_LIGHTING, kWriteFlag, 2, payload);
    FeatureReport expected;
    const uint8_t head[] = {0x0C, 0x01, 0x08, 0x00, 0x01, 0x01, 0x02, 0xAA, 0xBB, 0xCC};
    std::copy(std::begin(head), std::end(head), expected.Bytes.begin());
    EXPECT_EQ(r.Bytes, expected.Bytes);
}

TEST(RequestBuilderTest, PayloadLongerThanTheReportIsCut) {
    RequestBuilder builder;
    const std::vector<uint8_t> payload(40, 0x5A);
    const FeatureReport r = builder.Build(CMD_SET_MACRO_DATA, 0x01, 26, payload);
    for (size_t i = kPayloadOffset; i < kFeatureReportSize; ++i)
        EXPECT_EQ(r.Bytes[i], 0x5A) << i;
}

TEST(RequestBuilderTest, StatusQueryTakesANumberPerAttempt) {
    RequestBuilder builder;
    const FeatureReport first = builder.BuildStatusQuery();
    const FeatureReport second = builder.BuildStatusQuery();
    FeatureReport expected;
    const uint8_t head[] = {0x0C, 0x01, 0x20, 0x00, 0x01, 0x00, 0x00};
    std::copy(std::begin(head), std::end(head), expected.Bytes.begin());
    EXPECT_EQ(first.Bytes, expected.Bytes);
    expected.Bytes[4] = 0x02;
    EXPECT_EQ(second.Bytes, expected.Bytes);
}

TEST(StatusAnswerTest, ReadBufferIsReportIdThenFF) {
    const FeatureReport b = StatusAnswerBuffer();
    EXPECT_EQ(b.Bytes[0], 0x0C);
    for (size_t i = 1; i < kFeatureReportSize; ++i)
        EXPECT_EQ(b.Bytes[i], 0xFF) << i;
    // Nothing read into it: not an answer the parser takes.
    EXPECT_FALSE(IsAcceptedStatusAnswer(b));
}

TEST(StatusAnswerTest, AnotherReportIsNotAnAnswer) {
    FeatureReport answer;
    answer.Bytes[2] = CMD_QUERY_STATUS;
    answer.Bytes[6] = 0x10;
    for (const uint8_t id : {0x00, 0x05, 0x0D, 0xFF}) {
        answer.Bytes[0] = id;
        EXPECT_FALSE(IsAcceptedStatusAnswer(answer)) << int{id};
    }
    answer.Bytes[0] = kFeatureReportId;
    EXPECT_TRUE(IsAcceptedStatusAnswer(answer));
}

struct AnswerCase {
    uint8_t command;
    uint8_t status;
    uint8_t length;
    bool accepted;
    bool has_payload;
};

class StatusAnswerCaseTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(StatusAnswerCaseTest, AcceptanceAndPayload) {
    const AnswerCase& c = GetParam();
    FeatureReport answer;
    answer.Bytes[0] = 0x0C;
    answer.Bytes[2] = c.command;
    answer.Bytes[3] = c.status;
    answer.Bytes[6] = c.length;
    EXPECT_EQ(IsAcceptedStatusAnswer(answer), c.accepted);
    EXPECT_EQ(AnswerHasPayload(answer), c.has_payload);
}

INSTANTIATE_TEST_SUITE_P(Answers, StatusAnswerCaseTest,
                         ::testing::Values(AnswerCase{0x20, 0x00, 0x10, true, true},
                                           AnswerCase{0x20, 0x00, 0x00, true, false},
                                           AnswerCase{0x21, 0x00, 0x10, false, true},
                                           AnswerCase{0x05, 0x00, 0x10, false, true},
                                           AnswerCase{0x20, 0x01, 0x10, false, true},
                                           AnswerCase{0x20, 0xFF, 0x00, false, false}));

}  // namespace
}  // namespace velmaro
