// Writes on a failing disk: the old file stays byte for byte, no temporary
// file is left behind, and the writer says it failed.
#include <errno.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/posix_file_system.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"
#include "storage_test_support.h"

namespace velmaro {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::Utf16File;
using testing::WriteBytes;

// What the fake system calls do; reset before every test.
struct FaultPlan {
    long bytes_before_no_space = -1;  // ENOSPC once this many bytes are written; -1 never
    int interrupted_writes = 0;       // the first writes fail with EINTR
    size_t max_chunk = 0;             // short writes of at most this many bytes
    bool fail_fsync = false;
    bool fail_close = false;
    bool fail_rename = false;
    long written = 0;
};
FaultPlan plan;

ssize_t FakeWrite(int fd, const void* buf, size_t count) {
    if (plan.interrupted_writes > 0) {
        --plan.interrupted_writes;
        errno = EINTR;
        return -1;
    }
    if (plan.bytes_before_no_space >= 0) {
        const long room = plan.bytes_before_no_space - plan.written;
        if (room <= 0) {
            errno = ENOSPC;
            return -1;
        }
        count = std::min(count, static_cast<size_t>(room));
    }
    if (plan.max_chunk != 0)
        count = std::min(count, plan.max_chunk);
    const ssize_t n = ::write(fd, buf, count);
    if (n > 0)
        plan.written += n;
    return n;
}

int FakeFsync(int fd) {
    if (plan.fail_fsync) {
        errno = EIO;
        return -1;
    }
    return ::fsync(fd);
}

int FakeClose(int fd) {
    const int rc = ::close(fd);
    if (plan.fail_close) {
        errno = EIO;
        return -1;
    }
    return rc;
}

int FakeRename(const char* from, const char* to) {
    if (plan.fail_rename) {
        errno = EIO;
        return -1;
    }
    return ::rename(from, to);
}

SysCalls FaultyCalls() {
    SysCalls calls = SysCalls::Real();
    calls.write = &FakeWrite;
    calls.fsync = &FakeFsync;
    calls.close = &FakeClose;
    calls.rename = &FakeRename;
    return calls;
}

struct WriteCase {
    const char* name;
    FaultPlan plan;
    bool lands;

    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
};

class AtomicWriteTest : public ::testing::TestWithParam<WriteCase> {
  protected:
    void SetUp() override { plan = GetParam().plan; }
};

TEST_P(AtomicWriteTest, OldFileSurvivesEveryFailure) {
    TempDir dir;
    const std::string path = dir / "config.ini";
    const std::string old_bytes = Utf16File(u"[Setting]\nold=1\n");
    WriteBytes(path, old_bytes);
    const std::string new_bytes(5000, 'n');
    PosixFileSystem fs(FaultyCalls());

    EXPECT_EQ(fs.WriteFileAtomic(path, new_bytes), GetParam().lands);
    EXPECT_EQ(ReadBytes(path), GetParam().lands ? new_bytes : old_bytes);
    EXPECT_EQ(dir.List(), std::vector<std::string>{"config.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AtomicWriteTest,
    ::testing::Values(WriteCase{"NoSpaceAtOnce", {.bytes_before_no_space = 0}, false},
                      WriteCase{"NoSpacePartWay", {.bytes_before_no_space = 1000}, false},
                      WriteCase{"FsyncFails", {.fail_fsync = true}, false},
                      WriteCase{"CloseFails", {.fail_close = true}, false},
                      WriteCase{"RenameFails", {.fail_rename = true}, false},
                      WriteCase{"InterruptedWritesAreRetried", {.interrupted_writes = 3}, true},
                      WriteCase{"ShortWritesAreContinued", {.max_chunk = 7}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicWriteTest, NewFileOnAFullDiskIsNotCreated) {
    plan = {.bytes_before_no_space = 10};
    TempDir dir;
    PosixFileSystem fs(FaultyCalls());
    EXPECT_FALSE(fs.WriteFileAtomic(dir / "new.psf", std::string(100, 'x')));
    EXPECT_TRUE(dir.List().empty());
}

// The program's writers on a disk that fails.
class FailingDiskTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plan = {};
        state.DataFolder = ToU16(dir.Path()) + u"/";
        ASSERT_TRUE(EnsureConfigFolder(state, good));
        ASSERT_TRUE(LoadSettings(state, good).SettingsRebuilt);
        for (int s = 0; s < kProfileSlots; ++s)
            state.Profiles[s].Setting(kProfileName) = u"Mine " + FormatDecimal(s);
        ASSERT_TRUE(WriteAllProfileFiles(state, good).AllWritten());
        Snapshot();
    }

    std::string ConfigPath() const { return dir / "config/config.ini"; }
    std::string SlotPath(int s) const {
        return dir / ("config/default" + std::to_string(s) + ".psf");
    }
    std::vector<std::string> AllPaths() const {
        std::vector<std::string> paths = {ConfigPath()};
        for (int s = 0; s < kProfileSlots; ++s)
            paths.push_back(SlotPath(s));
        return paths;
    }

    void Snapshot() {
        before.clear();
        for (const auto& path : AllPaths())
            before.push_back(ReadBytes(path));
        listing = dir.List("config");
    }
    // Every file byte for byte as it was, and nothing added.
    void ExpectUnchanged() {
        const auto paths = AllPaths();
        for (size_t i = 0; i < paths.size(); ++i)
            EXPECT_EQ(ReadBytes(paths[i]), before[i]) << paths[i];
        EXPECT_EQ(dir.List("config"), listing);
    }

    TempDir dir;
    PosixFileSystem good;
    PosixFileSystem failing{FaultyCalls()};
    ProgramState state;
    std::vector<std::string> before;
    std::vector<std::string> listing;
};

TEST_F(FailingDiskTest, EveryWriterReportsFailure) {
    plan.bytes_before_no_space = 100;
    state.CurrentProfileTab = 2;
    // Files whose bytes would not change are not written at all.
    for (int s = 0; s < kProfileSlots; ++s)
        state.Profiles[s].Setting(kProfileName) = u"changed " + FormatDecimal(s);

    EXPECT_FALSE(SaveSettings(state, failing));
    EXPECT_FALSE(WriteSettingsFile(state, failing));
    EXPECT_FALSE(WriteProfileFile(state, 0, ToU16(SlotPath(0)), failing));
    EXPECT_FALSE(ExportProfile(state, ToU16(dir / "out.psf"), failing));
    const StorageReport all = WriteAllProfileFiles(state, failing);
    const auto paths = AllPaths();
    EXPECT_EQ(all.FailedWrites, std::vector<std::string>(paths.begin() + 1, paths.end()));
    EXPECT_FALSE(std::filesystem::exists(dir / "out.psf"));
    ExpectUnchanged();
}

TEST_F(FailingDiskTest, SensorChangeThatCannotBeSavedLeavesTheFilesAndSaysSo) {
    // Switch the sensor on disk with the good file system.
    state.Settings.Value(kSensor) = u"0x3327";
    ASSERT_TRUE(WriteSettingsFile(state, good));
    Snapshot();
    plan.fail_rename = true;

    ProgramState loaded;
    loaded.DataFolder = state.DataFolder;
    const LoadSettingsResult result = LoadSettings(loaded, failing);

    EXPECT_TRUE(result.SensorChanged);
    EXPECT_EQ(result.Report.FailedWrites, AllPaths());
    // The copies made before the reset are all that is new.
    ASSERT_EQ(result.Report.KeptFiles.size(), 5u);
    for (int s = 0; s < kProfileSlots; ++s) {
        EXPECT_EQ(ReadBytes(result.Report.KeptFiles[s].KeptAs), before[1 + s]);
        std::filesystem::remove(result.Report.KeptFiles[s].KeptAs);
    }
    ExpectUnchanged();
}

TEST_F(FailingDiskTest, RebuildThatCannotWriteKeepsTheOldFilesInPlace) {
    WriteBytes(ConfigPath(), Utf16File(u"[Setting]\nbroken\n"));
    Snapshot();
    plan.fail_rename = true;  // copies can be made, replacements cannot

    ProgramState loaded;
    loaded.DataFolder = state.DataFolder;
    const LoadSettingsResult result = LoadSettings(loaded, failing);

    EXPECT_TRUE(result.SettingsRebuilt);
    // Nothing would keep a reset of the profiles: they are not reset, and
    // only the settings file was put aside.
    EXPECT_EQ(result.Report.FailedWrites, std::vector<std::string>{ConfigPath()});
    ASSERT_EQ(result.Report.KeptFiles.size(), 1u);
    EXPECT_FALSE(result.Report.KeptFiles[0].KeptAs.empty());
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(ReadBytes(AllPaths()[i]), before[i]);
    EXPECT_EQ(result.SlotReset, (std::array<bool, 5>{}));
    EXPECT_EQ(loaded.Profiles[3].Setting(kProfileName), u"Mine 3");
}

TEST_F(FailingDiskTest, BadFileThatCannotBeKeptIsReportedSo) {
    WriteBytes(ConfigPath(), Utf16File(u"[Setting]\nbroken\n"));
    Snapshot();
    plan.bytes_before_no_space = 0;

    ProgramState loaded;
    loaded.DataFolder = state.DataFolder;
    const LoadSettingsResult result = LoadSettings(loaded, failing);

    ASSERT_EQ(result.Report.KeptFiles.size(), 1u);
    EXPECT_EQ(result.Report.KeptFiles[0].Path, ConfigPath());
    EXPECT_EQ(result.Report.KeptFiles[0].KeptAs, "");
    EXPECT_EQ(result.Report.FailedWrites, std::vector<std::string>{ConfigPath()});
    ExpectUnchanged();
}

}  // namespace
}  // namespace velmaro
