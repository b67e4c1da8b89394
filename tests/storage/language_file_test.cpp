#include "storage/language_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "model/text.h"
#include "storage/data_folder.h"
#include "storage/language_test_disk.h"
#include "storage/shipped_language_files.h"

namespace velmaro {
namespace {

using testing::MemoryDisk;

const std::u16string kFolder = u"/home/u/.local/share/VelmaroData20240507A/";
const std::string kConfig = "/home/u/.local/share/VelmaroData20240507A/config/";
const UiFont kInitialFont{};

// ---------------------------------------------------------------------------
// Which file the language choice selects.

struct ChoiceCase {
    const char* name;
    std::optional<std::u16string> chooser;  // LanSetting.ini content; nullopt = no file
    std::u16string expected;                // entry 0 of the file that was read
};

void PrintTo(const ChoiceCase& c, std::ostream* os) {
    *os << c.name;
}

class LanguageChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(LanguageChoice, SelectsTheFileByTheExactCode) {
    MemoryDisk disk;
    disk.Put(kConfig + "Lan_EN.txt", u"[Setting]\n0=English\n");
    disk.Put(kConfig + "Lan.txt", u"[Setting]\n0=中文\n");
    if (GetParam().chooser)
        disk.Put(kConfig + "LanSetting.ini", *GetParam().chooser);

