#include "device/hid/report_descriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace velmaro {
namespace {

using Bytes = std::vector<uint8_t>;

ReportDescriptorInfo Parse(const Bytes& bytes) {
    return ParseReportDescriptor(bytes);
}

// A boot-protocol mouse: three buttons, five bits of padding, X and Y. No
// report ids.
const Bytes kBootMouse = {
    0x05, 0x01,  // Usage Page (Generic Desktop)
    0x09, 0x02,  // Usage (Mouse)
    0xA1, 0x01,  // Collection (Application)
    0x09, 0x01,  //   Usage (Pointer)
    0xA1, 0x00,  //   Collection (Physical)
    0x05, 0x09,  //     Usage Page (Button)
    0x19, 0x01,  //     Usage Minimum (1)
    0x29, 0x03,  //     Usage Maximum (3)
    0x15, 0x00,  //     Logical Minimum (0)
    0x25, 0x01,  //     Logical Maximum (1)
    0x95, 0x03,  //     Report Count (3)
    0x75, 0x01,  //     Report Size (1)
    0x81, 0x02,  //     Input (Data, Variable, Absolute)
    0x95, 0x01,  //     Report Count (1)
    0x75, 0x05,  //     Report Size (5)
    0x81, 0x01,  //     Input (Constant)
    0x05, 0x01,  //     Usage Page (Generic Desktop)
    0x09, 0x30,  //     Usage (X)
    0x09, 0x31,  //     Usage (Y)
    0x15, 0x81,  //     Logical Minimum (-127)
    0x25, 0x7F,  //     Logical Maximum (127)
    0x75, 0x08,  //     Report Size (8)
    0x95, 0x02,  //     Report Count (2)
    0x81, 0x06,  //     Input (Data, Variable, Relative)
    0xC0,        //   End Collection
    0xC0,        // End Collection
};

// A keyboard with a media-key collection beside it, both with report ids.
// The second collection names its usage with a four-byte usage.
const Bytes kCompositeKeyboard = {
    0x05, 0x01,                                // Usage Page (Generic Desktop)
    0x09, 0x06,                                // Usage (Keyboard)
    0xA1, 0x01,                                // Collection (Application)
    0x85, 0x01,                                //   Report ID (1)
    0x05, 0x07,                                //   Usage Page (Keyboard)
    0x19, 0xE0, 0x29, 0xE7,                    //   Usage Minimum/Maximum (modifiers)
    0x15, 0x00, 0x25, 0x01,                    //   Logical Minimum/Maximum (0, 1)
    0x75, 0x01, 0x95, 0x08,                    //   Report Size (1), Report Count (8)
    0x81, 0x02,                                //   Input (Data, Variable, Absolute)
    0x95, 0x01, 0x75, 0x08,                    //   Report Count (1), Report Size (8)
    0x81, 0x01,                                //   Input (Constant)
    0x95, 0x05, 0x75, 0x01,                    //   Report Count (5), Report Size (1)
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05,        // Usage Page (LEDs), Usage Minimum/Maximum
    0x91, 0x02,                                //   Output (Data, Variable, Absolute)
    0x95, 0x01, 0x75, 0x03,                    //   Report Count (1), Report Size (3)
    0x91, 0x01,                                //   Output (Constant)
    0x95, 0x06, 0x75, 0x08,                    //   Report Count (6), Report Size (8)
    0x15, 0x00, 0x26, 0xFF, 0x00,              //   Logical Minimum/Maximum (0, 255)
    0x05, 0x07, 0x19, 0x00, 0x2A, 0xFF, 0x00,  // Usage Page (Keyboard), Usage Min/Max
    0x81, 0x00,                                //   Input (Data, Array)
    0xC0,                                      // End Collection
    0x0B, 0x01, 0x00, 0x0C, 0x00,              // Usage (Consumer Control, page 0x0C)
    0xA1, 0x01,                                // Collection (Application)
    0x85, 0x02,                                //   Report ID (2)
    0x05, 0x0C,                                //   Usage Page (Consumer)
    0x15, 0x00, 0x26, 0xFF, 0x03,              //   Logical Minimum/Maximum (0, 1023)
    0x19, 0x00, 0x2A, 0xFF, 0x03,              //   Usage Minimum/Maximum
    0x75, 0x10, 0x95, 0x01,                    //   Report Size (16), Report Count (1)
    0x81, 0x00,                                //   Input (Data, Array)
    0xC0,                                      // End Collection
};

// A vendor collection like the mouse's: input report 5 and feature report 12,
// 32 data bytes each, plus a smaller feature report 3 that must not decide the
// length, and a long item whose data bytes look like End Collection.
const Bytes kVendor = {
    0x06, 0x00, 0xFF,              // Usage Page (Vendor 0xFF00)
    0x09, 0x01,                    // Usage (1)
    0xA1, 0x01,                    // Collection (Application)
    0x15, 0x00, 0x26, 0xFF, 0x00,  //   Logical Minimum/Maximum (0, 255)
    0x75, 0x08,                    //   Report Size (8)
    0x85, 0x05, 0x95, 0x20,        //   Report ID (5), Report Count (32)
    0x09, 0x01, 0x81, 0x02,        //   Usage, Input
    0xFE, 0x02, 0x10, 0xC0, 0xC0,  //   long item, two data bytes
    0x85, 0x03, 0x95, 0x04,        //   Report ID (3), Report Count (4)
    0x09, 0x03, 0xB1, 0x02,        //   Usage, Feature
    0x85, 0x0C, 0x95, 0x20,        //   Report ID (12), Report Count (32)
    0x09, 0x02, 0xB1, 0x02,        //   Usage, Feature
    0xC0,                          // End Collection
};

TEST(ReportDescriptorTest, BootMouseWithoutReportIdsGetsTheIdByteAdded) {
    const auto info = Parse(kBootMouse);
    EXPECT_EQ(info.error, ReportDescriptorError::kNone);
    EXPECT_FALSE(info.uses_report_ids);
    ASSERT_EQ(info.collections.size(), 1u);  // the nested physical collection is no interface
    const auto& mouse = info.collections[0];
    EXPECT_EQ(mouse.usage_page, 0x01);
    EXPECT_EQ(mouse.usage, 0x02);
    EXPECT_EQ(mouse.input_report_length, 4u);  // 3 data bytes + 1
    EXPECT_EQ(mouse.output_report_length, 0u);
    EXPECT_EQ(mouse.feature_report_length, 0u);
    EXPECT_EQ(mouse.input_report_ids, std::vector<uint8_t>{0});
}

TEST(ReportDescriptorTest, CompositeKeyboardListsEachTopLevelCollection) {
    const auto info = Parse(kCompositeKeyboard);
    EXPECT_EQ(info.error, ReportDescriptorError::kNone);
    EXPECT_TRUE(info.uses_report_ids);
    ASSERT_EQ(info.collections.size(), 2u);

    const auto& keyboard = info.collections[0];
    EXPECT_EQ(keyboard.usage_page, 0x01);
    EXPECT_EQ(keyboard.usage, 0x06);
    EXPECT_EQ(keyboard.input_report_length, 9u);   // modifiers, reserved, 6 keys + id
    EXPECT_EQ(keyboard.output_report_length, 2u);  // 5 LED bits + 3 padding + id
    EXPECT_EQ(keyboard.feature_report_length, 0u);
    EXPECT_EQ(keyboard.input_report_ids, std::vector<uint8_t>{1});

    const auto& consumer = info.collections[1];
    EXPECT_EQ(consumer.usage_page, 0x0C);
    EXPECT_EQ(consumer.usage, 0x01);
    EXPECT_EQ(consumer.input_report_length, 3u);
    EXPECT_EQ(consumer.output_report_length, 0u);
    EXPECT_EQ(consumer.input_report_ids, std::vector<uint8_t>{2});
}

TEST(ReportDescriptorTest, VendorCollectionTakesTheLargestReportOfEachKind) {
    const auto info = Parse(kVendor);
    EXPECT_EQ(info.error, ReportDescriptorError::kNone);
    ASSERT_EQ(info.collections.size(), 1u);
    const auto& vendor = info.collections[0];
    EXPECT_EQ(vendor.usage_page, 0xFF00);
    EXPECT_EQ(vendor.usage, 0x01);
    EXPECT_EQ(vendor.input_report_length, 33u);
    EXPECT_EQ(vendor.feature_report_length, 33u);
    EXPECT_EQ(vendor.input_report_ids, std::vector<uint8_t>{5});
}

TEST(ReportDescriptorTest, ReportBitsAddUpPerIdAndRoundUpToBytes) {
    const Bytes bytes = {
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,  // vendor collection
        0x85, 0x07, 0x75, 0x03, 0x95, 0x03,        // id 7: 3 x 3 bits
        0x81, 0x02,                                //
        0xA1, 0x02,                                // nested logical collection
        0x75, 0x01, 0x95, 0x01, 0x81, 0x02,        //   one more bit of id 7
        0xC0,                                      //
        0x85, 0x08, 0x75, 0x08, 0x95, 0x01,        // id 8: one byte
        0x81, 0x02,                                //
        0xC0,
    };
    const auto info = Parse(bytes);
    ASSERT_EQ(info.collections.size(), 1u);
    EXPECT_EQ(info.collections[0].input_report_length, 3u);  // 10 bits -> 2 bytes + id
    EXPECT_EQ(info.collections[0].input_report_ids, (std::vector<uint8_t>{7, 8}));
}

TEST(ReportDescriptorTest, PopRestoresReportIdSizeAndCount) {
    const Bytes bytes = {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  //
        0x85, 0x01, 0x75, 0x08, 0x95, 0x04,  // id 1, 8 bits x 4
        0xA4,                                // Push
        0x85, 0x02, 0x75, 0x10, 0x95, 0x08,  // id 2, 16 bits x 8
        0x81, 0x02,                          // id 2: 16 bytes
        0xB4,                                // Pop
        0x81, 0x02, 0x81, 0x02,              // id 1: 4 + 4 bytes
        0xC0,
    };
    const auto info = Parse(bytes);
    EXPECT_EQ(info.error, ReportDescriptorError::kNone);
    ASSERT_EQ(info.collections.size(), 1u);
    EXPECT_EQ(info.collections[0].input_report_length, 17u);
    EXPECT_EQ(info.collections[0].input_report_ids, (std::vector<uint8_t>{1, 2}));
}

TEST(ReportDescriptorTest, MainItemsOutsideCollectionsBelongToNone) {
    const Bytes bytes = {
        0x75, 0x08, 0x95, 0x40, 0x81, 0x02,  // 64 bytes before any collection
        0x09, 0x01, 0xA1, 0x01, 0x95, 0x02, 0xB1, 0x02, 0xC0,
    };
    const auto info = Parse(bytes);
    ASSERT_EQ(info.collections.size(), 1u);
    EXPECT_EQ(info.collections[0].input_report_length, 0u);
    EXPECT_EQ(info.collections[0].feature_report_length, 3u);
}

TEST(ReportDescriptorTest, HugeSizesSaturateInsteadOfWrapping) {
    const Bytes bytes = {
        0x09, 0x01, 0xA1, 0x01,        //
        0x77, 0xFF, 0xFF, 0xFF, 0xFF,  // Report Size (4 bytes)
        0x97, 0xFF, 0xFF, 0xFF, 0xFF,  // Report Count (4 bytes)
        0x81, 0x02, 0x81, 0x02,        //
        0xC0,
    };
    const auto info = Parse(bytes);
    ASSERT_EQ(info.collections.size(), 1u);
    EXPECT_EQ(info.collections[0].input_report_length, (uint32_t{1} << 29) + 1);
}

TEST(ReportDescriptorTest, MalformedDescriptorsKeepWhatWasClosedBeforeTheFault) {
    const Bytes closed = {0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0};
    auto after_closed = [&](Bytes tail) {
        Bytes bytes = closed;
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    };
    Bytes deep_push = after_closed({});
    deep_push.insert(deep_push.end(), 33, 0xA4);

    const struct {
        const char* name;
        Bytes bytes;
        ReportDescriptorError error;
        size_t collections;
    } cases[] = {
        {"empty", {}, ReportDescriptorError::kNone, 0},
        {"item data cut", after_closed({0x05}), ReportDescriptorError::kTruncated, 1},
        {"four-byte data cut", after_closed({0x27, 0xFF, 0xFF}), ReportDescriptorError::kTruncated,
         1},
        {"long item header cut", after_closed({0xFE, 0x04}), ReportDescriptorError::kTruncated, 1},
        {"long item data cut", after_closed({0xFE, 0x04, 0x00, 0x01, 0x02}),
         ReportDescriptorError::kTruncated, 1},
        {"end without collection", after_closed({0xC0}),
         ReportDescriptorError::kUnbalancedCollection, 1},
        {"collection left open", after_closed({0xA1, 0x01, 0x81, 0x02}),
         ReportDescriptorError::kUnbalancedCollection, 1},
        {"pop without push", after_closed({0xB4}), ReportDescriptorError::kStackUnderflow, 1},
        {"push too deep", deep_push, ReportDescriptorError::kStackOverflow, 1},
        {"report id 0", after_closed({0x85, 0x00}), ReportDescriptorError::kInvalidReportId, 1},
        {"report id 256", after_closed({0x86, 0x00, 0x01}), ReportDescriptorError::kInvalidReportId,
         1},
    };
    for (const auto& c : cases) {
        const auto info = Parse(c.bytes);
        EXPECT_EQ(info.error, c.error) << c.name;
        EXPECT_EQ(info.collections.size(), c.collections) << c.name;
    }
}

TEST(ReportDescriptorTest, EveryTruncationYieldsAPrefixOfTheCollections) {
    const auto full = Parse(kCompositeKeyboard).collections;
    // Only cuts at item boundaries outside both collections leave a whole
    // descriptor: before or after the Usage Page and Usage items in front of
    // the first, and around the four-byte Usage in front of the second.
    const size_t between = std::find(kCompositeKeyboard.begin(), kCompositeKeyboard.end(), 0xC0) -
                           kCompositeKeyboard.begin() + 1;
    const std::vector<size_t> whole = {0, 2, 4, between, between + 5};
    for (size_t length = 0; length < kCompositeKeyboard.size(); ++length) {
        // A copy of exactly `length` bytes, so a read past the end is caught
        // by the address sanitizer.
        const Bytes cut(kCompositeKeyboard.begin(), kCompositeKeyboard.begin() + length);
        const auto info = Parse(cut);
        const bool is_whole = std::find(whole.begin(), whole.end(), length) != whole.end();
        EXPECT_EQ(info.error == ReportDescriptorError::kNone, is_whole) << length;
        ASSERT_LE(info.collections.size(), full.size()) << length;
        for (size_t i = 0; i < info.collections.size(); ++i)
            EXPECT_EQ(info.collections[i], full[i]) << length;
    }
}

TEST(ReportDescriptorTest, RandomBytesNeverReadPastTheEnd) {
    std::mt19937 random(20240507);
    for (int round = 0; round < 5000; ++round) {
        Bytes bytes(random() % 64);
        for (auto& b : bytes)
            b = static_cast<uint8_t>(random());
        const auto info = Parse(bytes);
        for (const auto& collection : info.collections) {
            EXPECT_EQ(collection.input_report_length != 0, !collection.input_report_ids.empty());
        }
    }
}

}  // namespace
}  // namespace velmaro
