// A profile file rewritten on disk while the window runs (edited by hand,
// synced from another machine): a clean edit is taken in and the mouse gets
// only what differs; a damaged edit, or one that clashes with a change of
// the window's own, is kept beside the file and told, and the window's
// change is saved, not lost.
#include <QCursor>
#include <QDir>

#include "app/data_folder_watcher.h"
#include "device/command_payloads.h"
#include "main_window_fixture.h"
#include "storage/profile_file.h"

namespace velmaro::test {
namespace {

class OutsideChangesTest : public MainWindowFixture {
  protected:
    void SetUp() override { QCursor::setPos(QPoint(-500, -500)); }

    // Started, the start-up apply and its save done, the log cleared.
    void StartSettled() {
        Start();
        Advance(20);
        Advance(10000);
        ClearReports();
        dialogs.clear();
    }
    QString Profile0() const { return DataFolder() + "config/default0.psf"; }
    // Writes the file as another program would: in place, not through the
    // window's disk.
    void WriteOutside(const QByteArray& bytes) {
        QFile f(Profile0());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    // Profile 0 as the window holds it, with the report rate set to 125 Hz.
    QByteArray EditedProfile() {
        ProfileRecord record = Window().State().Profiles[0];
        record.PollingRateValue = {0, 0, 0};
        record.PollingRateName = u"125HZ";
        const std::string bytes = ProfileFileBytes(record);
        return QByteArray(bytes.data(), qsizetype(bytes.size()));
    }
    // The watcher's event arrives (for real), then its timer runs.
    void WaitAndLook() {
        WaitFor([this] { return TimerRunning(kTimerOutsideChanges); }, 3000);
        Advance(kOutsideChangesDelayMs);
    }
    std::vector<uint8_t> SettingCommands() {
        std::vector<uint8_t> commands;
        for (const SeamLogEntry& e : Sets()) {
            if (e.bytes.size() > 2 && e.bytes[2] != CMD_QUERY_STATUS)
                commands.push_back(e.bytes[2]);
        }
        return commands;
    }
    // A change of the window's own: the 250 Hz tile clicked.
    void ChooseRate250() {
        Window().Sections().SetOpen(Section::Rate, true);
        Window().RenderAll();
        ASSERT_TRUE(Click(0xBD7));
        ASSERT_EQ(Window().Profile().PollingRateName, u"250HZ");
    }
    // The attention messages shown (progress dialogs left out).
    std::vector<std::string> Attentions() const {
        std::vector<std::string> shown;
        for (const std::string& d : dialogs)
            if (d.rfind("attention ", 0) == 0)
                shown.push_back(d);
        return shown;
    }
    QStringList KeptCopies() const {
        return QDir(DataFolder() + "config").entryList({"default0.psf.bad-*"}, QDir::Files);
    }
    QByteArray KeptCopy() const {
        const QStringList copies = KeptCopies();
        return copies.size() == 1 ? ReadDataFile("config/" + copies[0]) : QByteArray();
    }
};

TEST_F(OutsideChangesTest, ACleanEditIsTakenInAndOnlyWhatDiffersIsSent) {
    StartSettled();
    const QByteArray edited = EditedProfile();
    WriteOutside(edited);
    WaitAndLook();
    Advance(20);  // the apply

    EXPECT_EQ(SettingCommands(), std::vector<uint8_t>{CMD_SET_POLLING_RATE});
    EXPECT_TRUE(Mouse().Settings().Holds(ComposePollingRate(Window().Profile())));
    EXPECT_EQ(Window().Profile().PollingRateName, u"125HZ");
    EXPECT_EQ(Attentions(), std::vector<std::string>{});
    // The save that follows leaves the edit as it is, and the window's own
    // writes bring no second look.
    Advance(10000);
    EXPECT_EQ(ReadDataFile("config/default0.psf"), edited);
    EXPECT_TRUE(KeptCopies().isEmpty());
    ClearReports();
    WaitAndLook();
    Advance(20);
    EXPECT_EQ(SettingCommands(), std::vector<uint8_t>{});
    EXPECT_EQ(Attentions(), std::vector<std::string>{});
}

struct KeptCase {
    const char* name;
    // The window has a change of its own, not yet saved, when the edit comes.
    bool pendingChange;
    // The edit is cut in half (does not read).
    bool damaged;
};

class OutsideEditKeptTest : public OutsideChangesTest,
                            public ::testing::WithParamInterface<KeptCase> {};

TEST_P(OutsideEditKeptTest, IsKeptToldAndTheWindowsChangeIsSaved) {
    StartSettled();
    if (GetParam().pendingChange) {
        ChooseRate250();
        Advance(20);
        ClearReports();
        dialogs.clear();
    }
    const std::string own = ProfileFileBytes(Window().State().Profiles[0]);
    QByteArray edit = EditedProfile();
    if (GetParam().damaged)
        edit.truncate(edit.size() / 2);
    WriteOutside(edit);
    WaitAndLook();

    const std::vector<std::string> told = Attentions();
    ASSERT_EQ(told.size(), 1u) << ::testing::PrintToString(dialogs);
    EXPECT_EQ(told[0].rfind("attention A file of the data folder was changed outside", 0), 0u)
        << told[0];
    EXPECT_NE(told[0].find("default0.psf.bad-"), std::string::npos) << told[0];
    EXPECT_EQ(KeptCopy(), edit);
    Advance(20);
    EXPECT_EQ(SettingCommands(), std::vector<uint8_t>{});
    // The window's version goes back to disk; the edit stays kept once.
    Advance(10000);
    EXPECT_EQ(ReadDataFile("config/default0.psf").toStdString(), own);
    EXPECT_EQ(KeptCopies().size(), 1);
    if (GetParam().pendingChange) {
        EXPECT_EQ(Window().Profile().PollingRateName, u"250HZ");
    }
}

INSTANTIATE_TEST_SUITE_P(Edits, OutsideEditKeptTest,
                         ::testing::Values(KeptCase{"Damaged", false, true},
                                           KeptCase{"ClashesWithAPendingChange", true, false},
                                           KeptCase{"DamagedWithAPendingChange", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// An edit that comes between the last look and the save: the save checks
// the file again and keeps the edit before it writes.
TEST_F(OutsideChangesTest, AnEditJustBeforeTheSaveIsKept) {
    StartSettled();
    ChooseRate250();
    Advance(20);
    Advance(kOutsideChangesDelayMs);  // the look after the progress dialog
    dialogs.clear();
    const QByteArray edit = EditedProfile();
    WriteOutside(edit);
    // No look yet: the save runs first.
    Advance(10000);
    EXPECT_EQ(KeptCopy(), edit);
    const std::vector<std::string> told = Attentions();
    ASSERT_EQ(told.size(), 1u) << ::testing::PrintToString(dialogs);
    EXPECT_NE(told[0].find("default0.psf.bad-"), std::string::npos) << told[0];
    EXPECT_EQ(Window().Profile().PollingRateName, u"250HZ");
}

// A damaged file found at the start is told once the window is up.
TEST_F(OutsideChangesTest, RepairsAtTheStartAreTold) {
    Start({.Seed = [](const QString& folder) {
        WriteConfigIni(folder, u"[Setting]\nSensor=0x3325\nPreST=0xCC\u0663A\n");
    }});
    ProcessEvents();
    const std::vector<std::string> told = Attentions();
    ASSERT_EQ(told.size(), 1u) << ::testing::PrintToString(dialogs);
    EXPECT_EQ(told[0].rfind("attention Velmaro repaired files of its data folder", 0), 0u)
        << told[0];
    EXPECT_NE(told[0].find("config.ini line 3"), std::string::npos) << told[0];
}

}  // namespace
}  // namespace velmaro::test
