#include "storage/profile_file.h"

#include <algorithm>

#include "model/text.h"
#include "model/text_entries.h"
#include "storage/english_texts.h"
#include "storage/settings_file.h"
#include "storage/stdio_file_ex.h"

namespace velmaro {

namespace {

constexpr char16_t kHeader[] = u"[Setting]";
constexpr size_t kAllActionDigits = kMacroActionSlots * 8;  // 2688
constexpr int kProfileFileLines = 93;

bool ValidSlot(int slot) {
    return slot >= 0 && slot < kProfileSlots;
}

// ---- writing ----

class ProfileWriter {
  public:
    std::u16string text;

    // A line feed inside a text would split its line and fail the whole file
    // on the next read; it is written as a space.
    void Text(std::u16string_view value) {
        for (const char16_t c : value)
            text += c == u'\n' ? u' ' : c;
    }
    // As FormatHexUpper(byte, 2), without a string for each byte: a start
    // writes every profile out once to compare it with its file.
    void Hex2(uint32_t byte) {
        static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
        text += kDigits[(byte >> 4) & 0xF];
        text += kDigits[byte & 0xF];
    }
    // Red, green, blue: the colour's low byte first.
    void Color(uint32_t color) {
        Hex2(color);
        Hex2(color >> 8);
        Hex2(color >> 16);
    }
    void Bytes3(const std::array<uint8_t, 3>& bytes) {
        for (const uint8_t b : bytes)
            Hex2(b);
    }
    template <size_t N>
    void ByteList(const std::array<uint8_t, N>& bytes) {
        for (size_t i = 0; i < N; ++i) {
            if (i != 0)
                text += u'|';
            Hex2(bytes[i]);
        }
    }
    void Decimal(int64_t value) { text += FormatDecimal(value); }
    void EndLine() { text += u'\n'; }
    void Line(std::u16string_view start) { text += start; }
};

std::u16string FormatProfile(const ProfileRecord& r) {
    ProfileWriter w;
    w.text.reserve(4096);
    w.Line(kHeader);
    w.EndLine();
    for (const SettingPair& pair : r.SettingPairs) {
        w.Text(pair.Name);
        w.Line(u"=");
        w.Text(pair.Value);
        w.EndLine();
    }
    w.Line(u"DPIOffOnFlagValue=");
    w.Hex2(r.DPIOffOnFlagValue);
    w.EndLine();
    for (int i = 0; i < kDpiLevels; ++i) {
        w.Line(u"\tXYSetting");
        w.Decimal(i + 1);
        w.Line(u"Value=");
        w.text += FormatHexUpper(r.XYSettingValue[i], 4);
        w.EndLine();
    }
    w.Line(u"\tCurrentDPILevelValue=");
    w.Hex2(r.CurrentDPILevelValue);
    w.EndLine();
    for (int i = 0; i < kDpiLevels; ++i) {
        // Numbered from 0 here, and "Valuer", as the files have always had it.
        w.Line(u"\tDPILevelIndication");
        w.Decimal(i);
        w.Line(u"Valuer=");
        w.Color(r.DPILevelIndication[i]);
        w.EndLine();
    }
    w.Line(u"\tAngleSnapValue=");
    w.Hex2(r.AngleSnapValue);
    w.EndLine();
    w.Line(u"\tLiftDetectionValue=");
    w.Hex2(r.LiftDetectionValue);
    w.EndLine();

    w.Line(u"PollingRateName=");
    w.Text(r.PollingRateName);
    w.EndLine();
    w.Line(u"\tPollingRateValue=");
    w.Bytes3(r.PollingRateValue);
    w.EndLine();

    w.Line(u"Lighting1Name=");
    w.Text(r.Lighting1Name);
    w.EndLine();
    w.Line(u"\tLighting1ModeValue=");
    w.Bytes3(r.Lighting1ModeValue);
    w.EndLine();
    w.Line(u"\tLighting1OffOn=");
    w.Hex2(r.Lighting1OffOn);
    w.EndLine();
    w.Line(u"\tLighting1Speed=");
    w.ByteList(r.Lighting1Speed);
    w.EndLine();
    w.Line(u"\tLighting1Brightness=");
    w.ByteList(r.Lighting1Brightness);
    w.EndLine();
    w.Line(u"\tLighting1ColorSelected=");
    for (const auto& mode : r.Lighting1ColorSelected) {
        w.ByteList(mode);
        w.Line(u";");
    }
    w.EndLine();
    w.Line(u"\tLighting1FixedColor=");
    for (const auto& mode : r.Lighting1FixedColor) {
        for (int c = 0; c < kLightingColors; ++c) {
            if (c != 0)
                w.Line(u"|");
            w.Color(mode[c]);
        }
        w.Line(u";");
    }
    w.EndLine();
    w.Line(u"\tLighting1Direction=");
    w.ByteList(r.Lighting1Direction);
    w.EndLine();

    w.Line(u"Lighting2Name=");
    w.Text(r.Lighting2Name);
    w.EndLine();
    w.Line(u"\tLighting2ModeValue=");
    w.Bytes3(r.Lighting2ModeValue);
    w.EndLine();
    w.Line(u"\tLighting2OffOn=");
    w.Hex2(r.Lighting2OffOn);
    w.EndLine();
    w.Line(u"\tLighting2Speed=");
    w.Hex2(r.Lighting2Speed);
    w.EndLine();
    w.Line(u"\tLighting2Brightness=");
    w.Hex2(r.Lighting2Brightness);
    w.EndLine();
    w.Line(u"\tLighting2FixedColor=");
    w.Color(r.Lighting2FixedColor);
    w.EndLine();

    for (int n = 0; n < kButtonCount; ++n) {
        const KeyRecord& key = r.Keys[n];
        w.Line(u"Key");
        w.Decimal(n);
        w.Line(u"Name=");
        w.Text(key.KeyName);
        w.EndLine();
        w.Line(u"\tKey");
        w.Decimal(n);
        w.Line(u"Value=");
        w.Bytes3(key.Value);
        w.EndLine();
        w.Line(u"\tMacroKeyIndex=");
        w.Decimal(key.MacroKeyIndex);
        w.EndLine();
        w.Line(u"\tMacroKey");
        w.Decimal(n);
        w.Line(u"Name=");
        w.Text(key.Macro.MacroName);
        w.EndLine();
        w.Line(u"\t\tMacroActionNum=");
        w.Decimal(key.Macro.MacroActionNum);
        w.EndLine();
        // All 336 slots, used or not.
        w.Line(u"\t\tAllAction=");
        for (const MacroAction& action : key.Macro.AllAction) {
            for (const uint8_t b : action.Bytes)
                w.Hex2(b);
        }
        w.EndLine();
    }
    return std::move(w.text);
}

// ---- reading ----

// "%u" values: decimal digits after optional white space, the whole 32-bit
// range; a negative number reads as 0.
uint32_t ParseUnsignedDecimal(std::u16string_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == u' ' || (t[i] >= u'\t' && t[i] <= u'\r')))
        ++i;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        if (t[i] == u'-')
            return 0;
        ++i;
    }
    uint64_t value = 0;
    for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i)
        value = std::min<uint64_t>(value * 10 + (t[i] - u'0'), 0xFFFFFFFFu);
    return static_cast<uint32_t>(value);
}

