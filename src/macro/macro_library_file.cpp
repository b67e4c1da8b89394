#include "macro/macro_library_file.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "model/text.h"
#include "model/text_entries.h"
#include "storage/stdio_file_ex.h"

namespace velmaro {

namespace {

constexpr std::u16string_view kHeader = u"[MacroLibrary]";

// ---- writing ----

void AppendDecimal(std::u16string& out, int64_t value) {
    out += FormatDecimal(value);
}

void AppendLocation(std::u16string& out, std::u16string_view prefix, std::u16string_view key,
                    const MacroItemLocation& loc) {
    out += prefix;
    out += key;
    out += u":stage=";
    AppendDecimal(out, loc.stage);
    out += u";stage0Index=";
    AppendDecimal(out, loc.stage0Index);
    out += u";stage1Index=";
    AppendDecimal(out, loc.stage1Index);
    out += u";stage2Index=";
    AppendDecimal(out, loc.stage2Index);
    out += u";\n";
}

void AppendLine(std::u16string& out, std::u16string_view prefix, std::u16string_view key,
                int64_t value) {
    out += prefix;
    out += key;
    out += u'=';
    AppendDecimal(out, value);
    out += u'\n';
}

void AppendBlock(std::u16string& out, const MacroItem& item, const MacroItemLocation& loc) {
    static constexpr char16_t kTabs[] = u"\t\t";
    const std::u16string_view prefix(kTabs, static_cast<size_t>(loc.stage));
    out += prefix;
    out += u"++++++++MacroItemName=";
    out += item.MacroItemName;
    out += u'\n';
    AppendLocation(out, prefix, u"MacroItemLocation", loc);
    AppendLine(out, prefix, u"MacroItemIsFolder", item.MacroItemIsFolder);
    AppendLine(out, prefix, u"MacroItemFolderIsOpen", item.MacroItemFolderIsOpen);
    if (!item.Macro)
        return;
    const MacroRecord& m = *item.Macro;
    AppendLine(out, prefix, u"MacroKeyIndex", m.MacroKeyIndex);
    AppendLine(out, prefix, u"MacroKeyLoopType", m.MacroKeyLoopType);
    AppendLine(out, prefix, u"MacroKeyLoopNum", m.MacroKeyLoopNum);
    AppendLine(out, prefix, u"MacroActionNum", m.MacroActionNum);
    AppendLine(out, prefix, u"MacroCommandActionNum", m.MacroCommandActionNum);
    out += prefix;
    out += u"AllAction=";
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    const size_t at = out.size();
    out.resize(at + kAllActionDigits);
    char16_t* digit = out.data() + at;
    for (const MacroAction& action : m.AllAction) {
        for (const uint8_t byte : action.Bytes) {
            *digit++ = kDigits[byte >> 4];
            *digit++ = kDigits[byte & 0xF];
        }
    }
    out += u'\n';
}

// ---- reading ----

// The text after the first "="; false when there is no "=" or nothing after it.
bool ValueOf(std::u16string_view line, std::u16string_view& value) {
    const size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos || eq + 1 == line.size())
        return false;
    value = line.substr(eq + 1);
    return true;
}

// True when the whole text is a decimal number (an optional "-" and digits)
// within [min, max]: what the writer makes, taken exactly.
bool ExactDecimal(std::u16string_view text, int64_t min, int64_t max) {
    const bool negative = !text.empty() && text.front() == u'-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty() || text.size() > 10 || (text.size() > 1 && text.front() == u'0'))
        return false;
    int64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
    }
    if (negative)
        value = -value;
    return value >= min && value <= max;
}

