// The tracked disk: the program's own writes are never taken for outside
// changes, an outside change is seen even when it keeps the size, and a
// write over an outside change keeps it first, once.
#include "storage/tracked_file_system.h"

#include <gtest/gtest.h>

#include "platform/posix_file_system.h"
#include "storage/stdio_file_ex.h"
#include "storage_test_support.h"

namespace velmaro {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class TrackedFileSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tracked.SetFolder(dir.Path() + "/");
        WriteBytes(file, "first");
        tracked.Remember(file);
    }
    std::vector<std::string> Copies() const {
        std::vector<std::string> copies;
        for (const std::string& name : dir.List())
            if (name.find(".bad-") != std::string::npos)
                copies.push_back(name);
        return copies;
    }

    TempDir dir;
    PosixFileSystem disk;
    TrackedFileSystem tracked{disk};
    const std::string file = dir / "default0.psf";
};

TEST_F(TrackedFileSystemTest, OwnWritesAreNoOutsideChange) {
    ASSERT_TRUE(tracked.WriteFileAtomic(file, "second"));
    EXPECT_FALSE(tracked.ChangedOutside(file));
    // Written a piece at a time, as the text file class does.
    auto writer = tracked.BeginAtomicWrite(file);
    ASSERT_TRUE(writer->Write("thi") && writer->Write("rd"));
    ASSERT_TRUE(writer->Commit());
    EXPECT_FALSE(tracked.ChangedOutside(file));
    EXPECT_TRUE(tracked.IsOwnVersion(file, "third"));
    EXPECT_TRUE(Copies().empty());
}

TEST_F(TrackedFileSystemTest, AnEditOfTheSameSizeIsSeen) {
    WriteBytes(file, "fir5t");
    std::string bytes;
    EXPECT_TRUE(tracked.ChangedOutside(file, &bytes));
    EXPECT_EQ(bytes, "fir5t");
    // Seen and handled: no longer a change, though not the program's own.
    tracked.Saw(file, bytes);
    EXPECT_FALSE(tracked.ChangedOutside(file));
    EXPECT_FALSE(tracked.IsOwnVersion(file, "fir5t"));
}

TEST_F(TrackedFileSystemTest, AWriteOverAnOutsideChangeKeepsItOnce) {
    WriteBytes(file, "by hand");
    ASSERT_TRUE(tracked.WriteFileAtomic(file, "program"));
    const StorageReport kept = tracked.TakeKeptBeforeWrites();
    ASSERT_EQ(kept.KeptFiles.size(), 1u);
    EXPECT_EQ(ReadBytes(kept.KeptFiles[0].KeptAs), "by hand");
    EXPECT_EQ(ReadBytes(file), "program");
    ASSERT_TRUE(tracked.WriteFileAtomic(file, "program again"));
    EXPECT_TRUE(tracked.TakeKeptBeforeWrites().Empty());
    EXPECT_EQ(Copies().size(), 1u);
}

TEST_F(TrackedFileSystemTest, OnlyTheFolderIsTracked) {
    TempDir other;
    const std::string outside = other / "export.psf";
    WriteBytes(outside, "user's");
    tracked.Remember(outside);
    ASSERT_TRUE(tracked.WriteFileAtomic(outside, "export"));
    WriteBytes(outside, "edited");
    EXPECT_FALSE(tracked.ChangedOutside(outside));
    ASSERT_TRUE(tracked.WriteFileAtomic(outside, "export"));
    EXPECT_TRUE(tracked.TakeKeptBeforeWrites().Empty());
    // A file removed from outside is nothing to keep.
    std::filesystem::remove(file);
    EXPECT_FALSE(tracked.ChangedOutside(file));
}

}  // namespace
}  // namespace velmaro