// One line at a time, with the position of its first "=". Values are cut out
// at fixed places after the "="; what stands between them is not examined.
class ProfileLines {
  public:
    explicit ProfileLines(CStdioFileEx& file) : file_(file) {}

    bool Header() {
        number_ = 1;
        if (file_.ReadString(line_) && line_ == kHeader)
            return true;
        problem_ = Reason::Of(text::kProfileNoHeader);
        return false;
    }

    // The next line, which must hold "=" at a position of at least `min_eq`
    // with at least `min_after` characters after it.
    bool Next(size_t min_eq, size_t min_after = 0) {
        if (!file_.ReadString(line_)) {
            problem_ = Reason::Of(text::kProfileEndsEarly,
                                  {Reason::Number(number_), Reason::Number(kProfileFileLines)});
            return false;
        }
        ++number_;
        eq_ = line_.find(u'=');
        if (eq_ == std::u16string::npos) {
            problem_ = Reason::Of(text::kProfileLineNoEquals, {Reason::Number(number_)});
            return false;
        }
        if (eq_ < min_eq || line_.size() - eq_ - 1 < min_after) {
            problem_ =
                Reason::Of(eq_ < min_eq ? text::kProfileLineNoName : text::kProfileLineNoValue,
                           {Reason::Number(number_)});
            return false;
        }
        return true;
    }
    // Fails the read at the current line: `entry` words it with the line
    // number first and `values` after.
    bool Fail(uint16_t entry, std::vector<Reason> values = {}) {
        values.insert(values.begin(), Reason::Number(number_));
        problem_ = Reason::Of(entry, std::move(values));
        return false;
    }
    const Reason& Problem() const { return problem_; }

