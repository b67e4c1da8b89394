// Every save on a disk that fails one system call: for each save, each kind
// of call it makes, each of those calls in turn and each of ENOSPC, EIO and
// EDQUOT, the save says it failed with the system's reason, the old file is
// intact byte for byte, no temporary file is left, and the same save
// succeeds once the fault is gone.
#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "macro/macro_library_file.h"
#include "macro/macro_transfer.h"
#include "model/text.h"
#include "platform/posix_file_system.h"
#include "storage/profile_file.h"
#include "storage/settings_file.h"
#include "storage_test_support.h"

namespace velmaro {
namespace {

using testing::ReadBytes;
using testing::TempDir;

enum class Call { kOpen, kWrite, kFsync, kClose, kRename };
constexpr std::array<Call, 5> kCalls = {Call::kOpen, Call::kWrite, Call::kFsync, Call::kClose,
                                        Call::kRename};
constexpr std::array<int, 3> kErrnos = {ENOSPC, EIO, EDQUOT};

const char* CallName(Call call) {
    switch (call) {
        case Call::kOpen:
            return "open";
        case Call::kWrite:
            return "write";
        case Call::kFsync:
            return "fsync";
        case Call::kClose:
            return "close";
        case Call::kRename:
            return "rename";
    }
    return "?";
}

// "Call `fail_at` of kind `kind` fails with `error`"; calls are counted
// either way, so a dry run tells how many calls of each kind a save makes.
struct Plan {
    Call kind = Call::kOpen;
    int fail_at = 0;  // 1-based; 0 never
    int error = 0;
    std::array<int, kCalls.size()> seen{};
    bool failed = false;
};
Plan plan;

bool Fails(Call kind) {
    const int n = ++plan.seen[static_cast<size_t>(kind)];
    if (kind != plan.kind || n != plan.fail_at)
        return false;
    plan.failed = true;
    errno = plan.error;
    return true;
}

int PlanOpen(const char* path, int flags, mode_t mode) {
    return Fails(Call::kOpen) ? -1 : ::open(path, flags, mode);
}
ssize_t PlanWrite(int fd, const void* buf, size_t count) {
    return Fails(Call::kWrite) ? -1 : ::write(fd, buf, count);
}
int PlanFsync(int fd) {
    return Fails(Call::kFsync) ? -1 : ::fsync(fd);
}
int PlanClose(int fd) {
    // The descriptor is gone even when close reports an error.
    const int result = ::close(fd);
    return Fails(Call::kClose) ? -1 : result;
}
int PlanRename(const char* from, const char* to) {
    return Fails(Call::kRename) ? -1 : ::rename(from, to);
}

SysCalls PlanCalls() {
    SysCalls calls = SysCalls::Real();
    calls.open = &PlanOpen;
    calls.write = &PlanWrite;
    calls.fsync = &PlanFsync;
    calls.close = &PlanClose;
    calls.rename = &PlanRename;
    return calls;
}

// The program's files in a temporary data folder, every one of them written
// once, and a change to the models so that each save has new bytes to write.
class FaultMatrixTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plan = {};
        state.DataFolder = ToU16(dir.Path() + "/");
        ASSERT_TRUE(EnsureConfigFolder(state, real));
        state.Settings.SetDefaultSettings(state.DataFolder);
        for (int s = 0; s < kProfileSlots; ++s)
            ResetProfileDefaults(state.Profiles[s], s, state.Language, state.Settings.Sensor());
        library.AddFolder(u"Folder");
        library.AddMacro(u"Macro");
        FillLarge(large);
        ASSERT_TRUE(SaveAll());
        Change(0);
    }

    // Six hundred macros: megabytes, written in several pieces.
    static void FillLarge(MacroLibrary& lib) {
        for (int f = 0; f < 10; ++f) {
            lib.SelectedLocation = MacroItemLocation::None();
            lib.AddFolder(u"F" + FormatDecimal(f));
            const MacroItemLocation folder = lib.SelectedLocation;
            for (int m = 0; m < 60; ++m) {
                lib.SelectedLocation = folder;
                lib.AddMacro(u"M" + FormatDecimal(m));
            }
        }
    }

    bool SaveAll() {
        bool ok = true;
        for (const Save& save : Saves())
            ok = save.run(real) && ok;
        return ok;
    }

    // Gives every file new content.
    void Change(int round) {
        state.Settings.Value(kDataChange) = u"0x" + FormatDecimal(round + 100);
        for (ProfileRecord& record : state.Profiles)
            record.Setting(kProfileName) = u"Round " + FormatDecimal(round);
        library.NextMacroKeyIndex += 1;
        large.NextMacroKeyIndex += 1;
    }

    struct Save {
        std::string name;
        std::string path;
        std::function<bool(FileSystem&)> run;
    };