// Four numbers, each from after the next "=" to the next ";". `exact` tells
// whether each was a whole number.
bool LocationOf(std::u16string_view line, MacroItemLocation& loc, bool& exact) {
    int32_t v[4];
    size_t from = 0;
    exact = true;
    for (int32_t& number : v) {
        const size_t eq = line.find(u'=', from);
        if (eq == std::u16string_view::npos || eq + 1 == line.size())
            return false;
        const size_t semi = line.find(u';', eq + 1);
        const std::u16string_view piece = line.substr(
            eq + 1, semi == std::u16string_view::npos ? std::u16string_view::npos : semi - eq - 1);
        number = ParseDecimal(piece);
        exact = exact && ExactDecimal(piece, INT32_MIN, INT32_MAX);
        from = eq + 1;
    }
    loc = {v[0], v[1], v[2], v[3]};
    return true;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

// A pair that is not two hex digits reads as its leading hexadecimal part.
uint8_t HexPair(std::u16string_view text, size_t pos) {
    const int high = HexDigit(text[pos]);
    const int low = HexDigit(text[pos + 1]);
    if (high >= 0 && low >= 0)
        return static_cast<uint8_t>(high * 16 + low);
    return static_cast<uint8_t>(ParseHexPiece(text, pos, 2));
}

class LibraryReader {
  public:
    LibraryReader(CStdioFileEx& file, MacroLibrary& library, MacroLibraryLoad& result)
        : file_(file), library_(library), result_(result) {}

    // Mirrors the file's order of lines; false on the first fault. `boundary`
    // tells whether the fault came where an item (or the file) starts.
    bool Read(bool& boundary) {
        boundary = true;
        if (!Next() || line_ != kHeader)
            return false;
        boundary = false;
        int32_t next_key = 0;
        if (!Next() || !Number(next_key, INT32_MIN, INT32_MAX))
            return false;
        library_.NextMacroKeyIndex = static_cast<uint32_t>(next_key);
        if (!Next() || !Location(result_.Mark))
            return false;
        result_.HasMark = true;
        if (!Next())
            return true;
        for (;;) {
            boundary = true;
            if (!ReadItem(boundary))
                return false;
            if (!Next())
                return true;
        }
    }

    // After a fault: true when the line that stopped reading and every line
    // after it is empty, so nothing of the file was left out.
    bool OnlyEmptyLinesLeft() {
        if (line_ != u"\n" && !line_.empty())
            return false;
        while (Next())
            if (line_ != u"\n")
                return false;
        return true;
    }

  private:
    bool Next() {
        if (!file_.ReadString(line_))
            return false;
        ++line_number_;
        return true;
    }

    // The line's value as a decimal number, noted as repaired when it is not
    // a whole number within [min, max]; false without a value.
    bool Number(int32_t& number, int64_t min, int64_t max) {
        std::u16string_view value;
        if (!ValueOf(line_, value))
            return false;
        number = ParseDecimal(value);
        if (!ExactDecimal(value, min, max)) {
            number = static_cast<int32_t>(std::clamp<int64_t>(number, min, max));
            Repaired(Reason::Of(text::kLibraryNotNumber, {Reason::Number(min), Reason::Number(max),
                                                          Reason::Number(number)}));
        }
        return true;
    }
    bool Location(MacroItemLocation& loc) {
        bool exact = true;
        if (!LocationOf(line_, loc, exact))
            return false;
        if (!exact)
            Repaired(Reason::Of(text::kLibraryNotLocation));
        return true;
    }
    void Repaired(const Reason& what) {
        constexpr size_t kShown = 60;
        std::u16string shown = line_.substr(0, kShown);
        if (line_.size() > kShown)
            shown += u"...";
        result_.Repairs.push_back(Reason::Of(
            text::kLibraryLineRepaired, {Reason::Number(line_number_), Reason::Text(shown), what}));
        item_repaired_ = true;
    }

    // One block, starting with the name line already read.
    bool ReadItem(bool& boundary) {
        std::u16string_view value;
        if (!ValueOf(line_, value))
            return false;
        boundary = false;
        std::u16string name(value);
        MacroItemLocation loc;
        int32_t is_folder = 0;
        int32_t open_flag = 0;
        item_repaired_ = false;
        if (!Next() || !Location(loc))
            return false;
        if (!Next() || !Number(is_folder, 0, 1))
            return false;
        if (!Next() || !Number(open_flag, INT32_MIN, INT32_MAX))
            return false;
        if (is_folder != 0) {
            Place(loc, [&] { return library_.PlaceFolder(std::move(name), loc, open_flag); });
            return true;
        }

        auto macro = std::make_unique<MacroRecord>();
        macro->MacroName = name;
        int32_t key = 0, loop_type = 0, loop_num = 0, action_num = 0, command_num = 0;
        const struct {
            int32_t* number;
            int64_t max;
        } fields[] = {{&key, INT32_MAX},
                      {&loop_type, 255},
                      {&loop_num, 255},
                      {&action_num, kMacroActionSlots},
                      {&command_num, 255}};
        for (const auto& field : fields)
            if (!Next() || !Number(*field.number, 0, field.max))
                return false;
        macro->MacroKeyIndex = static_cast<uint32_t>(key);
        result_.HighestKeyIndex = std::max(result_.HighestKeyIndex, macro->MacroKeyIndex);
        macro->MacroKeyLoopType = static_cast<uint8_t>(loop_type);
        macro->MacroKeyLoopNum = static_cast<uint8_t>(loop_num);
        // Counts past the slots would make every later user read beyond them.
        macro->MacroActionNum = std::min(static_cast<uint32_t>(action_num), kMacroActionSlots);
        macro->MacroCommandActionNum = static_cast<uint8_t>(command_num);
        if (!Next() || !ValueOf(line_, value) || value.size() != kAllActionDigits)
            return false;
        if (!std::all_of(value.begin(), value.end(), [](char16_t c) { return HexDigit(c) >= 0; }))
            Repaired(Reason::Of(text::kLibraryNotHex));
        for (uint32_t i = 0; i < kMacroActionSlots; ++i) {
            const size_t at = i * 8;
            macro->SetAction(i, MacroAction::Make(HexPair(value, at), HexPair(value, at + 2),
                                                  HexPair(value, at + 4), HexPair(value, at + 6)));
        }
        if (item_repaired_)
            result_.RepairedKeys.push_back(macro->MacroKeyIndex);
        Place(loc, [&] { return library_.PlaceMacro(std::move(name), loc, std::move(macro)); });
        return true;
    }

    // Items whose location is not a slot of the tree have no place to go.
    template <typename Put>
    void Place(const MacroItemLocation& loc, Put&& put) {
        if (!loc.IsSlot() || !put())
            ++result_.SkippedItems;
    }

    CStdioFileEx& file_;
    MacroLibrary& library_;
    MacroLibraryLoad& result_;
    std::u16string line_;
    int line_number_ = 0;
    bool item_repaired_ = false;
};

}  // namespace