    std::u16string Name() const { return line_.substr(0, eq_); }
    std::u16string Rest() const { return line_.substr(eq_ + 1); }
    size_t RestLength() const { return line_.size() - eq_ - 1; }

    uint32_t Piece(size_t offset, size_t width) const {
        return ParseHexPiece(line_, eq_ + 1 + offset, width);
    }
    uint8_t Byte(size_t offset = 0) const { return static_cast<uint8_t>(Piece(offset, 2)); }
    uint16_t Word() const { return static_cast<uint16_t>(Piece(0, 4)); }
    // Red, green, blue at offset, offset + 2, offset + 4.
    uint32_t Color(size_t offset = 0) const {
        return uint32_t{Byte(offset)} | uint32_t{Byte(offset + 2)} << 8 |
               uint32_t{Byte(offset + 4)} << 16;
    }
    std::array<uint8_t, 3> Bytes3() const { return {Byte(0), Byte(2), Byte(4)}; }
    template <size_t N>
    void ByteList(std::array<uint8_t, N>& out, size_t first = 0) const {
        for (size_t i = 0; i < N; ++i)
            out[i] = Byte(3 * (first + i));
    }
    uint32_t Decimal() const {
        return ParseUnsignedDecimal(std::u16string_view(line_).substr(eq_ + 1));
    }

  private:
    CStdioFileEx& file_;
    std::u16string line_;
    size_t eq_ = 0;
    int number_ = 0;
    Reason problem_;
};

