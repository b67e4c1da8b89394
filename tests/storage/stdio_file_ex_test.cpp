#include "storage/stdio_file_ex.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix_file_system.h"
#include "storage_test_support.h"

namespace velmaro {
namespace {

using testing::TempDir;
using testing::Utf16Bytes;
using testing::Utf16File;
using testing::WriteBytes;

std::vector<std::u16string> ReadAllLines(FileSystem& fs, const std::string& path) {
    CStdioFileEx file(fs);
    EXPECT_TRUE(file.Open(path, CStdioFileEx::Mode::Read));
    std::vector<std::u16string> lines;
    std::u16string line;
    while (file.ReadString(line))
        lines.push_back(line);
    return lines;
}

TEST(StdioFileExTest, WrittenLinesReadBackWithoutTheirLineFeeds) {
    TempDir dir;
    PosixFileSystem fs;
    CStdioFileEx out(fs);
    ASSERT_TRUE(out.Open(dir / "a.txt", CStdioFileEx::Mode::Write));
    out.WriteString(u"a\n");
    out.WriteString(u"bc\n");
    ASSERT_TRUE(out.Close());
    EXPECT_EQ(testing::ReadBytes(dir / "a.txt"), std::string("\xFF\xFE"
                                                             "a\0\n\0b\0c\0\n\0",
                                                             12));

    CStdioFileEx in(fs);
    ASSERT_TRUE(in.Open(dir / "a.txt", CStdioFileEx::Mode::Read));
    std::u16string line;
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, u"a");
    ASSERT_TRUE(in.ReadString(line));
    EXPECT_EQ(line, u"bc");
    EXPECT_FALSE(in.ReadString(line));
    EXPECT_EQ(line, u"");
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<std::u16string> lines;

    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class StdioFileExReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(StdioFileExReadTest, Lines) {
    TempDir dir;
    PosixFileSystem fs;
    WriteBytes(dir / "f.txt", GetParam().bytes);
    EXPECT_EQ(ReadAllLines(fs, dir / "f.txt"), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StdioFileExReadTest,
    ::testing::Values(
        // The first two bytes are taken as the mark whatever they are.
        ReadCase{"NoByteOrderMarkLosesFirstCharacter", Utf16Bytes(u"[Setting]\n"), {u"Setting]"}},
        ReadCase{"CrLfKeepsTheCr", Utf16File(u"a=1\r\nb\r\n"), {u"a=1\r", u"b\r"}},
        ReadCase{"EmptyMiddleLineIsALineFeed", Utf16File(u"a\n\nb\n"), {u"a", u"\n", u"b"}},
        ReadCase{"LastLineWithoutLineFeed", Utf16File(u"a\nbc"), {u"a", u"bc"}},
        ReadCase{"ZeroLengthFile", "", {}}, ReadCase{"OnlyTheMark", Utf16File(u""), {}},
        ReadCase{"NonAsciiUnits", Utf16File(u"中文=宋体\n"), {u"中文=宋体"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A file system that lets the file be read but not opened for writing, as a
// read-only file is for an ordinary user.
class ReadOnlyFileSystem : public PosixFileSystem {
  public:
    bool CanOpenForUpdate(const std::string&) override { return false; }
};

TEST(StdioFileExTest, ReadModeRefusesWhatCannotBeOpenedForUpdate) {
    TempDir dir;
    WriteBytes(dir / "f.txt", Utf16File(u"[Setting]\n"));
    PosixFileSystem fs;
    CStdioFileEx file(fs);
    EXPECT_TRUE(file.Open(dir / "f.txt", CStdioFileEx::Mode::Read));
    EXPECT_FALSE(file.Open(dir / "missing.txt", CStdioFileEx::Mode::Read));
    EXPECT_FALSE(file.Open(dir.Path(), CStdioFileEx::Mode::Read));

    ReadOnlyFileSystem read_only;
    CStdioFileEx locked(read_only);
    EXPECT_FALSE(locked.Open(dir / "f.txt", CStdioFileEx::Mode::Read));
}

TEST(StdioFileExTest, ReadOnlyFileIsRefusedInReadMode) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    TempDir dir;
    WriteBytes(dir / "f.txt", Utf16File(u"[Setting]\n"));
    ASSERT_EQ(::chmod((dir / "f.txt").c_str(), 0444), 0);
    PosixFileSystem fs;
    CStdioFileEx file(fs);
    EXPECT_FALSE(file.Open(dir / "f.txt", CStdioFileEx::Mode::Read));
}

TEST(StdioFileExTest, CloseReportsAWriteThatCannotLand) {
    TempDir dir;
    PosixFileSystem fs;
    CStdioFileEx file(fs);
    ASSERT_TRUE(file.Open(dir / "no-such-folder/f.txt", CStdioFileEx::Mode::Write));
    file.WriteString(u"x\n");
    EXPECT_FALSE(file.Close());
}

}  // namespace
}  // namespace velmaro
