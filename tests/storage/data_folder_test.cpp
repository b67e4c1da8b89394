#include "storage/data_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/text.h"
#include "platform/posix_file_system.h"
#include "storage/language_file.h"
#include "storage/language_test_disk.h"
#include "storage/shipped_language_files.h"

namespace velmaro {
namespace {

using testing::MemoryDisk;

// ---------------------------------------------------------------------------
// Where the data folder is.

TEST(DataFolderPath, FromTheEnvironmentValues) {
    struct Case {
        const char* xdg;
        const char* home;
        std::u16string expected;
    };
    const Case cases[] = {
        {"/srv/data", "/home/u", u"/srv/data/VelmaroData20240507A/"},
        {"/srv/data/", "/home/u", u"/srv/data/VelmaroData20240507A/"},
        {nullptr, "/home/u", u"/home/u/.local/share/VelmaroData20240507A/"},
        {"", "/home/u", u"/home/u/.local/share/VelmaroData20240507A/"},
        {"relative/data", "/home/u/", u"/home/u/.local/share/VelmaroData20240507A/"},
        {nullptr, "/", u"/.local/share/VelmaroData20240507A/"},
        {"/数据", nullptr, u"/数据/VelmaroData20240507A/"},
        {nullptr, nullptr, u""},
        {"relative", "", u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DataFolderFor(c.xdg, c.home), c.expected)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
        // A simulation's folder sits beside the real one, never inside or on it.
        std::u16string simulated = c.expected;
        if (!simulated.empty())
            simulated.insert(simulated.size() - 1, u"-simulated");
        EXPECT_EQ(SimulatedDataFolderFor(c.xdg, c.home), simulated);
    }
}

// ---------------------------------------------------------------------------
// Which language the first start chooses.

TEST(FirstStartLanguage, LocalePrecedenceAndCode) {
    struct Case {
        const char* lc_all;
        const char* lc_messages;
        const char* lang;
        std::u16string code;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, u"EN"},
        {nullptr, nullptr, "zh_CN.UTF-8", u"CN"},
        {nullptr, nullptr, "en_US.UTF-8", u"EN"},
        {nullptr, nullptr, "C", u"EN"},
        {"zh_TW.UTF-8", "en_US.UTF-8", "en_US.UTF-8", u"CN"},
        {"en_GB.UTF-8", "zh_CN.UTF-8", "zh_CN.UTF-8", u"EN"},
        {nullptr, "zh_CN.UTF-8", "en_US.UTF-8", u"CN"},
        {"", "", "zh_SG", u"CN"},  // empty counts as unset
        {nullptr, "en_US.UTF-8", "zh_CN.UTF-8", u"EN"},
        {nullptr, nullptr, "z", u"EN"},
    };
    for (const Case& c : cases) {
        const std::string locale = PickLocale(c.lc_all, c.lc_messages, c.lang);
        EXPECT_EQ(LanguageCodeForLocale(locale), c.code) << "locale " << locale;
    }
}

// ---------------------------------------------------------------------------
// Installing the shipped files.

const std::u16string kFolder = u"/home/u/.local/share/VelmaroData20240507A/";
const std::string kFolder8 = "/home/u/.local/share/VelmaroData20240507A";
const std::string kConfig = kFolder8 + "/config/";

TEST(FirstStart, WritesFoldersAndFilesIntoAnEmptyDisk) {
    MemoryDisk disk;
    ASSERT_TRUE(PrepareDataFolder(kFolder, "en_US.UTF-8", disk));
    EXPECT_TRUE(disk.IsDirectory(kFolder8));
    EXPECT_TRUE(disk.IsDirectory(kConfig));
    EXPECT_EQ(disk.files[kConfig + "Lan_EN.txt"], ShippedLanguageFile(ShippedLanguage::English));
    EXPECT_EQ(disk.files[kConfig + "Lan.txt"], ShippedLanguageFile(ShippedLanguage::Chinese));
    EXPECT_EQ(disk.files[kConfig + "LanSetting.ini"],
              MemoryDisk::Utf16(u"[ChangeLanguage]\nLanguage=EN\n"));
    EXPECT_EQ(disk.files.size(), 3u);
}

TEST(FirstStart, ChineseLocaleChoosesTheChineseFile) {
    MemoryDisk disk;
    ASSERT_TRUE(PrepareDataFolder(kFolder, "zh_CN.UTF-8", disk));
    EXPECT_EQ(disk.files[kConfig + "LanSetting.ini"],
              MemoryDisk::Utf16(u"[ChangeLanguage]\nLanguage=CN\n"));
    LanguageTable table;
    EXPECT_TRUE(LoadLanguage(kFolder, table, 1.0, disk));
    EXPECT_EQ(table.Entries[0], u"中文");
}

TEST(FirstStart, NeverReplacesTheUsersFiles) {
    MemoryDisk disk;
    disk.folders = {"/home", "/home/u", kFolder8, kFolder8 + "/config"};
    disk.Put(kConfig + "Lan.txt", u"[Setting]\n0=中文\n20=我的左键\n");
    disk.Put(kConfig + "LanSetting.ini", u"[ChangeLanguage]\nLanguage=CN\n");
    const auto before = disk.files;

    ASSERT_TRUE(PrepareDataFolder(kFolder, "en_US.UTF-8", disk));
    EXPECT_EQ(disk.files[kConfig + "Lan.txt"], before.at(kConfig + "Lan.txt"));
    EXPECT_EQ(disk.files[kConfig + "LanSetting.ini"], before.at(kConfig + "LanSetting.ini"));
    // Only the missing file was added.
    EXPECT_EQ(disk.files[kConfig + "Lan_EN.txt"], ShippedLanguageFile(ShippedLanguage::English));

    LanguageTable table;
    EXPECT_TRUE(LoadLanguage(kFolder, table, 1.0, disk));
    EXPECT_EQ(table.Entries[20], u"我的左键");
}

TEST(FirstStart, ReportsWhatCouldNotBeDone) {
    {
        MemoryDisk disk;
        EXPECT_FALSE(PrepareDataFolder(u"", "C", disk));
        EXPECT_TRUE(disk.files.empty());
    }
    {
        MemoryDisk disk;
        disk.fail_folders = true;
        EXPECT_FALSE(PrepareDataFolder(kFolder, "C", disk));
        EXPECT_TRUE(disk.files.empty());
    }
    {
        // A file where the config folder should be.
        MemoryDisk disk;
        disk.files[kFolder8 + "/config"] = "x";
        EXPECT_FALSE(PrepareDataFolder(kFolder, "C", disk));
    }
    {
        MemoryDisk disk;
        disk.fail_writes = true;
        EXPECT_FALSE(PrepareDataFolder(kFolder, "C", disk));
        EXPECT_TRUE(disk.files.empty());
        EXPECT_TRUE(disk.IsDirectory(kConfig));
    }
}

// The whole first start on the real disk: nested folders that do not exist
// yet, then a second start after the user edited a file.
TEST(FirstStart, OnTheRealDisk) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmaro-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path root = pattern;
    const std::u16string folder = DataFolderFor((root / "share").c_str(), "/nonexistent");
    ASSERT_EQ(folder, ToU16((root / "share").string()) + u"/VelmaroData20240507A/");

    PosixFileSystem disk;
    ASSERT_TRUE(PrepareDataFolder(folder, "en_US.UTF-8", disk));
    LanguageTable table;
    EXPECT_TRUE(LoadLanguage(folder, table, 1.5, disk));
    EXPECT_EQ(table.Entries[0], u"English");
    EXPECT_EQ(table.Font, (UiFont{u"Tahoma", 24, 1}));

    const std::string chooser = ToUtf8(folder) + "config/LanSetting.ini";
    {
        std::ofstream out(chooser, std::ios::binary | std::ios::trunc);
        out << MemoryDisk::Utf16(u"[ChangeLanguage]\nLanguage=CN\n");
    }
    ASSERT_TRUE(PrepareDataFolder(folder, "en_US.UTF-8", disk));
    EXPECT_TRUE(LoadLanguage(folder, table, 1.5, disk));
    EXPECT_EQ(table.Entries[0], u"中文");
    EXPECT_EQ(table.Font, (UiFont{u"宋体", 18, 134}));

    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace velmaro
