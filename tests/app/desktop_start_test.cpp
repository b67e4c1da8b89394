// The program on a Linux desktop: finding its shared files, a mouse the
// system will not open, start at login and the hidden start, and the macro
// library that did not load cleanly.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "app/data_folder_watcher.h"
#include "app/device_access.h"
#include "app/resource_folders.h"
#include "app/tray_icon.h"
#include "device/status_poller.h"
#include "macro/macro_library.h"
#include "macro/macro_library_file.h"
#include "main_window_fixture.h"
#include "model/button_functions.h"
#include "model/reason.h"
#include "model/sensor_tables.h"
#include "model/text_entries.h"
#include "storage/english_texts.h"
#include "storage/file_system.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"
#include "ui/text_draw.h"

namespace velmaro::test {
namespace {

// --- shared files -------------------------------------------------------------

void MakeSkins(const QString& folder) {
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile probe(folder + "/Frame_warning.bmp");
    ASSERT_TRUE(probe.open(QIODevice::WriteOnly));
}

struct LookupCase {
    const char* name;
    const char* skinsAt;  // relative to the temporary root; "" for none
    const char* found;    // the folder expected, relative to the root; "" for none
};

class ResourceLookupTest : public ::testing::TestWithParam<LookupCase> {};

// The program runs as <root>/prefix/bin/velmaro; the build configured
// <root>/configured/share/velmaro.
TEST_P(ResourceLookupTest, FindsTheSkinsOrNamesEveryFolderLookedIn) {
    QTemporaryDir root;
    const QString r = root.path() + "/";
    ASSERT_TRUE(QDir().mkpath(r + "prefix/bin"));
    // A folder without the pictures never counts.
    ASSERT_TRUE(QDir().mkpath(r + "prefix/bin/skins"));
    if (*GetParam().skinsAt != '\0')
        MakeSkins(r + GetParam().skinsAt);

    const ResourceFolders folders =
        FindResourceFolders(r + "prefix/bin", "../share/velmaro", r + "configured/share/velmaro");

    const QStringList looked = {r + "prefix/bin/skins/", r + "prefix/share/velmaro/skins/",
                                r + "configured/share/velmaro/skins/"};
    EXPECT_EQ(folders.LookedIn, looked);
    if (*GetParam().found == '\0') {
        EXPECT_FALSE(folders.Found());
        // In the locale's language, before any data folder is read.
        const QString text = MissingResourcesText(folders, ShippedTable(ShippedLanguage::Chinese));
        EXPECT_TRUE(
            text.startsWith(QString::fromStdU16String(
                                ShippedTable(ShippedLanguage::Chinese).Text(text::kSkinsMissing))
                                .section('%', 0, 0)))
            << text.toStdString();
        for (const QString& folder : looked)
            EXPECT_TRUE(text.contains(folder)) << text.toStdString();
        return;
    }
    EXPECT_EQ(folders.SkinsDir, r + GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Places, ResourceLookupTest,
    ::testing::Values(LookupCase{"BuildTree", "prefix/bin/skins", "prefix/bin/skins/"},
                      LookupCase{"InstalledPrefix", "prefix/share/velmaro/skins",
                                 "prefix/share/velmaro/skins/"},
                      LookupCase{"ConfiguredPrefix", "configured/share/velmaro/skins",
                                 "configured/share/velmaro/skins/"},
                      LookupCase{"Nowhere", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// --- the mouse the system will not open ------------------------------------------

struct AccessCase {
    const char* name;
    VirtualMouseConfig mouse;
    bool accessMessage;
};

class StartupMouseMessageTest : public MainWindowFixture,
                                public ::testing::WithParamInterface<AccessCase> {};

TEST_P(StartupMouseMessageTest, SaysWhatToRunWhenTheMouseIsThereButRefused) {
    Start({.Mouse = GetParam().mouse});
    Advance(2000);  // the start-up check
    CAttentionDlg* shown = dynamic_cast<CAttentionDlg*>(Window().StartupMessage());
    ASSERT_NE(shown, nullptr);
    const QString message = shown->Message();
    if (!GetParam().accessMessage) {
        EXPECT_EQ(message, Window().Text(kTextNoDevice));
        return;
    }
    EXPECT_EQ(shown->Layout(), AttentionLayout::Long);
    for (const char* command : {"sudo udevadm control --reload\n", "sudo udevadm trigger\n",
                                "sudo install -m 644 ", "unplug"})
        EXPECT_TRUE(message.contains(command)) << command << " in\n" << message.toStdString();
    EXPECT_TRUE(message.contains(kUdevRuleName));
    // Every line of it is shown, none cut off at the dialog's edge.
    CControlBase* text = shown->FindControl(kAttentionTextId);
    ASSERT_NE(text, nullptr);
    const QStringList lines = LayoutSkinText(text->Font(), message, text->GetRect(),
                                             kDtLeft | kDtWordBreak | kDtEditControl);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(message.endsWith(lines.last())) << lines.join('|').toStdString();
    Screenshot("startup_no_access");
}

INSTANTIATE_TEST_SUITE_P(
    Mice, StartupMouseMessageTest,
    ::testing::Values(
        AccessCase{"NoRule", {.no_access = true}, true},
        AccessCase{"ReceiverNoRule", {.cable = false, .receiver = true, .no_access = true}, true},
        AccessCase{"NoMouse", {.cable = false}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeviceAccessText, NamesTheRuleFileToInstallUnlessUdevReadsItsFolder) {
    EXPECT_TRUE(DeviceAccessText(LanguageTable{}, "/src/my tree/packaging/70-velmaro.rules")
                    .contains("sudo install -m 644 '/src/my tree/packaging/70-velmaro.rules' "
                              "/etc/udev/rules.d/\n"));
    EXPECT_FALSE(DeviceAccessText(LanguageTable{}, "/usr/lib/udev/rules.d/70-velmaro.rules")
                     .contains("install"));
}

// --- start at login -----------------------------------------------------------------

class StartAtLoginTest : public MainWindowFixture {
  protected:
    void SetUp() override {
        saved_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        qputenv("XDG_CONFIG_HOME", saved_);
    }
    QString Entry() const {
        return config_.path() + "/autostart/io.github.velmaro.Velmaro.desktop";
    }
    QByteArray EntryText() const {
        QFile f(Entry());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir config_;
    QByteArray saved_;
};

TEST_F(StartAtLoginTest, TheTrayEntryWritesAndRemovesTheAutostartEntry) {
    Start({.AutostartCommand = "/opt/my velmaro/bin/velmaro"});
    ASSERT_NE(Window().Tray(), nullptr);
    QAction& entry = Window().Tray()->StartAtLogin();
    EXPECT_TRUE(entry.isCheckable());
    EXPECT_FALSE(entry.isChecked());

    entry.trigger();
    ProcessEvents();
    EXPECT_TRUE(entry.isChecked());
    const QByteArray text = EntryText();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_TRUE(text.contains("\nExec=\"/opt/my velmaro/bin/velmaro\" --hidden\n"))
        << text.toStdString();

    entry.trigger();
    ProcessEvents();
    EXPECT_FALSE(entry.isChecked());
    EXPECT_FALSE(QFile::exists(Entry()));
    EXPECT_TRUE(dialogs.empty());

    // An entry made by hand meanwhile shows checked when the menu opens.
    ASSERT_TRUE(QDir().mkpath(config_.path() + "/autostart"));
    QFile byHand(Entry());
    ASSERT_TRUE(byHand.open(QIODevice::WriteOnly));
    byHand.close();
    emit Window().Tray()->Menu().aboutToShow();
    EXPECT_TRUE(entry.isChecked());
}

// In the user's language, naming the folder that could not be made.
TEST_F(StartAtLoginTest, AnEntryThatCannotBeWrittenIsToldAndLeftUnchecked) {
    // A file where the autostart folder should be.
    const QString folder = config_.path() + "/autostart";
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Reason told =
        Reason::Of(text::kAutostartNoFolder, {Reason::Text(folder.toStdU16String())});
    for (const auto& [locale, language] : {std::pair{"en_US.UTF-8", ShippedLanguage::English},
                                           {"zh_CN.UTF-8", ShippedLanguage::Chinese}}) {
        SCOPED_TRACE(locale);
        Start({.Locale = locale});
        QAction& entry = Window().Tray()->StartAtLogin();
        entry.trigger();
        ProcessEvents();
        EXPECT_FALSE(entry.isChecked());
        ASSERT_EQ(dialogs.size(), 1u);
        EXPECT_EQ(dialogs[0], "attention " + ToUtf8(RenderReason(ShippedTable(language), told)));
        Stop();
    }
}

TEST_F(MainWindowFixture, WithoutATrayStartAtLoginIsNotOffered) {
    Start({.Tray = false});
    EXPECT_EQ(Window().Tray(), nullptr);
}

class HiddenStartTest : public MainWindowFixture, public ::testing::WithParamInterface<bool> {};

TEST_P(HiddenStartTest, StaysInTheTrayOnlyWhereThereIsOne) {
    const bool tray = GetParam();
    Start({.Tray = tray, .Hidden = true});
    EXPECT_TRUE(Window().IsInitialized());
    EXPECT_EQ(Window().isVisible(), !tray);
    // The mouse is served all the same.
    Advance(20);
    EXPECT_FALSE(Sets().empty());
    if (tray) {
        Window().SendMessage(kMenuRestore, 0, 0);
        ProcessEvents();
        EXPECT_TRUE(Window().isVisible());
    }
}

INSTANTIATE_TEST_SUITE_P(Tray, HiddenStartTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "WithTray" : "WithoutTray"; });

// --- the macro library that did not load cleanly ------------------------------------

// Profile 0 plays library macro 1 on button 3; the library file is cut in half.
void SeedCutLibrary(const QString& folder) {
    FileSystem& fs = DefaultFileSystem();
    ProgramState seed;
    seed.DataFolder = folder.toStdU16String();
    seed.Settings.SetDefaultSettings(seed.DataFolder);
    for (int slot = 0; slot < kProfileSlots; ++slot)
        ResetProfileDefaults(seed.Profiles[slot], slot, seed.Language, kDefaultSensorId);
    KeyRecord& key = seed.Profiles[0].Keys[2];
    key.KeyName = u"Macro-Deep";
    key.Value = {kCategoryMacro, 0x11, 0x00};
    key.MacroKeyIndex = 1;
    key.Macro.MacroName = u"Deep";
    key.Macro.InsertAction(0, MacroAction::Make(0x41, 0x00, 0, 0));
    ASSERT_TRUE(QDir().mkpath(folder + "config"));
    ASSERT_TRUE(WriteSettingsFile(seed, fs));
    ASSERT_TRUE(WriteAllProfileFiles(seed, fs).AllWritten());
    MacroLibrary library;
    ASSERT_EQ(library.AddMacro(u"Macro 1"), AddResult::Added);
    const std::string path = MacroLibraryPath(seed.DataFolder);
    ASSERT_TRUE(SaveMacroLibrary(path, library, fs));
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(file.size() / 2));
}

TEST_F(MainWindowFixture, ACutLibraryIsToldOnceAndTheMacroButtonsAreKept) {
    Start({.Seed = SeedCutLibrary});
    Advance(20);  // the first apply meets the button
    ASSERT_EQ(dialogs.size(), 1u);
    // Buttons and profiles are counted from 1, as the user counts them.
    EXPECT_NE(dialogs[0].find("Button 3 of Profile 1 keeps its own macro as it was"),
              std::string::npos)
        << dialogs[0];
    EXPECT_TRUE(dialogs[0].ends_with(".")) << dialogs[0];
    EXPECT_EQ(dialogs[0].rfind("attention The macro library ", 0), 0u) << dialogs[0];

    // Later applies and a profile switch there and back say nothing more.
    Core().SwitchProfile(1);
    Advance(20);
    Core().SwitchProfile(0);
    Advance(20);
    // (The switches show their progress.)
    const auto attentions = std::count_if(dialogs.begin(), dialogs.end(), [](const auto& d) {
        return d.rfind("attention ", 0) == 0;
    });
    EXPECT_EQ(attentions, 1) << ::testing::PrintToString(dialogs);
    const KeyRecord& kept = Window().Profile().Keys[2];
    EXPECT_EQ(kept.Value, (KeyValue{kCategoryMacro, 0x11, 0x00}));
    EXPECT_EQ(kept.Macro.MacroName, u"Deep");
}

}  // namespace
}  // namespace velmaro::test

namespace velmaro::test {
namespace {

// --- the window in Chinese -------------------------------------------------------------

// A user whose desktop is in Chinese starts the program on a new data folder:
// the shipped Chinese language is chosen, and every message the window shows
// is drawn from it, whole, at scale 1.0 and 2.0.
class ChineseWindowTest : public MainWindowFixture, public ::testing::WithParamInterface<double> {
  protected:
    MainWindowOptions Chinese(MainWindowOptions options = {}) {
        options.Scale = GetParam();
        options.Locale = "zh_CN.UTF-8";
        return options;
    }
    static const LanguageTable& Zh() { return ShippedTable(ShippedLanguage::Chinese); }
    static QString Zh(uint16_t entry) { return QString::fromStdU16String(Zh().Text(entry)); }
    QString ShotName(const char* what) const {
        return QString("%1_zh_%2").arg(what).arg(int(GetParam() * 10));
    }
    // Answers every attention dialog, keeping what it drew (checked whole,
    // its picture saved as `shot`).
    void KeepDrawnMessages(const char* shot) {
        answer = [this, shot](CDlgBase& dialog) {
            if (auto* a = dynamic_cast<CAttentionDlg*>(&dialog)) {
                messages.push_back(a->Message());
                ExpectMessageDrawnWhole(*a, a->Message(), ShotName(shot));
            }
            return int(QDialog::Accepted);
        };
    }
    std::vector<QString> messages;
};

TEST_P(ChineseWindowTest, TheDamagedLibraryIsToldInChinese) {
    QString drawn;
    answer = [&](CDlgBase& dialog) {
        if (auto* a = dynamic_cast<CAttentionDlg*>(&dialog)) {
            drawn = a->Message();
            ExpectMessageDrawnWhole(*a, drawn, ShotName("library"));
        }
        return int(QDialog::Accepted);
    };
    Start(Chinese({.Seed = SeedCutLibrary}));
    ASSERT_EQ(Window().State().Language.Entries[0], u"中文");
    Advance(20);
    const QString path = QString::fromStdString(MacroLibraryPath(Window().State().DataFolder));
    const QString expected = QString::fromStdU16String(RenderReason(
        Zh(), Reason::Of(text::kLibraryKeepsOne,
                         {Reason::Text(path.toStdU16String()), Reason::Of(text::kLibraryCutShort),
                          Reason::Number(3), ProfileLabel(0)})));
    EXPECT_EQ(drawn, expected);
    // Nothing English is left once the path is taken out.
    EXPECT_FALSE(QString(drawn).remove(path).contains(QRegularExpression("[A-Za-z]{2,}")))
        << drawn.toStdString();
}

TEST_P(ChineseWindowTest, TheAccessHelpIsToldInChineseWithTheCommandsAsTheyStand) {
    Start(Chinese({.Mouse = {.no_access = true}}));
    Advance(2000);  // the start-up check
    auto* shown = dynamic_cast<CAttentionDlg*>(Window().StartupMessage());
    ASSERT_NE(shown, nullptr);
    const QStringList lines = shown->Message().split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], Zh(text::kAccessDenied));
    EXPECT_EQ(lines[1], Zh(text::kAccessRunCommands));
    EXPECT_TRUE(lines.contains(QString(4, QChar(0x00A0)) + "sudo udevadm trigger"));
    EXPECT_TRUE(lines.contains(Zh(text::kAccessReplug)));
    ExpectMessageDrawnWhole(*shown, shown->Message(), ShotName("access"));
}

// The name of the one copy a file was kept as, beside it.
QString KeptCopyOf(const QString& path) {
    const QFileInfo file(path);
    const QStringList copies =
        file.dir().entryList({file.fileName() + ".bad-*"}, QDir::Files, QDir::Name);
    return copies.size() == 1 ? copies[0] : QString();
}

QString Rendered(const Reason& reason) {
    return QString::fromStdU16String(RenderReason(ShippedTable(ShippedLanguage::Chinese), reason));
}

// Letters of a message once the paths and values of the files are taken
// out: none when everything else is Chinese.
bool HasEnglishBesides(QString text, const QStringList& values) {
    // The program's name and the DPI unit stand as they are in every language.
    for (const QString& value : values + QStringList{"Velmaro", "DPI"})
        text.remove(value);
    return text.contains(QRegularExpression("[A-Za-z]{2,}"));
}

// config.ini with a damaged PreST line: repaired at the start and told with
// the repair's reason, each line in Chinese.
TEST_P(ChineseWindowTest, StartUpRepairsAreToldInChinese) {
    KeepDrawnMessages("repaired");
    Start(Chinese({.Seed = [](const QString& folder) {
        WriteConfigIni(folder, u"[Setting]\nSensor=0x3325\nPreST=0xCC\u0663A\n");
    }}));
    ProcessEvents();
    ASSERT_EQ(messages.size(), 1u);
    const QString folder = DataFolder() + "config/";
    const QString kept = KeptCopyOf(folder + "config.ini");
    ASSERT_FALSE(kept.isEmpty());
    const QString pair = QString::fromStdU16String(u"PreST=0xCC\u0663A");
    const QString expected =
        Zh(kTextFilesRepaired) + "\n" + folder + "\nconfig.ini -> " + kept + ": " +
        Zh(text::kSettingsRewritten) + "\n" +
        Rendered(Reason::Of(
            text::kPreSTNotHex,
            {Reason::Number(3), Reason::Text(pair.toStdU16String()), Reason::Text(u"0x3325")}));
    EXPECT_EQ(messages[0], expected);
    EXPECT_FALSE(HasEnglishBesides(messages[0], {kept, folder, "config.ini", pair, "0x3325"}))
        << messages[0].toStdString();
}

// A profile file damaged by another program while the window runs: kept
// beside itself and told, the reason in Chinese.
TEST_P(ChineseWindowTest, ADamagedEditFromOutsideIsToldInChinese) {
    KeepDrawnMessages("outside");
    Start(Chinese());
    Advance(20);
    Advance(10000);  // the start-up apply and its save
    messages.clear();
    const QString path = DataFolder() + "config/default0.psf";
    {
        // Cut short, as by a sync that stopped half-way.
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const QByteArray whole = f.readAll();
        ASSERT_TRUE(f.resize(whole.size() / 4 * 2));
    }
    ProfileRecord scratch;
    const Reason why = ParseProfileFile(path.toStdU16String(), DefaultFileSystem(), scratch).Why;
    ASSERT_FALSE(why.Empty());
    WaitFor([this] { return TimerRunning(kTimerOutsideChanges); }, 3000);
    Advance(kOutsideChangesDelayMs);
    ASSERT_EQ(messages.size(), 1u);
    const QString kept = KeptCopyOf(path);
    ASSERT_FALSE(kept.isEmpty());
    const Reason profile = ProfileLabel(0, Window().State().Profiles[0].Setting(kProfileName));
    EXPECT_EQ(messages[0], Zh(kTextChangedOutside) + "\n" + DataFolder() + "config/\n" +
                               "default0.psf -> " + kept + ": " +
                               Rendered(Reason::Of(text::kOutsideKeepsProfile, {why, profile})));
    EXPECT_FALSE(HasEnglishBesides(messages[0], {kept, DataFolder() + "config/", "default0.psf"}))
        << messages[0].toStdString();
}

// The user's own five profiles and a damaged config.ini: all six files are
// kept and reset, told in few enough lines that the message fits its dialog
// (the five profiles share one line).
TEST_P(ChineseWindowTest, AResetOfTheFiveProfilesIsOneLineThatFits) {
    KeepDrawnMessages("reset");
    Start(Chinese({.Seed = [](const QString& folder) {
        FileSystem& fs = DefaultFileSystem();
        ProgramState seed;
        seed.DataFolder = folder.toStdU16String();
        seed.Settings.SetDefaultSettings(seed.DataFolder);
        ASSERT_TRUE(EnsureConfigFolder(seed, fs));
        for (int slot = 0; slot < kProfileSlots; ++slot) {
            ResetProfileDefaults(seed.Profiles[slot], slot, seed.Language, kDefaultSensorId);
            seed.Profiles[slot].Setting(kProfileName) = u"Mine " + ToU16(std::to_string(slot));
            ASSERT_TRUE(WriteProfileFile(seed, slot, seed.Settings.ProfileSlotPath(slot), fs));
        }
        WriteConfigIni(folder, u"[Setting]\nSensor\n");
    }}));
    ProcessEvents();
    ASSERT_EQ(messages.size(), 1u);
    const QString folder = DataFolder() + "config/";
    const QString kept = KeptCopyOf(folder + "config.ini");
    ASSERT_FALSE(kept.isEmpty());
    const QString ending = kept.mid(QString("config.ini").size());
    std::vector<Reason> names;
    for (int slot = 0; slot < kProfileSlots; ++slot) {
        const QString name = QString("default%1.psf").arg(slot);
        // The copies are stamped to the second: one made in the next second
        // has a line of its own.
        if (KeptCopyOf(folder + name) != name + ending)
            GTEST_SKIP() << "the copies were made across a second";
        names.push_back(Reason::Text(name.toStdU16String()));
    }
    const Reason damaged = Reason::Of(text::kSettingsNoEquals, {Reason::Number(2)});
    EXPECT_EQ(messages[0],
              Zh(kTextFilesRepaired) + "\n" + folder + "\nconfig.ini -> " + kept + ": " +
                  Rendered(Reason::Of(text::kSettingsReset, {damaged})) + "\n" +
                  Rendered(Reason::Of(text::kKeptEach, {ListOf(std::move(names)),
                                                        Reason::Text(ending.toStdU16String())})) +
                  ": " + Rendered(Reason::Of(text::kProfilesResetWithSettings, {damaged})));
}

INSTANTIATE_TEST_SUITE_P(Scales, ChineseWindowTest, ::testing::Values(1.0, 2.0),
                         [](const auto& info) { return info.param == 1.0 ? "Scale1" : "Scale2"; });

}  // namespace
}  // namespace velmaro::test