std::string MacroLibraryPath(std::u16string_view data_folder) {
    return ToUtf8(data_folder) + "config/MacroLibraryFile.mlf";
}

MacroLibraryLoad LoadMacroLibrary(const std::string& path, MacroLibrary& library, FileSystem& fs) {
    MacroLibraryLoad result;
    CStdioFileEx file(fs);
    if (!file.Open(path, CStdioFileEx::Mode::Read))
        return result;
    result.Opened = true;
    library.ClearLibrary();

    LibraryReader reader(file, library, result);
    bool boundary = false;
    result.ReadToEnd = reader.Read(boundary);
    const bool nothing_left = result.ReadToEnd || (boundary && reader.OnlyEmptyLinesLeft());
    result.Complete = nothing_left && result.SkippedItems == 0;
    file.Close();

    // A hand-edited counter at or below a key in use would hand that key out
    // again, and a button would then find another macro than its own.
    if (result.HighestKeyIndex != 0 && library.NextMacroKeyIndex <= result.HighestKeyIndex &&
        result.HighestKeyIndex < UINT32_MAX)
        library.NextMacroKeyIndex = result.HighestKeyIndex + 1;

    // A value read other than it stood would be written back changed.
    if (result.Complete && result.Repairs.empty())
        library.IncompleteLoadPath.clear();
    else
        library.IncompleteLoadPath = path;
    return result;
}

bool SaveMacroLibrary(const std::string& path, MacroLibrary& library, FileSystem& fs,
                      const MacroItemLocation& mark) {
    // The library holds only part of this file: keep the file before the
    // smaller library replaces it, and write nothing when it cannot be kept.
    if (!library.IncompleteLoadPath.empty() && library.IncompleteLoadPath == path) {
        if (fs.Exists(path) && KeepBadFile(fs, path).empty())
            return false;
        library.IncompleteLoadPath.clear();
    }

    CStdioFileEx file(fs);
    if (!file.Open(path, CStdioFileEx::Mode::Write))
        return false;
    // A library of ten thousand macros is tens of megabytes: each block is
    // made in one small reused buffer and goes straight into the file's,
    // which is sized once.
    const MacroLibrary& lib = library;
    std::vector<MacroItemLocation> used;
    size_t size = 256;
    auto collect = [&](const MacroItemLocation& loc) {
        const MacroItem* item = lib.ItemAt(loc);
        if (!item->IsUsed())
            return;
        used.push_back(loc);
        size += 256 + item->MacroItemName.size() + (item->Macro ? kAllActionDigits : 0);
    };
    for (int i0 = 0; i0 < kMacroListSlots; ++i0)
        collect(MacroItemLocation::Top(i0));
    for (int i0 = 0; i0 < kMacroListSlots; ++i0)
        for (int i1 = 0; i1 < kMacroListSlots; ++i1)
            collect(MacroItemLocation::Stage1(i0, i1));
    for (int i0 = 0; i0 < kMacroListSlots; ++i0)
        for (int i1 = 0; i1 < kMacroListSlots; ++i1)
            for (int i2 = 0; i2 < kMacroListSlots; ++i2)
                collect(MacroItemLocation::Stage2(i0, i1, i2));

    file.Reserve(size);
    std::u16string out;
    out.reserve(256 + kAllActionDigits);
    out += kHeader;
    out += u'\n';
    AppendLine(out, u"", u"MacroKeyIndex", static_cast<int32_t>(library.NextMacroKeyIndex));
    AppendLocation(out, u"", u"Select Locaton", mark);
    file.WriteString(out);
    for (const MacroItemLocation& loc : used) {
        out.clear();
        AppendBlock(out, *lib.ItemAt(loc), loc);
        file.WriteString(out);
    }
    return file.Close();
}

}  // namespace velmaro