// Reads every line into the record; false at the first missing or malformed
// line, with the lines before it already stored.
bool ReadProfileLines(ProfileLines& in, ProfileRecord& r) {
    if (!in.Header())
        return false;
    // Names are data: whatever stands before "=" is stored and written back.
    for (SettingPair& pair : r.SettingPairs) {
        if (!in.Next(1))
            return false;
        pair = {in.Name(), in.Rest()};
    }
    if (!in.Next(1))
        return false;
    r.DPIOffOnFlagValue = in.Byte();
    for (uint16_t& step : r.XYSettingValue) {
        if (!in.Next(1))
            return false;
        step = in.Word();
    }
    if (!in.Next(1))
        return false;
    r.CurrentDPILevelValue = in.Byte();
    for (uint32_t& color : r.DPILevelIndication) {
        if (!in.Next(1))
            return false;
        color = in.Color();
    }
    if (!in.Next(1))
        return false;
    r.AngleSnapValue = in.Byte();
    if (!in.Next(1))
        return false;
    r.LiftDetectionValue = in.Byte();

    if (!in.Next(1))
        return false;
    r.PollingRateName = in.Rest();
    if (!in.Next(1))
        return false;
    r.PollingRateValue = in.Bytes3();

    if (!in.Next(1))
        return false;
    r.Lighting1Name = in.Rest();
    if (!in.Next(1))
        return false;
    r.Lighting1ModeValue = in.Bytes3();
    if (!in.Next(1))
        return false;
    r.Lighting1OffOn = in.Byte();
    if (!in.Next(1))
        return false;
    in.ByteList(r.Lighting1Speed);
    if (!in.Next(1))
        return false;
    in.ByteList(r.Lighting1Brightness);
    if (!in.Next(1))
        return false;
    for (size_t mode = 0; mode < kLightingModes; ++mode)
        in.ByteList(r.Lighting1ColorSelected[mode], mode * kLightingColors);
    if (!in.Next(1))
        return false;
    for (size_t j = 0; j < kLightingModes * kLightingColors; ++j)
        r.Lighting1FixedColor[j / kLightingColors][j % kLightingColors] = in.Color(7 * j);
    if (!in.Next(1))
        return false;
    in.ByteList(r.Lighting1Direction);

    if (!in.Next(1))
        return false;
    r.Lighting2Name = in.Rest();
    if (!in.Next(1))
        return false;
    r.Lighting2ModeValue = in.Bytes3();
    if (!in.Next(1))
        return false;
    r.Lighting2OffOn = in.Byte();
    if (!in.Next(1))
        return false;
    r.Lighting2Speed = in.Byte();
    if (!in.Next(1))
        return false;
    r.Lighting2Brightness = in.Byte();
    if (!in.Next(1))
        return false;
    r.Lighting2FixedColor = in.Color();

    for (KeyRecord& key : r.Keys) {
        if (!in.Next(1))
            return false;
        key.KeyName = in.Rest();
        if (!in.Next(1))
            return false;
        key.Value = in.Bytes3();
        if (!in.Next(0, 1))
            return false;
        key.MacroKeyIndex = in.Decimal();
        if (!in.Next(0))
            return false;
        key.Macro.MacroName = in.Rest();
        if (!in.Next(0, 1))
            return false;
        // Clamped to the 336 slots there are, so no later use of the count
        // (display, upload) can run past them.
        key.Macro.MacroActionNum = std::min(in.Decimal(), kMacroActionSlots);
        if (!in.Next(0, 1))
            return false;
        if (in.RestLength() != kAllActionDigits)
            return in.Fail(text::kProfileLineDigits, {Reason::Number(kAllActionDigits)});
        for (size_t k = 0; k < kMacroActionSlots; ++k) {
            for (size_t b = 0; b < 4; ++b)
                key.Macro.AllAction[k].Bytes[b] = in.Byte(8 * k + 2 * b);
        }
        // The file carries no count of non-delay actions, yet it is what the
        // mouse is told when the macro is uploaded: count the used actions.
        key.Macro.MacroCommandActionNum =
            static_cast<uint8_t>(std::min<uint32_t>(key.Macro.CountCommandActions(), 255));
    }
    // Lines after the six buttons are ignored.
    return true;
}

// The first line (from 1) where the file's bytes and the text the writer
// makes differ; 0 when they are the same.
int FirstDifferentLine(const std::string& bytes, const std::u16string& text) {
    if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE')
        return 1;
    int line = 1;
    size_t i = 0;
    for (size_t b = 2; b + 1 < bytes.size(); b += 2, ++i) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[b]) |
                                                static_cast<unsigned char>(bytes[b + 1]) << 8);
        if (i >= text.size() || unit != text[i])
            return line;
        if (unit == u'\n')
            ++line;
    }
    if (i != text.size() || bytes.size() % 2 != 0)
        return line;
    return 0;
}

}  // namespace

bool WriteProfileFile(const ProgramState& state, int slot, const std::u16string& path,
                      FileSystem& fs) {
    if (!ValidSlot(slot))
        return false;
    CStdioFileEx file(fs);
    if (!file.Open(path, CStdioFileEx::Mode::Write))
        return false;
    file.WriteString(FormatProfile(state.Profiles[slot]));
    return file.Close();
}

