#include "device/hid/sim/virtual_mouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <functional>
#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "device/command_payloads.h"
#include "device/feature_report.h"
#include "device/hid/sim/request_rules.h"
#include "model/language_table.h"
#include "model/profile_record.h"
#include "model/sensor_tables.h"

#include "virtual_mouse_test_support.h"

namespace velmaro {
namespace {

using namespace sim_test;

// ---------------------------------------------------------------- listing

struct ListingCase {
    const char* name;
    bool cable;
    bool receiver;
    std::vector<std::string> paths;
};

void PrintTo(const ListingCase& c, std::ostream* os) {
    *os << c.name;
}

class VirtualMouseListing : public ::testing::TestWithParam<ListingCase> {};

TEST_P(VirtualMouseListing, ListsTheAttachedRolesAmongOtherDevices) {
    const ListingCase& c = GetParam();
    VirtualMouse mouse(Roles(c.cable, c.receiver));
    const auto infos = mouse.Enumerate();
    EXPECT_EQ(Paths(infos), c.paths);
    EXPECT_EQ(mouse.Enumerate(), infos) << "the order stays while nothing changes";

    for (SimRole role : kSimRoles) {
        const bool attached = role == SimRole::kCable ? c.cable : c.receiver;
        const auto command = FindRoleInterface(mouse, role, false);
        const auto input = FindRoleInterface(mouse, role, true);
        ASSERT_EQ(command.has_value(), attached);
        ASSERT_EQ(input.has_value(), attached);
        if (!attached)
            continue;
        const std::string prefix = "sim:" + std::string(SimRoleName(role)) + ":";
        EXPECT_EQ(command->path, prefix + "command");
        EXPECT_LT(command->input_report_length, 33u);
        EXPECT_EQ(input->path, prefix + "input");
        EXPECT_EQ(input->feature_report_length, 0u);
        // Other interfaces of the mouse share its ids but not its lengths.
        EXPECT_GT(std::count_if(infos.begin(), infos.end(),
                                [&](const HidInterfaceInfo& i) {
                                    return i.product_id == SimRoleProductId(role) &&
                                           i.vendor_id == kSimVendorId;
                                }),
                  2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    RoleSets, VirtualMouseListing,
    ::testing::Values(
        ListingCase{"cable",
                    true,
                    false,
                    {"sim:keyboard", "sim:cable:pointer", "sim:cable:input", "sim:cable:keys",
                     "sim:cable:command", "sim:pointer", "sim:lookalike"}},
        ListingCase{"receiver",
                    false,
                    true,
                    {"sim:keyboard", "sim:pointer", "sim:lookalike", "sim:receiver:pointer",
                     "sim:receiver:keys", "sim:receiver:command", "sim:receiver:input"}},
        ListingCase{"both",
                    true,
                    true,
                    {"sim:keyboard", "sim:cable:pointer", "sim:cable:input", "sim:cable:keys",
                     "sim:cable:command", "sim:pointer", "sim:lookalike", "sim:receiver:pointer",
                     "sim:receiver:keys", "sim:receiver:command", "sim:receiver:input"}},
        ListingCase{"none", false, false, {"sim:keyboard", "sim:pointer", "sim:lookalike"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VirtualMouseListingShared, SharedNodePathsTellCollectionsApart) {
    VirtualMouseConfig config;
    config.shared_node_paths = true;
    VirtualMouse mouse(config);
    const auto command = FindRoleInterface(mouse, SimRole::kCable, false);
    const auto input = FindRoleInterface(mouse, SimRole::kCable, true);
    ASSERT_TRUE(command && input);
    EXPECT_EQ(command->path, "sim:cable");
    EXPECT_EQ(input->path, "sim:cable");
    EXPECT_NE(command->InterfaceId(), input->InterfaceId());

    auto device = mouse.Open(*command).device;
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(Send(*device, Request(CMD_SET_DEBOUNCE, 1, 1, {9})).Ok());
    EXPECT_EQ(mouse.Settings().debounce_ms, 9);
    EXPECT_EQ(ViolationText(mouse), "") << "the report reached the command collection";
}

TEST(VirtualMouseOpen, RefusesWhatIsNotThereOrHeld) {
    VirtualMouse mouse;
    const auto infos = mouse.Enumerate();
    const auto keyboard = std::find_if(infos.begin(), infos.end(),
                                       [](const auto& i) { return i.path == "sim:keyboard"; });
    ASSERT_NE(keyboard, infos.end());
    EXPECT_EQ(mouse.Open(*keyboard).error.kind, HidErrorKind::kAccessDenied);

    HidInterfaceInfo receiver;
    receiver.path = "sim:receiver:command";
    EXPECT_EQ(mouse.Open(receiver).error.kind, HidErrorKind::kNotFound);

    const auto cable = FindRoleInterface(mouse, SimRole::kCable, false);
    ASSERT_TRUE(cable);
    mouse.Unplug(SimRole::kCable);
    EXPECT_EQ(mouse.Open(*cable).error.kind, HidErrorKind::kNotFound);
    mouse.Plug(SimRole::kCable);
    EXPECT_EQ(mouse.Open(*cable).error.kind, HidErrorKind::kNotFound)
        << "the description of an earlier attach";
    const auto again = FindRoleInterface(mouse, SimRole::kCable, false);
    ASSERT_TRUE(again);
    EXPECT_NE(again->instance, cable->instance);
    EXPECT_TRUE(mouse.Open(*again).error.Ok());
}

// ---------------------------------------------------------------- frame rules

struct FrameCase {
    const char* name;
    FeatureReport report;
    bool good;
};

void PrintTo(const FrameCase& c, std::ostream* os) {
    *os << c.name;
}

FeatureReport Changed(FeatureReport r, size_t at, uint8_t value) {
    r.Bytes[at] = value;
    return r;
}

FeatureReport FromPayload(const CommandPayload& p) {
    RequestBuilder builder;
    return BuildRequest(builder, p);
}

std::vector<FrameCase> FrameCases() {
    const ProfileRecord profile = DefaultProfile();
    const SensorTables tables = Tables();
    const FeatureReport dpi = FromPayload(ComposeDpiLevels(profile, tables));
    const FeatureReport debounce = Request(CMD_SET_DEBOUNCE, 1, 1, {4});
    const FeatureReport query = Request(CMD_QUERY_STATUS, 0, 0);
    const FeatureReport polling = Request(CMD_SET_POLLING_RATE, 1, 1, {2});
    const std::vector<uint8_t> colors(24, 0x11);
    const std::vector<uint8_t> mode2 = {2, 0x22, 2, 1, 2, 3, 4, 5, 6};
    std::vector<uint8_t> eight_entries(25, 0x33);
    eight_entries[0] = 3;  // slot

    return {
        {"query", query, true},
        {"button", Request(CMD_SET_BUTTON, 1, 4, {5, 0x10, 0x01, 0x00}), true},
        {"dpi levels", dpi, true},
        {"dpi colours", Request(CMD_SET_DPI_COLORS, 1, 24, colors), true},
        {"polling", polling, true},
        {"lighting mode 0", Request(CMD_SET_LIGHTING, 1, 2, {0, 0x22}), true},
        {"lighting mode 1", Request(CMD_SET_LIGHTING, 1, 3, {1, 0x22, 1}), true},
        {"lighting mode 2, two colours", Request(CMD_SET_LIGHTING, 1, 9, mode2), true},
        {"lighting mode 2, default colours", FromPayload(ComposeLighting(profile)), true},
        {"lighting mode 6", Request(CMD_SET_LIGHTING, 1, 23, {6, 0x22}), true},
        {"lighting mode 12", Request(CMD_SET_LIGHTING, 1, 0, {12, 0x22}), true},
        {"lift-off", Request(CMD_SET_LIFT_OFF, 1, 2, {2, 0}), true},
        {"debounce", debounce, true},
        {"power saving", Request(CMD_SET_POWER_SAVING, 1, 2, {3, 1}), true},
        {"motion wake-up", Request(CMD_SET_MOTION_WAKEUP, 1, 1, {1}), true},
        {"factory reset", Request(CMD_FACTORY_RESET, 1, 1, {0xFF}), true},
        {"empty macro", Request(CMD_SET_MACRO_DATA, 0x01, 1, {3}), true},
        {"macro of eight entries", Request(CMD_SET_MACRO_DATA, 0x01, 25, eight_entries), true},

        {"report id 11", Changed(debounce, 0, 0x0B), false},
        {"byte 1 is 0", Changed(debounce, 1, 0x00), false},
        {"status byte set", Changed(debounce, 3, 0x01), false},
        {"unknown command", Request(0x11, 1, 1, {1}), false},
        {"write flag missing", Changed(polling, 5, 0x00), false},
        {"polling length 2", Changed(polling, 6, 2), false},
        {"byte after payload", Changed(debounce, 8, 0x01), false},
        {"last byte set", Changed(query, 32, 0x01), false},
        {"query byte 5", Changed(query, 5, 0x01), false},
        {"query length", Changed(query, 6, 1), false},
        {"button index 6", Request(CMD_SET_BUTTON, 1, 4, {6, 0x10, 0x01, 0x00}), false},
        {"dpi count wrong", Changed(dpi, 7, static_cast<uint8_t>(dpi.Bytes[7] ^ 0x01)), false},
        {"dpi trailing byte", Changed(dpi, 7 + 17, 0x01), false},
        {"polling interval 3", Changed(polling, 7, 3), false},
        {"lift-off code 3", Request(CMD_SET_LIFT_OFF, 1, 2, {3, 0}), false},
        {"reset byte", Request(CMD_FACTORY_RESET, 1, 1, {0xFE}), false},
        {"lighting mode 2 length", Request(CMD_SET_LIGHTING, 1, 12, mode2), false},
        {"lighting mode 2 eight colours", Request(CMD_SET_LIGHTING, 1, 27, {2, 0x22, 8}), false},
        {"lighting mode 12 length 2", Request(CMD_SET_LIGHTING, 1, 2, {12, 0x22}), false},
        {"lighting mode 12 extra byte", Request(CMD_SET_LIGHTING, 1, 0, {12, 0x22, 1}), false},
        {"lighting mode 3 length 2", Request(CMD_SET_LIGHTING, 1, 2, {3, 0x22}), false},
        {"macro count 0", Request(CMD_SET_MACRO_DATA, 0x00, 1, {3}), false},
        {"macro index = count", Request(CMD_SET_MACRO_DATA, 0x11, 1, {3}), false},
        {"macro first chunk short", Request(CMD_SET_MACRO_DATA, 0x02, 20, {3}), false},
        {"macro last chunk length 0", Request(CMD_SET_MACRO_DATA, 0x01, 0, {}), false},
        {"macro slot 16", Request(CMD_SET_MACRO_DATA, 0x01, 1, {16}), false},
        {"macro byte after data", Request(CMD_SET_MACRO_DATA, 0x01, 1, {3, 7}), false},
    };
}

class VirtualMouseFrame : public ::testing::TestWithParam<FrameCase> {};

TEST_P(VirtualMouseFrame, RecordsABrokenRuleAndIgnoresTheReport) {
    const FrameCase& c = GetParam();
    EXPECT_EQ(CheckRequestFrame(c.report.Bytes).has_value(), !c.good)
        << CheckRequestFrame(c.report.Bytes).value_or("");

    VirtualMouse mouse;
    // Something the reset would undo, so an accepted bad reset would show.
    auto device = OpenRole(mouse, SimRole::kCable, false);
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(Send(*device, Request(CMD_SET_MOTION_WAKEUP, 1, 1, {7})).Ok());
    const MouseSettings before = mouse.Settings();

    EXPECT_TRUE(Send(*device, c.report).Ok()) << "the mouse takes the transfer either way";
    EXPECT_EQ(mouse.Violations().size(), c.good ? 0u : 1u) << ViolationText(mouse);
    if (!c.good) {
        EXPECT_EQ(mouse.Settings(), before);
    }
    EXPECT_EQ(mouse.Log().size(), 2u) << "logged as it crossed";
}

INSTANTIATE_TEST_SUITE_P(Table, VirtualMouseFrame, ::testing::ValuesIn(FrameCases()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             }
                             return name;
                         });

TEST(VirtualMouseFrameLength, WrongLengthsAndWrongInterfacesAreRefused) {
    VirtualMouse mouse;
    auto command = OpenRole(mouse, SimRole::kCable, false);
    auto input = OpenRole(mouse, SimRole::kCable, true);
    ASSERT_TRUE(command && input);
    const FeatureReport debounce = Request(CMD_SET_DEBOUNCE, 1, 1, {4});

    EXPECT_EQ(command->SetFeature(std::span(debounce.Bytes).first(32)).kind,
              HidErrorKind::kBadArgument);
    std::array<uint8_t, 34> longer{};
    longer[0] = kFeatureReportId;
    EXPECT_EQ(command->GetFeature(longer).kind, HidErrorKind::kBadArgument);
    EXPECT_EQ(input->SetFeature(debounce.Bytes).kind, HidErrorKind::kIo)
        << "the input interface has no feature reports";
    EXPECT_EQ(mouse.Violations().size(), 3u);
    EXPECT_TRUE(mouse.Log().empty()) << "nothing crossed";
    EXPECT_EQ(mouse.Settings(), FactorySettings(0x25));
}

TEST(VirtualMouseFrameLength, ReportsToTheLookalikeAreViolations) {
    VirtualMouse mouse;
    const auto infos = mouse.Enumerate();
    const auto lookalike = std::find_if(infos.begin(), infos.end(),
                                        [](const auto& i) { return i.path == "sim:lookalike"; });
    ASSERT_NE(lookalike, infos.end());
    auto device = mouse.Open(*lookalike).device;
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(Send(*device, Request(CMD_SET_DEBOUNCE, 1, 1, {4})).Ok());
    EXPECT_EQ(mouse.Violations().size(), 1u);
    EXPECT_EQ(mouse.Settings().debounce_ms, FactorySettings(0x25).debounce_ms);
}

// ---------------------------------------------------------------- settings

class VirtualMouseSettings : public ::testing::Test {
  protected:
    void SetUp() override {
        command_ = OpenRole(mouse_, SimRole::kCable, false);
        ASSERT_NE(command_, nullptr);
    }
    void TearDown() override { EXPECT_EQ(ViolationText(mouse_), ""); }

    void SendPayload(const CommandPayload& payload) {
        ASSERT_TRUE(Send(*command_, BuildRequest(builder_, payload)).Ok());
    }
    void Upload(uint8_t slot, const std::vector<uint8_t>& data) {
        const auto chunks = ComposeMacroChunks(slot, data);
        ASSERT_TRUE(chunks.has_value());
        for (const auto& chunk : *chunks)
            SendPayload(chunk);
    }

    VirtualMouse mouse_{Roles(true, true)};
    std::unique_ptr<HidDevice> command_;
    RequestBuilder builder_;
};

ProfileRecord ChangedProfile() {
    ProfileRecord p = DefaultProfile();
    p.Keys[3].Value = {0x70, 0x02, 0x04};
    p.Keys[4].Value = {0x80, 0xE9, 0x00};
    p.DPIOffOnFlagValue = 0x0B;
    p.CurrentDPILevelValue = 3;
    p.XYSettingValue[1] = 40;
    p.DPILevelIndication[7] = 0x00123456;
    p.PollingRateValue = {0, 0, 0};
    p.Lighting1ModeValue = {7, 0, 0};
    p.Setting(kLiftDetectionHeight) = u"1";
    p.Setting(kKeyDebounce) = u"12";
    p.Setting(kPowerDownTime) = u"5";
    p.Setting(kMoveLightingOnOffMode) = u"1";
    p.Setting(kMotionWakeup) = u"1";
    return p;
}

TEST_F(VirtualMouseSettings, KeepsEveryWriteItWasSent) {
    const auto payloads = SettingPayloads(ChangedProfile(), Tables());
    const auto defaults = SettingPayloads(DefaultProfile(), Tables());
    for (size_t i = 0; i < payloads.size(); ++i) {
        if (!(payloads[i] == defaults[i])) {
            EXPECT_FALSE(mouse_.Settings().Holds(payloads[i])) << "payload " << i;
        }
    }
    for (const auto& p : payloads)
        SendPayload(p);
    const MouseSettings s = mouse_.Settings();
    for (const auto& p : payloads)
        EXPECT_TRUE(s.Holds(p)) << "command " << int(p.Command);

    // Device index 3 carries profile button 4 and index 4 button 3.
    EXPECT_EQ(s.buttons[3], (std::array<uint8_t, 3>{0x80, 0xE9, 0x00}));
    EXPECT_EQ(s.buttons[4], (std::array<uint8_t, 3>{0x70, 0x02, 0x04}));
    EXPECT_EQ(s.dpi_levels[0], 0x43);
    EXPECT_EQ(s.dpi_colors[21], 0x56);
    EXPECT_EQ(s.polling_interval_ms, 8);
    EXPECT_EQ(s.lighting.size(), 8u);
    EXPECT_EQ(s.lift_off, 1);
    EXPECT_EQ(s.debounce_ms, 12);
    EXPECT_EQ(s.sleep_time, 5);
    EXPECT_EQ(s.move_lighting, 1);
    EXPECT_EQ(s.motion_wakeup, 1);
}

TEST_F(VirtualMouseSettings, ReceiverReachesTheSameMouse) {
    auto receiver = OpenRole(mouse_, SimRole::kReceiver, false);
    ASSERT_NE(receiver, nullptr);
    ASSERT_TRUE(Send(*receiver, Request(CMD_SET_POLLING_RATE, 1, 1, {4})).Ok());
    EXPECT_EQ(mouse_.Settings().polling_interval_ms, 4);
}

TEST_F(VirtualMouseSettings, LightingModesOfTenAndUpKeepModeAndBrightness) {
    SendPayload(CommandPayload{CMD_SET_LIGHTING, kWriteFlag, 0, {12, 0x34}});
    EXPECT_EQ(mouse_.Settings().lighting, (std::vector<uint8_t>{12, 0x34}));
}

TEST_F(VirtualMouseSettings, ReassemblesMacroDataFromItsChunks) {
    std::vector<uint8_t> ten_actions(30);
    std::iota(ten_actions.begin(), ten_actions.end(), uint8_t{1});
    std::vector<uint8_t> fifty_entries(150, 0xA5);
    Upload(1, ten_actions);
    Upload(15, fifty_entries);
    Upload(2, {});

    const MouseSettings s = mouse_.Settings();
    EXPECT_EQ(s.macros[1], ten_actions);
    EXPECT_EQ(s.macros[15], fifty_entries);
    EXPECT_EQ(s.macros[2], std::vector<uint8_t>{});
    EXPECT_FALSE(s.macros[0].has_value());

    Upload(1, {1, 2, 3});
    EXPECT_EQ(mouse_.Settings().macros[1], (std::vector<uint8_t>{1, 2, 3})) << "replaced whole";
}

TEST(VirtualMouseMacroOrder, BrokenUploadsAreRecordedAndNotKept) {
    VirtualMouse mouse;
    auto device = OpenRole(mouse, SimRole::kCable, false);
    ASSERT_NE(device, nullptr);
    std::vector<uint8_t> data(60, 0x44);
    const auto chunks = *ComposeMacroChunks(4, data);  // three chunks
    RequestBuilder builder;
    auto send = [&](const CommandPayload& p) {
        ASSERT_TRUE(Send(*device, BuildRequest(builder, p)).Ok());
    };

    send(chunks[1]);  // without its first chunk
    EXPECT_EQ(mouse.Violations().size(), 1u);
    send(chunks[0]);
    send(chunks[0]);  // the first upload is abandoned
    EXPECT_EQ(mouse.Violations().size(), 2u);
    send(chunks[2]);  // skips chunk 1
    EXPECT_EQ(mouse.Violations().size(), 3u);
    EXPECT_FALSE(mouse.Settings().macros[4].has_value());

    for (const auto& c : chunks)
        send(c);
    EXPECT_EQ(mouse.Settings().macros[4], data);
    EXPECT_EQ(mouse.Violations().size(), 3u);

    // Data that are not whole 3-byte entries are kept but recorded.
    send(CommandPayload{CMD_SET_MACRO_DATA, 0x01, 3, {5, 1, 2}});
    EXPECT_EQ(mouse.Violations().size(), 4u);
    EXPECT_EQ(mouse.Settings().macros[5], (std::vector<uint8_t>{1, 2}));
}

TEST_F(VirtualMouseSettings, FactoryResetRestoresTheDefaults) {
    const MouseSettings factory = mouse_.Settings();
    EXPECT_EQ(factory, FactorySettings(0x25));
    for (const auto& p : SettingPayloads(DefaultProfile(), Tables()))
        EXPECT_TRUE(factory.Holds(p))
            << "factory state is the default profile, command " << int(p.Command);

    for (const auto& p : SettingPayloads(ChangedProfile(), Tables()))
        SendPayload(p);
    Upload(3, {1, 2, 3});
    // An upload left unfinished must not complete after the reset.
    SendPayload((*ComposeMacroChunks(6, std::vector<uint8_t>(30, 1)))[0]);
    ASSERT_NE(mouse_.Settings(), factory);

    SendPayload(ComposeFactoryReset());
    EXPECT_EQ(mouse_.Settings(), factory);
    SendPayload((*ComposeMacroChunks(6, std::vector<uint8_t>(30, 1)))[1]);
    EXPECT_EQ(mouse_.Violations().size(), 1u) << "chunk 1 without chunk 0";
    EXPECT_FALSE(mouse_.Settings().macros[6].has_value());
    mouse_.ClearViolations();
}

TEST(VirtualMouseFactory, DpiCodesFollowTheSensor) {
    const uint16_t other = *SensorIdFromCode(0x11);
    const MouseSettings s = FactorySettings(0x11);
    EXPECT_TRUE(s.Holds(ComposeDpiLevels(DefaultProfile(other), Tables(other))));
    EXPECT_NE(s.dpi_levels, FactorySettings(0x25).dpi_levels);

    VirtualMouseConfig config;
    config.status.sensor_code = 0x11;
    VirtualMouse mouse(config);
    EXPECT_EQ(mouse.Settings(), s);
}

// ---------------------------------------------------------------- status

class VirtualMouseStatus : public ::testing::Test {
  protected:
    void SetUp() override {
        command_ = OpenRole(mouse_, SimRole::kCable, false);
        ASSERT_NE(command_, nullptr);
    }

    FeatureReport Read() {
        FeatureReport answer = StatusAnswerBuffer();
        EXPECT_TRUE(command_->GetFeature(answer.Bytes).Ok());
        return answer;
    }

    // The program's exchange: at most two attempts, the second only after an
    // empty answer. Returns the answer handed to the parser, if any.
    std::optional<FeatureReport> Query(int* attempts) {
        *attempts = 0;
        for (int i = 0; i < 2; ++i) {
            ++*attempts;
            if (!Send(*command_, builder_.BuildStatusQuery()).Ok())
                return std::nullopt;
            const FeatureReport answer = Read();
            if (AnswerHasPayload(answer))
                return answer;
        }
        return std::nullopt;
    }

    VirtualMouse mouse_;
    std::unique_ptr<HidDevice> command_;
    RequestBuilder builder_;
};

TEST_F(VirtualMouseStatus, AnswersTheQueryOnce) {
    mouse_.SetStatus(StatusWith(0x11, 80, 1));
    for (int i = 0; i < 6; ++i)
        builder_.BuildStatusQuery();  // sequence 7 next
    ASSERT_TRUE(Send(*command_, builder_.BuildStatusQuery()).Ok());

    FeatureReport expected;
    expected.Bytes[0] = 0x0C;
    expected.Bytes[1] = 0x01;
    expected.Bytes[2] = 0x20;
    expected.Bytes[4] = 7;
    expected.Bytes[6] = kSimStatusPayloadLength;
    expected.Bytes[15] = 0x11;
    expected.Bytes[18] = 80;
    expected.Bytes[19] = 1;
    const FeatureReport answer = Read();
    EXPECT_EQ(answer, expected);
    EXPECT_TRUE(IsAcceptedStatusAnswer(answer));

    const FeatureReport again = Read();
    EXPECT_EQ(again.Bytes[6], 0) << "nothing asked, nothing answered";
    EXPECT_EQ(ViolationText(mouse_), "");
}

TEST_F(VirtualMouseStatus, AnswerStaysWithTheRoleThatAsked) {
    mouse_.Plug(SimRole::kReceiver);
    auto receiver = OpenRole(mouse_, SimRole::kReceiver, false);
    ASSERT_NE(receiver, nullptr);
    ASSERT_TRUE(Send(*command_, builder_.BuildStatusQuery()).Ok());
    FeatureReport other = StatusAnswerBuffer();
    ASSERT_TRUE(receiver->GetFeature(other.Bytes).Ok());
    EXPECT_EQ(other.Bytes[6], 0);
    EXPECT_NE(Read().Bytes[6], 0);
}

TEST_F(VirtualMouseStatus, EmptyAnswersExerciseTheRetry) {
    int attempts = 0;
    mouse_.AnswerEmpty(1);
    auto answer = Query(&attempts);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(answer->Bytes[4], 2) << "the second attempt's sequence number";
    EXPECT_EQ(answer->Bytes[18], 57);

    mouse_.AnswerEmpty(2);
    EXPECT_FALSE(Query(&attempts).has_value());
    EXPECT_EQ(attempts, 2);

    answer = Query(&attempts);
    EXPECT_TRUE(answer.has_value());
    EXPECT_EQ(attempts, 1);
}

TEST_F(VirtualMouseStatus, WrongEchoOrStatusCanBeAnswered) {
    SimStatus refusing;
    refusing.status_byte = 0x01;
    mouse_.SetStatus(refusing);
    ASSERT_TRUE(Send(*command_, builder_.BuildStatusQuery()).Ok());
    const FeatureReport answer = Read();
    EXPECT_TRUE(AnswerHasPayload(answer));
    EXPECT_FALSE(IsAcceptedStatusAnswer(answer));
}

// ---------------------------------------------------------------- trace

TEST(VirtualMouseTrace, LinesNameDirectionRoleAndBytes) {
    VirtualMouse mouse(Roles(false, true));
    std::vector<std::string> lines;
    mouse.SetLogCallback([&](const SeamLogEntry& e) { lines.push_back(FormatSeamLogLine(e)); });
    auto command = OpenRole(mouse, SimRole::kReceiver, false);
    auto input = OpenRole(mouse, SimRole::kReceiver, true);
    ASSERT_TRUE(command && input);

    RequestBuilder builder;
    ASSERT_TRUE(Send(*command, builder.BuildStatusQuery()).Ok());
    FeatureReport answer = StatusAnswerBuffer();
    ASSERT_TRUE(command->GetFeature(answer.Bytes).Ok());
    ASSERT_EQ(mouse.InjectDpiEvent(SimRole::kReceiver, 8, 0), 1u);
    std::array<uint8_t, 33> buffer{};
    ASSERT_TRUE(input->ReadInput(buffer).error.Ok());

    const std::vector<std::string> expected = {
        "SET receiver 0C0120000100" + std::string(2 * 27, '0'),
        "GET receiver 0C012000010010" + std::string(16, '0') + "25" + "0000" + "39" + "00" +
            std::string(2 * 13, '0'),
        "IN receiver 0506000801" + std::string(2 * 28, '0'),
    };
    EXPECT_EQ(lines, expected);
    for (const auto& line : lines)
        EXPECT_EQ(line.size() - line.rfind(' ') - 1, 66u);
    std::vector<std::string> from_log;
    for (const auto& e : mouse.Log())
        from_log.push_back(FormatSeamLogLine(e));
    EXPECT_EQ(from_log, expected);

    mouse.ClearLog();
    EXPECT_TRUE(mouse.Log().empty());
    EXPECT_EQ(FormatSeamLogLine({SeamDirection::kSet, SimRole::kCable, {0x0C, 0xAB}}),
              "SET cable 0CAB");
}

TEST(VirtualMouseOpen, WithoutAccessListsTheMouseButRefusesEveryInterfaceOfIt) {
    const SimulateOptionsResult parsed = ParseSimulateOptions("both,no-access");
    ASSERT_TRUE(parsed.Ok()) << parsed.error;
    VirtualMouse mouse(parsed.config);
    int mouse_interfaces = 0;
    for (const HidInterfaceInfo& info : mouse.Enumerate()) {
        const bool ours =
            info.path.starts_with("sim:cable") || info.path.starts_with("sim:receiver");
        const HidOpenResult opened = mouse.Open(info);
        if (ours) {
            ++mouse_interfaces;
            EXPECT_EQ(opened.error.kind, HidErrorKind::kAccessDenied) << info.path;
        } else if (info.path != "sim:keyboard") {
            EXPECT_TRUE(opened.device) << info.path << " belongs to another maker";
        }
    }
    EXPECT_GT(mouse_interfaces, 0);
}

// ---------------------------------------------------------------- options

struct OptionsCase {
    const char* text;
    bool ok;
    bool cable = true;
    bool receiver = false;
    uint8_t sensor = 0x25;
    uint8_t battery = 57;
    uint8_t charge = 0;
    const char* error_names = "";  // the error must quote this part
};

void PrintTo(const OptionsCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class VirtualMouseOptions : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(VirtualMouseOptions, ParsesOrNamesTheBadPart) {
    const OptionsCase& c = GetParam();
    const SimulateOptionsResult r = ParseSimulateOptions(c.text);
    ASSERT_EQ(r.Ok(), c.ok) << r.error;
    if (!c.ok) {
        EXPECT_NE(r.error.find(std::string("\"") + c.error_names + "\""), std::string::npos)
            << r.error;
        return;
    }
    EXPECT_EQ(r.config.cable, c.cable);
    EXPECT_EQ(r.config.receiver, c.receiver);
    EXPECT_EQ(r.config.status.sensor_code, c.sensor);
    EXPECT_EQ(r.config.status.battery, c.battery);
    EXPECT_EQ(r.config.status.charge, c.charge);
}

INSTANTIATE_TEST_SUITE_P(
    Table, VirtualMouseOptions,
    ::testing::Values(OptionsCase{"", true}, OptionsCase{"cable", true},
                      OptionsCase{"receiver", true, false, true},
                      OptionsCase{"both", true, true, true},
                      OptionsCase{"receiver,cable", true, true, true},
                      OptionsCase{"receiver,sensor=0x11,battery=100,charge=2", true, false, true,
                                  0x11, 100, 2},
                      OptionsCase{"sensor=0XfF,battery=0", true, true, false, 0xFF, 0},
                      OptionsCase{"battery=255", true, true, false, 0x25, 255},
                      OptionsCase{"usb", false, true, false, 0x25, 57, 0, "usb"},
                      OptionsCase{"cable,Both", false, true, false, 0x25, 57, 0, "Both"},
                      OptionsCase{"sensor=25", false, true, false, 0x25, 57, 0, "sensor=25"},
                      OptionsCase{"sensor=0x", false, true, false, 0x25, 57, 0, "sensor=0x"},
                      OptionsCase{"sensor=0x100", false, true, false, 0x25, 57, 0, "sensor=0x100"},
                      OptionsCase{"battery=256", false, true, false, 0x25, 57, 0, "battery=256"},
                      OptionsCase{"battery=-1", false, true, false, 0x25, 57, 0, "battery=-1"},
                      OptionsCase{"battery=5x", false, true, false, 0x25, 57, 0, "battery=5x"},
                      OptionsCase{"charge=", false, true, false, 0x25, 57, 0, "charge="},
                      OptionsCase{"cable,,both", false, true, false, 0x25, 57, 0, "cable,,both"},
                      OptionsCase{"both,", false, true, false, 0x25, 57, 0, "both,"}));

}  // namespace
}  // namespace velmaro
