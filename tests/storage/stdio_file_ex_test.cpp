#include "storage/stdio_file_ex.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "model/text.h"
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

// Lines of a text of about two megabytes: written in several pieces.
std::vector<std::u16string> LongText() {
    std::vector<std::u16string> lines;
    for (int i = 0; i < 40000; ++i)
        lines.push_back(u"Line " + FormatDecimal(i) + u" of a long file\n");
    return lines;
}

struct LargeRewriteCase {
    const char* What;
    std::function<void(std::vector<std::u16string>&)> Change;
    bool Rewritten;
};

// A large file is checked against the disk as it is written: the same bytes
// leave the file alone (the very same file, not a copy), and a difference at
// any point, or a length that differs, gives exactly the new bytes.
TEST(StdioFileExTest, LargeFileIsRewrittenOnlyWhenItsBytesChange) {
    using Lines = std::vector<std::u16string>;
    const LargeRewriteCase cases[] = {
        {"the same text", [](Lines&) {}, false},
        {"a change in the first line", [](Lines& l) { l.front() = u"First\n"; }, true},
        {"a change in the last line", [](Lines& l) { l.back() = u"Last\n"; }, true},
        {"one more line", [](Lines& l) { l.push_back(u"More\n"); }, true},
        {"one line fewer", [](Lines& l) { l.pop_back(); }, true},
        {"half of it", [](Lines& l) { l.resize(l.size() / 2); }, true},
    };
    for (const LargeRewriteCase& c : cases) {
        SCOPED_TRACE(c.What);
        TempDir dir;
        const std::string path = dir / "long.txt";
        PosixFileSystem fs;
        const auto write = [&](const Lines& lines) {
            CStdioFileEx out(fs);
            EXPECT_TRUE(out.Open(path, CStdioFileEx::Mode::Write));
            for (const std::u16string& line : lines)
                out.WriteString(line);
            return out.Close();
        };
        Lines lines = LongText();
        ASSERT_TRUE(write(lines));
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);

        c.Change(lines);
        ASSERT_TRUE(write(lines));
        std::u16string text;
        for (const std::u16string& line : lines)
            text += line;
        EXPECT_EQ(testing::ReadBytes(path), Utf16File(text));
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino != before.st_ino, c.Rewritten);
        EXPECT_EQ(dir.List(), std::vector<std::string>{"long.txt"});
    }
}

}  // namespace
}  // namespace velmaro