std::string ProfileFileBytes(const ProfileRecord& record) {
    const std::u16string text = FormatProfile(record);
    std::string bytes("\xFF\xFE", 2);
    bytes.reserve(2 + 2 * text.size());
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

ProfileParse ParseProfileFile(const std::u16string& path, FileSystem& fs, ProfileRecord& record) {
    ProfileParse result;
    const std::string name = ToUtf8(path);
    CStdioFileEx file(fs);
    if (!file.Open(path, CStdioFileEx::Mode::Read)) {
        result.Why = UnreadableFileReason(fs, name);
        result.Problem = EnglishText(result.Why);
        return result;
    }
    ProfileLines in(file);
    if (!ReadProfileLines(in, record)) {
        result.Why = in.Problem();
        result.Problem = EnglishText(result.Why);
        return result;
    }
    result.Ok = true;
    std::string bytes;
    if (fs.ReadFile(name, bytes))
        result.FirstDifferentLine = FirstDifferentLine(bytes, FormatProfile(record));
    return result;
}

ProfileReadResult ReadProfileFile(ProgramState& state, int slot, const std::u16string& path,
                                  FileSystem& fs) {
    ProfileReadResult result;
    if (!ValidSlot(slot))
        return result;
    ProfileRecord& record = state.Profiles[slot];
    const std::u16string& own = state.Settings.ProfileSlotPath(slot);
    const ProfileParse parse = ParseProfileFile(path, fs, record);
    if (parse.Ok) {
        result.Ok = true;
        // Read leniently: what the user had would be gone at the next save.
        if (parse.FirstDifferentLine != 0 && path == own)
            KeepBeforeReplacing(
                fs, ToUtf8(own), result.Report,
                Reason::Of(text::kProfileRewritten,
                           {Reason::Number(parse.FirstDifferentLine), ProfileLabel(slot)}));
        return result;
    }

    // The slot's own file is replaced, not the one that was read: an
    // imported file stays as it is. Whatever the slot file held is kept.
    result.Problem = parse.Problem;
    result.Why = parse.Why;
    ResetProfileDefaults(record, slot, state.Language, state.Sensor.SensorId);
    KeepBeforeReplacing(fs, ToUtf8(own), result.Report,
                        Reason::Of(text::kProfileReset, {parse.Why, ProfileLabel(slot)}));
    result.Report.NoteWrite(WriteProfileFile(state, slot, own, fs), ToUtf8(own), fs);
    return result;
}

StorageReport WriteAllProfileFiles(const ProgramState& state, FileSystem& fs) {
    StorageReport report;
    for (int s = 0; s < kProfileSlots; ++s) {
        const std::u16string& path = state.Settings.ProfileSlotPath(s);
        report.NoteWrite(WriteProfileFile(state, s, path, fs), ToUtf8(path), fs);
    }
    return report;
}

void KeepChangedProfileFiles(const ProgramState& state, FileSystem& fs, StorageReport& report,
                             const Reason& reason) {
    for (int s = 0; s < kProfileSlots; ++s) {
        const std::string path = ToUtf8(state.Settings.ProfileSlotPath(s));
        std::string bytes;
        if (!fs.ReadFile(path, bytes) ||
            FirstDifferentLine(bytes, FormatProfile(state.Profiles[s])) == 0)
            continue;
        KeepBeforeReplacing(fs, path, report, reason);
    }
}

bool ExportProfile(const ProgramState& state, const std::u16string& path, FileSystem& fs) {
    return WriteProfileFile(state, state.Settings.CurrentProfile(), path, fs);
}

ProfileReadResult ImportProfile(ProgramState& state, int slot, const std::u16string& path,
                                FileSystem& fs) {
    ProfileReadResult result;
    if (!ValidSlot(slot)) {
        result.Why = Reason::Of(text::kProfileNoSlot, {Reason::Number(slot + 1)});
        result.Problem = EnglishText(result.Why);
        return result;
    }
    // Read completely before anything is replaced.
    ProfileRecord read = state.Profiles[slot];
    const ProfileParse parse = ParseProfileFile(path, fs, read);
    if (!parse.Ok) {
        result.Problem = parse.Problem;
        result.Why = parse.Why;
        return result;
    }
    result.Ok = true;
    state.Profiles[slot] = std::move(read);
    result.Report.NoteWrite(SaveSettings(state, fs), ToUtf8(SettingsFilePath(state)), fs);
    result.Report.Append(WriteAllProfileFiles(state, fs));
    return result;
}

ProfileReadResult ImportProfile(ProgramState& state, const std::u16string& path, FileSystem& fs) {
    return ImportProfile(state, state.Settings.CurrentProfile(), path, fs);
}

}  // namespace velmaro