    std::vector<Save> Saves() {
        std::vector<Save> saves;
        saves.push_back({"settings", ToUtf8(SettingsFilePath(state)),
                         [this](FileSystem& fs) { return SaveSettings(state, fs); }});
        for (int s = 0; s < kProfileSlots; ++s) {
            saves.push_back({"profile" + std::to_string(s),
                             ToUtf8(state.Settings.ProfileSlotPath(s)), [this, s](FileSystem& fs) {
                                 return WriteProfileFile(state, s,
                                                         state.Settings.ProfileSlotPath(s), fs);
                             }});
        }
        const std::string lib_path = MacroLibraryPath(state.DataFolder);
        saves.push_back({"library", lib_path, [this, lib_path](FileSystem& fs) {
                             return SaveMacroLibrary(lib_path, library, fs);
                         }});
        const std::string large_path = dir / "large.mlf";
        saves.push_back({"large library", large_path, [this, large_path](FileSystem& fs) {
                             return SaveMacroLibrary(large_path, large, fs);
                         }});
        const std::string psf = dir / "export.psf";
        saves.push_back({"profile export", psf, [this, psf](FileSystem& fs) {
                             return ExportProfile(state, ToU16(psf), fs);
                         }});
        const std::string mkf = dir / "export.mkf";
        saves.push_back({"macro export", mkf, [this, mkf](FileSystem& fs) {
                             library.SelectedLocation = MacroItemLocation::Stage1(0, 0);
                             return ExportMacroFile(mkf, library, fs);
                         }});
        const std::string mbf = dir / "export.mbf";
        saves.push_back({"collection export", mbf, [this, mbf](FileSystem& fs) {
                             library.SelectedLocation = MacroItemLocation::Top(0);
                             return ExportCollectionFile(mbf, library, fs);
                         }});
        return saves;
    }

    // Everything in the data folder and its config folder.
    std::vector<std::string> Listing() const {
        std::vector<std::string> names = dir.List();
        for (const std::string& name : dir.List("config"))
            names.push_back("config/" + name);
        return names;
    }

    TempDir dir;
    PosixFileSystem real;
    ProgramState state;
    MacroLibrary library;
    MacroLibrary large;
};

TEST_F(FaultMatrixTest, EverySaveSurvivesEveryFailedCall) {
    PosixFileSystem faulty(PlanCalls());
    int cases = 0;
    int round = 1;
    for (const Save& save : Saves()) {
        // How many calls of each kind this save makes.
        plan = {};
        ASSERT_TRUE(save.run(faulty)) << save.name;
        const std::array<int, kCalls.size()> counts = plan.seen;
        Change(round++);

        for (const Call kind : kCalls) {
            const int calls = counts[static_cast<size_t>(kind)];
            // Every save makes every kind of call.
            EXPECT_GE(calls, 1) << save.name << " " << CallName(kind);
            for (int k = 1; k <= calls; ++k) {
                for (const int error : kErrnos) {
                    SCOPED_TRACE(save.name + ": " + CallName(kind) + " #" + std::to_string(k) +
                                 " fails with " + std::to_string(error));
                    const std::string before = ReadBytes(save.path);
                    const std::vector<std::string> listing = Listing();
                    plan = {kind, k, error};

                    EXPECT_FALSE(save.run(faulty));
                    EXPECT_TRUE(plan.failed);
                    // The system's own reason is what the caller can tell.
                    EXPECT_EQ(faulty.LastErrorText(), std::strerror(error));
                    EXPECT_EQ(ReadBytes(save.path), before);
                    EXPECT_EQ(Listing(), listing);

                    // The fault is gone: the same save goes through.
                    plan = {};
                    ASSERT_TRUE(save.run(faulty));
                    EXPECT_NE(ReadBytes(save.path), before);
                    EXPECT_EQ(Listing(), listing);
                    Change(round++);
                    ++cases;
                }
            }
        }
        std::printf("fault matrix: %-17s open %d, write %d, fsync %d, close %d, rename %d\n",
                    save.name.c_str(), counts[0], counts[1], counts[2], counts[3], counts[4]);
    }
    std::printf("fault matrix: %d cases (save x call x errno)\n", cases);
}

// A file written in pieces has the bytes of one written whole.
TEST_F(FaultMatrixTest, LargeFileWrittenInPiecesHasTheSameBytes) {
    PosixFileSystem counting(PlanCalls());
    plan = {};
    const std::string path = dir / "large.mlf";
    ASSERT_TRUE(SaveMacroLibrary(path, large, counting));
    EXPECT_GT(plan.seen[static_cast<size_t>(Call::kWrite)], 1);
    // The file system's default for pieces: collected, then written whole.
    class WholeFileDisk : public PosixFileSystem {
      public:
        std::unique_ptr<AtomicFileWriter> BeginAtomicWrite(const std::string& p) override {
            return FileSystem::BeginAtomicWrite(p);
        }
    } whole;
    ASSERT_TRUE(SaveMacroLibrary(dir / "whole.mlf", large, whole));
    EXPECT_EQ(ReadBytes(path), ReadBytes(dir / "whole.mlf"));
    MacroLibrary again;
    EXPECT_TRUE(LoadMacroLibrary(path, again, real).Complete);
}

}  // namespace
}  // namespace velmaro
