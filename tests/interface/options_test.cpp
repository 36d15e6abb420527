// The options file: the first start's line, short, damaged and out-of-range
// files, the values written read back, a failed write, the language list.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <sstream>

#include "interface/language.h"
#include "interface/options.h"
#include "platform/program_folder.h"
#include "tests/support/options_line.h"
#include "tests/support/temp_folder.h"

namespace {

// Each test starts from the defaults in a fresh program folder.
class OptionsFile : public ::testing::Test {
protected:
    void SetUp() override { Restart(); }
    // Also a second case inside one test: a fresh folder and the defaults again.
    void Restart()
    {
        std::istringstream defaults(DEFAULT_OPTIONS_LINE);
        ReadConfigValues(defaults);
        folder = std::make_unique<TempFolder>("velmonar-options");
        dir = folder->Path();
        g_appDir = dir.c_str();
        mkdir((dir + "/language").c_str(), 0755);
    }

    void AddLanguage(int n, const std::string& name)
    {
        WriteFileText(dir + "/language/" + std::to_string(n) + ".la", "!" + name + "\n!Menu\n");
    }

    std::unique_ptr<TempFolder> folder;
    std::string dir;
};

TEST_F(OptionsFile, FirstStartWritesTheDefaultLineExactlyAndAFailedWriteKeepsTheOldFile)
{
    AddLanguage(1, "Russkij");
    LoadConfig();
    EXPECT_EQ(g_language[0], 0);  // no options file: the language list is offered

    WriteFileText(dir + "/konfig.ini", "1 0 1");
    ASSERT_EQ(mkdir((dir + "/konfig.ini.tmp").c_str(), 0700), 0);  // blocks the new file
    EXPECT_FALSE(SaveConfig());
    EXPECT_EQ(FileText(dir + "/konfig.ini"), "1 0 1");
    EXPECT_EQ(rmdir((dir + "/konfig.ini.tmp").c_str()), 0);  // left as it was found
    EXPECT_TRUE(SaveConfig());
    EXPECT_EQ(FileText(dir + "/konfig.ini"), DEFAULT_OPTIONS_LINE);  // no final blank, no line end
}

TEST_F(OptionsFile, ShortDamagedOrOutOfRangeFilesKeepDefaultsForWhatIsNotRead)
{
    const std::string defaults = DEFAULT_OPTIONS_LINE;
    struct Case {
        int languages;
        std::string text, expected;
    };
    const Case cases[] = {
        // Only 10 values: field 11 onwards the defaults.
        {2, "2 1 0 1 0 1 2.0 0 0.5 40", "2 1 0 1 0 1 2 0 0.5 40" + defaults.substr(26)},
        // A non-number in field 7 ends the reading there: the scale keeps its
        // default instead of becoming 0 (which would divide by zero later).
        {1, "1 0 0 1 1 1 abc 0 0.2", "1 0 0 1 1 1" + defaults.substr(11)},
        // No file for language 99: the list is offered; valid values stay.
        {2,
         "99 7 -1 1 1 2 -3 5 3.5 500 0 0 1 1 1 1.5 0.95 -0.2 0.6 0.4 0.1 0.4 0.48 0.5 "
         "0.12 0.3 0.23 12 0.3 0.23",
         "0 0 1 1 1 0 2.05 1 0.31 60 0 0 1 1 1 1 0.95 0.9 0.6 0.4 0.1 0.4 0.48 0.5 "
         "0.12 0.3 0.23 0.12 0.3 0.23"},
        // Values the stream cannot hold (nan, an overflowing exponent) end the
        // reading like any other bad field.
        {1, "1 1 0 1 1 1 2.0 1 1e999 5", "1 1 0 1 1 1 2 1" + defaults.substr(18)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        Restart();
        AddLanguage(1, "One");
        if (c.languages == 2) AddLanguage(2, "Two");
        WriteFileText(dir + "/konfig.ini", c.text);
        LoadConfig();
        EXPECT_EQ(ConfigLine(), c.expected);
    }
}

TEST_F(OptionsFile, PieceScaleIsClampedToTheSliderRange)
{
    struct Case { const char* text; double expected; };
    const Case cases[] = {{"5", PIECE_SCALE_MAX}, {"1.0", PIECE_SCALE_MIN}, {"0", 2.05},
                          {"-2", 2.05}, {"1.95", 1.95}};
    for (const Case& c : cases) {
        std::istringstream defaults(DEFAULT_OPTIONS_LINE);
        ReadConfigValues(defaults);
        std::istringstream in(std::string("1 0 1 0 1 0 ") + c.text);
        ReadConfigValues(in);
        SanitiseOptions(2);
        EXPECT_DOUBLE_EQ(g_pieceScale, c.expected) << c.text;
    }
}

TEST_F(OptionsFile, EveryValueTheProgramWritesLoadsUnchanged)
{
    AddLanguage(1, "One");
    AddLanguage(2, "Two");
    const std::string line =
        "2 1 0 1 0 1 1.92535 0 0.227451 83 0 1 0 1 0 0.878431 0.0156863 1 0 0.333333 0.1 "
        "0.4 0.48 0.5 0.2 0.7 0.9 0.2 0.7 0.9";
    std::istringstream in(line);
    ReadConfigValues(in);
    SaveConfig();
    std::istringstream defaults(DEFAULT_OPTIONS_LINE);
    ReadConfigValues(defaults);
    LoadConfig();
    EXPECT_EQ(ConfigLine(), line);
}

TEST_F(OptionsFile, LanguageListStopsAtTheFirstMissingNumber)
{
    AddLanguage(1, "Русский");
    WriteFileText(dir + "/language/2.la", "\n\n   *" + std::string(150, 'E') + "\r\n!Menu\n");
    AddLanguage(4, "Four");  // after a gap: never listed
    BuildLanguageList();
    EXPECT_EQ(g_languageCount, 3);
    EXPECT_EQ(g_languageNames[1], "Русский");
    EXPECT_EQ(g_languageNames[2].GetLength(), 99);
    EXPECT_EQ(g_languageNames[2][0], 'E');
}

}  // namespace
