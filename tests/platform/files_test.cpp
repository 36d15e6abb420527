#include "platform/files.h"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/temp_folder.h"


TEST(ReadValue, FailedExtractionKeepsTheOldValue)
{
    std::istringstream in("7 x 9");
    int a = -1, b = 42, c = -1;
    EXPECT_TRUE(ReadValue(in, a));
    EXPECT_FALSE(ReadValue(in, b));
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, 42);  // a plain `in >> b` would have stored 0
    EXPECT_FALSE(ReadValue(in, c));  // the stream stays failed
    EXPECT_EQ(c, -1);
    double d = 2.05;
    std::istringstream empty("");
    EXPECT_FALSE(ReadValue(empty, d));
    EXPECT_EQ(d, 2.05);
}

TEST(ReadLimitedLine, LongLinesAreCutAndLaterLinesStillRead)
{
    std::string longLine(150, 'x');
    std::istringstream in(longLine + "\r\nsecond\nthird");
    std::string line;
    ASSERT_TRUE(ReadLimitedLine(in, line, 99));
    EXPECT_EQ(line, std::string(99, 'x'));
    ASSERT_TRUE(ReadLimitedLine(in, line, 99));
    EXPECT_EQ(line, "second");
    ASSERT_TRUE(ReadLimitedLine(in, line, 99));
    EXPECT_EQ(line, "third");
    EXPECT_FALSE(ReadLimitedLine(in, line, 99));
    EXPECT_EQ(line, "third");
}

TEST(WriteFileAtomically, ReplacesWholeOrLeavesTheOldFile)
{
    const TempFolder temp("velmonar-files");
    const std::string dir = temp.Path();
    const std::string path = dir + "/konfig.ini";
    ASSERT_TRUE(WriteFileAtomically(path, "old contents"));
    EXPECT_EQ(FileText(path), "old contents");
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    EXPECT_EQ(FileText(path), "new");
    EXPECT_FALSE(FileExists(path + ".tmp"));

    // A folder in the way of the temporary file makes the write fail: the old
    // file must survive untouched.
    ASSERT_EQ(mkdir((path + ".tmp").c_str(), 0700), 0);
    EXPECT_FALSE(WriteFileAtomically(path, "lost?"));
    EXPECT_EQ(FileText(path), "new");
    rmdir((path + ".tmp").c_str());

    EXPECT_FALSE(WriteFileAtomically(dir + "/no/such/folder/file", "x"));
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(dir));  // a folder is not a file
}

TEST(ReadWholeFileBytes, ReadsWholeFilesOnlyAndStopsAtTheLimit)
{
    const TempFolder temp("velmonar-files");
    const std::string dir = temp.Path();
    const std::string path = dir + "/data.bin";
    const std::string content("a\0b\r\nc", 6);
    ASSERT_TRUE(WriteFileAtomically(path, content));
    std::string bytes = "old";
    EXPECT_EQ(ReadWholeFileBytes(path, bytes, 6), FileRead::Read);
    EXPECT_EQ(bytes, content);
    EXPECT_EQ(ReadWholeFileBytes(path, bytes, 5), FileRead::TooLarge);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ReadWholeFileBytes(dir, bytes, 100), FileRead::Failed);
    EXPECT_EQ(ReadWholeFileBytes(dir + "/missing", bytes, 100), FileRead::Failed);
    // A file whose size says 0 but which holds more: the limit still holds.
    EXPECT_EQ(ReadWholeFileBytes("/proc/self/maps", bytes, 16), FileRead::TooLarge);
    EXPECT_EQ(ReadWholeFileBytes("/proc/self/maps", bytes, 1 << 24), FileRead::Read);
    EXPECT_GT(bytes.size(), 16u);
}