    LanguageTable table;
    EXPECT_TRUE(LoadLanguage(kFolder, table, 1.0, disk));
    EXPECT_EQ(table.Entries[0], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageChoice,
    ::testing::Values(ChoiceCase{"Missing", std::nullopt, u"中文"},
                      ChoiceCase{"EmptyFile", u"", u"中文"},
                      ChoiceCase{"CodeEN", u"[ChangeLanguage]\nLanguage=EN\n", u"English"},
                      ChoiceCase{"NameIsNotExamined", u"[ChangeLanguage]\nx=EN", u"English"},
                      ChoiceCase{"LowerCase", u"[ChangeLanguage]\nLanguage=en\n", u"中文"},
                      ChoiceCase{"TrailingSpace", u"[ChangeLanguage]\nLanguage=EN \n", u"中文"},
                      ChoiceCase{"OtherCode", u"[ChangeLanguage]\nLanguage=CN\n", u"中文"},
                      ChoiceCase{"HeaderOnly", u"[ChangeLanguage]\n", u"中文"},
                      // Without a usable "=", the whole second line is the code.
                      ChoiceCase{"SecondLineWithoutEquals", u"[ChangeLanguage]\nEN\n", u"English"},
                      ChoiceCase{"NothingBeforeEquals", u"[ChangeLanguage]\n=EN\n", u"中文"},
                      ChoiceCase{"NothingAfterEquals", u"[ChangeLanguage]\nEN=\n", u"中文"},
                      ChoiceCase{"CodeAfterFirstEquals", u"[ChangeLanguage]\na=b=EN\n", u"中文"},
                      // Without the header the first line is the code.
                      ChoiceCase{"SingleLineEN", u"EN", u"English"},
                      ChoiceCase{"SingleLineENWithLineFeed", u"EN\n", u"English"},
                      ChoiceCase{"SingleLineWithEquals", u"Language=EN\n", u"中文"},
                      // CR LF line ends spoil the header; the first line then is the code.
                      ChoiceCase{"CrLf", u"[ChangeLanguage]\r\nLanguage=EN\r\n", u"中文"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LanguageChoice, FileNameForCode) {
    EXPECT_EQ(LanguageFileNameFor(u"EN"), u"Lan_EN.txt");
    EXPECT_EQ(LanguageFileNameFor(u""), u"Lan.txt");
    EXPECT_EQ(LanguageFileNameFor(u"EN\r"), u"Lan.txt");
}

// ---------------------------------------------------------------------------
// Reading a language file.

struct FileCase {
    const char* name;
    std::optional<std::string> bytes;  // nullopt = no file
    bool complete;
    std::map<size_t, std::u16string> entries;  // every other entry must be empty
    UiFont font;                               // at UI scale 1.0
};

std::string File(std::u16string_view text) {
    return MemoryDisk::Utf16(text);
}

void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.name;
}

class LanguageFileRead : public ::testing::TestWithParam<FileCase> {};

TEST_P(LanguageFileRead, FillsTheTableAndChoosesTheFont) {
    const FileCase& c = GetParam();
    MemoryDisk disk;
    if (c.bytes)
        disk.files[kConfig + "Lan.txt"] = *c.bytes;

    LanguageTable table;
    table.Entries[499] = u"left from before";
    EXPECT_EQ(LoadLanguage(kFolder, table, 1.0, disk), c.complete);
    // The program's own entries (300 and up) that a file lacks come from the
    // file shipped under its name.
    LanguageTable shipped;
    disk.files["/shipped.txt"] = std::string(ShippedLanguageFile(ShippedLanguage::Chinese));
    ASSERT_TRUE(ReadLanguageFile(u"/shipped.txt", shipped, 1.0, disk));
    for (size_t n = 0; n < kLanguageEntries; ++n) {
        const auto it = c.entries.find(n);
        const std::u16string missing = c.complete && n >= 300 ? shipped.Entries[n] : u"";
        EXPECT_EQ(table.Entries[n], it == c.entries.end() ? missing : it->second) << "entry " << n;
    }
    EXPECT_EQ(table.Font, c.font);
}

const UiFont kTahoma{u"Tahoma", 16, 1};
const UiFont kSong{u"宋体", 12, 134};

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageFileRead,
    ::testing::Values(
        FileCase{"Missing", std::nullopt, false, {}, kInitialFont},
        FileCase{"Empty", std::string(), false, {}, kInitialFont},
        FileCase{"NoHeader", File(u"0=English\n"), false, {}, kInitialFont},
        // The first two bytes are taken as the mark: "[Setting]" loses its "[".
        FileCase{"NoByteOrderMark",
                 MemoryDisk::Utf16(u"[Setting]\n0=English\n", false),
                 false,
                 {},
                 kInitialFont},
        FileCase{"HeaderWithCrLf", File(u"[Setting]\r\n0=English\r\n"), false, {}, kInitialFont},
        FileCase{"HeaderOnly", File(u"[Setting]\n"), true, {}, kTahoma},
        FileCase{
            "Chinese", File(u"[Setting]\n0=中文\n5=五\n"), true, {{0, u"中文"}, {5, u"五"}}, kSong},
        FileCase{"AnyOrderNoFinalLineFeed",
                 File(u"[Setting]\n9=Nine\n0=English"),
                 true,
                 {{0, u"English"}, {9, u"Nine"}},
                 kTahoma},
        FileCase{
            "NotExactlyChinese", File(u"[Setting]\n0=中文 \n"), true, {{0, u"中文 "}}, kTahoma},
        FileCase{"LeadingZeros", File(u"[Setting]\n007=Seven\n"), true, {{7, u"Seven"}}, kTahoma},
        FileCase{"TextWithEquals", File(u"[Setting]\n3=a=b\n"), true, {{3, u"a=b"}}, kTahoma},
        FileCase{
            "LaterLineReplaces", File(u"[Setting]\n4=old\n4=new\n"), true, {{4, u"new"}}, kTahoma},
        FileCase{
            "CarriageReturnStays", File(u"[Setting]\n2=Two\r\n"), true, {{2, u"Two\r"}}, kTahoma},
        // A faulty line ends the reading: what came before stays, the font
        // keeps its initial values even though entry 0 was read.
        FileCase{"NothingAfterEquals",
                 File(u"[Setting]\n0=English\n5=a\n7=\n9=c\n"),
                 false,
                 {{0, u"English"}, {5, u"a"}},
                 kInitialFont},
        FileCase{"NothingBeforeEquals",
                 File(u"[Setting]\n5=a\n=b\n9=c\n"),
                 false,
                 {{5, u"a"}},
                 kInitialFont},
        FileCase{
            "NoEquals", File(u"[Setting]\n5=a\nnine\n9=c\n"), false, {{5, u"a"}}, kInitialFont},
        FileCase{"EmptyLine", File(u"[Setting]\n5=a\n\n9=c\n"), false, {{5, u"a"}}, kInitialFont},
        // Numbers that name no entry are skipped; nothing lands in entry 0
        // or outside the table.
        FileCase{"NumbersOutsideTheTable",
                 File(u"[Setting]\n500=x\n-1=x\n99999999999999999999=x\nabc=x\n+=x\n499=last\n"),
                 true,
                 {{499, u"last"}},
                 kTahoma},
        FileCase{"NumberUpToFirstNonDigit",
                 File(u"[Setting]\n12ab=x\n 8=y\n"),
                 true,
                 {{12, u"x"}, {8, u"y"}},
                 kTahoma}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LanguageFileRead, ReadOnlyFileCountsAsMissing) {
    MemoryDisk disk;
    disk.Put(kConfig + "Lan.txt", u"[Setting]\n0=中文\n");
    disk.read_only.insert(kConfig + "Lan.txt");
    LanguageTable table;
    EXPECT_FALSE(LoadLanguage(kFolder, table, 2.0, disk));
    EXPECT_EQ(table.Entries[0], u"");
    EXPECT_EQ(table.Font, kInitialFont);
}

TEST(LanguageFileRead, DataFolderWithoutTrailingSlash) {
    MemoryDisk disk;
    disk.Put(kConfig + "Lan.txt", u"[Setting]\n0=中文\n");
    LanguageTable table;
    EXPECT_TRUE(LoadLanguage(kFolder.substr(0, kFolder.size() - 1), table, 1.0, disk));
    EXPECT_EQ(table.Entries[0], u"中文");
}

// ---------------------------------------------------------------------------
// Font heights follow the UI scale, truncated.

TEST(UiFontChoice, HeightsScaleAndTruncate) {
    struct Case {
        std::u16string entry0;
        double scale;
        UiFont font;
    };
    const Case cases[] = {
        {u"中文", 1.0, {u"宋体", 12, 134}},    {u"中文", 1.5, {u"宋体", 18, 134}},
        {u"中文", 2.0, {u"宋体", 24, 134}},    {u"English", 1.5, {u"Tahoma", 24, 1}},
        {u"English", 2.0, {u"Tahoma", 32, 1}}, {u"English", 1.1, {u"Tahoma", 17, 1}},
        {u"中文", 1.1, {u"宋体", 13, 134}},
    };
    for (const Case& c : cases) {
        LanguageTable table;
        table.Entries[0] = c.entry0;
        EXPECT_EQ(ChooseUiFont(table, c.scale), c.font) << c.scale;
    }
}

TEST(UiFontChoice, CompleteFileAtScale) {
    MemoryDisk disk;
    disk.Put(kConfig + "Lan.txt", u"[Setting]\n0=English\n");
    LanguageTable table;
    EXPECT_TRUE(LoadLanguage(kFolder, table, 2.0, disk));
    EXPECT_EQ(table.Font, (UiFont{u"Tahoma", 32, 1}));
}

TEST(UiFontChoice, UnusableScaleFallsBackToOne) {
    LanguageTable table;
    EXPECT_EQ(ChooseUiFont(table, std::numeric_limits<double>::quiet_NaN()).Height, 16);
    EXPECT_EQ(ChooseUiFont(table, -2.0).Height, 16);
    EXPECT_EQ(ChooseUiFont(table, 1e300).Height, 16);
}

// ---------------------------------------------------------------------------
// The shipped files, as the first start installs them, have a text for every
// entry the program uses.

std::vector<size_t> UsedEntries() {
    std::ifstream in(std::string(VELMARO_FIXTURES) + "/used_language_entries.txt");
    EXPECT_TRUE(in) << "fixture missing";
    std::vector<size_t> used;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        size_t first = 0;
        size_t last = 0;
        char dash = 0;
        std::istringstream fields(line);
        fields >> first;
        if (fields >> dash >> last) {
            EXPECT_EQ(dash, '-') << line;
        } else {
            last = first;
        }
        EXPECT_LE(first, last) << line;
        EXPECT_LT(last, kLanguageEntries) << line;
        for (size_t n = first; n <= last && n < kLanguageEntries; ++n)
            used.push_back(n);
    }
    return used;
}

struct ShippedCase {
    const char* locale;
    std::u16string name;
    UiFont font;
};

void PrintTo(const ShippedCase& c, std::ostream* os) {
    *os << c.locale;
}

class ShippedFile : public ::testing::TestWithParam<ShippedCase> {};

TEST_P(ShippedFile, InstalledFileHasEveryUsedEntry) {
    MemoryDisk disk;
    ASSERT_TRUE(PrepareDataFolder(kFolder, GetParam().locale, disk));
    LanguageTable table;
    ASSERT_TRUE(LoadLanguage(kFolder, table, 1.0, disk));
    EXPECT_EQ(table.Entries[0], GetParam().name);
    EXPECT_EQ(table.Font, GetParam().font);

    const std::vector<size_t> used = UsedEntries();
    ASSERT_FALSE(used.empty());
    for (const size_t n : used) {
        EXPECT_FALSE(table.Entries[n].empty()) << "entry " << n;
        // Texts are single lines without stray carriage returns.
        EXPECT_EQ(table.Entries[n].find(u'\r'), std::u16string::npos) << "entry " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedFile,
                         ::testing::Values(ShippedCase{"en_US.UTF-8", u"English", kTahoma},
                                           ShippedCase{"zh_CN.UTF-8", u"中文", kSong}),
                         [](const auto& info) {
                             return info.param.font == kSong ? "Chinese" : "English";
                         });

TEST(ShippedLanguages, BothLanguagesFillTheSameEntries) {
    LanguageTable tables[2];
    int i = 0;
    for (const ShippedLanguage language : kShippedLanguages) {
        MemoryDisk disk;
        disk.files["/l.txt"] = std::string(ShippedLanguageFile(language));
        ASSERT_TRUE(ReadLanguageFile(u"/l.txt", tables[i++], 1.0, disk));
    }
    for (size_t n = 0; n < kLanguageEntries; ++n) {
        EXPECT_EQ(tables[0].Entries[n].empty(), tables[1].Entries[n].empty()) << "entry " << n;
    }
}

TEST(ShippedLanguages, SleepTimeReadsAsOneText) {
    // The power area joins entry 266, the minutes and entry 267.
    for (const ShippedLanguage language : kShippedLanguages) {
        MemoryDisk disk;
        disk.files["/l.txt"] = std::string(ShippedLanguageFile(language));
        LanguageTable table;
        ASSERT_TRUE(ReadLanguageFile(u"/l.txt", table, 1.0, disk));
        const std::u16string text = table.Entries[266] + u"6" + table.Entries[267];
        EXPECT_TRUE(text == u"Sleep after 6 min" || text == u"休眠时间：6分钟") << ToUtf8(text);
    }
}

}  // namespace
}  // namespace velmaro
