#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "device/command_payloads.h"

namespace velmaro {
namespace {

// Data bytes 1, 2, 3, ... so every byte shows where it landed.
std::vector<uint8_t> Counting(size_t n) {
    std::vector<uint8_t> data(n);
    std::iota(data.begin(), data.end(), uint8_t{1});
    return data;
}

struct ChunkCase {
    size_t data_bytes;
    std::vector<uint8_t> headers;  // byte 5 of each chunk
    std::vector<uint8_t> lengths;  // byte 6 of each chunk
};

void PrintTo(const ChunkCase& c, std::ostream* os) {
    *os << c.data_bytes << " data bytes";
}

class MacroChunkTest : public ::testing::TestWithParam<ChunkCase> {};

TEST_P(MacroChunkTest, HeadersLengthsAndData) {
    const ChunkCase& c = GetParam();
    const std::vector<uint8_t> data = Counting(c.data_bytes);
    const auto chunks = ComposeMacroChunks(3, data);
    ASSERT_TRUE(chunks.has_value());
    ASSERT_EQ(chunks->size(), c.headers.size());
    for (size_t i = 0; i < chunks->size(); ++i) {
        const CommandPayload& chunk = (*chunks)[i];
        EXPECT_EQ(chunk.Command, CMD_SET_MACRO_DATA);
        EXPECT_EQ(chunk.Header, c.headers[i]) << "chunk " << i;
        EXPECT_EQ(chunk.Length, c.lengths[i]) << "chunk " << i;
        EXPECT_EQ(chunk.Data[0], 3) << "chunk " << i;
        for (size_t k = 0; k < kMacroChunkDataBytes; ++k) {
            const size_t at = i * kMacroChunkDataBytes + k;
            EXPECT_EQ(chunk.Data[1 + k], at < data.size() ? data[at] : 0)
                << "chunk " << i << " byte " << k;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MacroChunkTest,
    ::testing::Values(ChunkCase{0, {0x01}, {1}}, ChunkCase{3, {0x01}, {4}},
                      ChunkCase{25, {0x01}, {26}}, ChunkCase{26, {0x02, 0x12}, {26, 2}},
                      ChunkCase{30, {0x02, 0x12}, {26, 6}},  // ten actions
                      ChunkCase{50, {0x02, 0x12}, {26, 26}},
                      ChunkCase{374,
                                {0x0F, 0x1F, 0x2F, 0x3F, 0x4F, 0x5F, 0x6F, 0x7F, 0x8F, 0x9F, 0xAF,
                                 0xBF, 0xCF, 0xDF, 0xEF},
                                {26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 25}},
                      ChunkCase{375,
                                {0x0F, 0x1F, 0x2F, 0x3F, 0x4F, 0x5F, 0x6F, 0x7F, 0x8F, 0x9F, 0xAF,
                                 0xBF, 0xCF, 0xDF, 0xEF},
                                {26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26, 26}}));

TEST(MacroChunkFrameTest, TenActionsGoOutAsTwoReports) {
    const std::vector<uint8_t> data = Counting(30);
    const auto chunks = ComposeMacroChunks(1, data);
    ASSERT_TRUE(chunks.has_value());
    RequestBuilder builder;
    const FeatureReport first = BuildRequest(builder, (*chunks)[0]);
    const FeatureReport second = BuildRequest(builder, (*chunks)[1]);

    FeatureReport expected;
    const uint8_t head1[] = {0x0C, 0x01, 0x0E, 0x00, 0x01, 0x02, 26, 0x01};
    std::copy(std::begin(head1), std::end(head1), expected.Bytes.begin());
    std::copy(data.begin(), data.begin() + 25, expected.Bytes.begin() + 8);
    EXPECT_EQ(first.Bytes, expected.Bytes);

    expected = FeatureReport{};
    const uint8_t head2[] = {0x0C, 0x01, 0x0E, 0x00, 0x02, 0x12, 6, 0x01};
    std::copy(std::begin(head2), std::end(head2), expected.Bytes.begin());
    std::copy(data.begin() + 25, data.end(), expected.Bytes.begin() + 8);
    EXPECT_EQ(second.Bytes, expected.Bytes);
}

// A 16th chunk would read as chunk 0 of 0; such an image is refused whole.
TEST(MacroChunkRefusalTest, BeyondFifteenChunksOrSlotFifteen) {
    EXPECT_FALSE(ComposeMacroChunks(0, Counting(376)).has_value());
    EXPECT_FALSE(ComposeMacroChunks(0, Counting(168 * 3)).has_value());  // the editor's limit
    EXPECT_FALSE(ComposeMacroChunks(16, Counting(3)).has_value());
    EXPECT_TRUE(ComposeMacroChunks(15, Counting(kMaxMacroEntries * kMacroEntryBytes)).has_value());
}

}  // namespace
}  // namespace velmaro
