// The language and help files the build put into the program folder, read
// with the built font: their layout, every character drawable, the captions
// fitting their panels; and the build's conversion refusing what it cannot
// store.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "interface/text_window.h"
#include "platform/program_folder.h"
#include "interface/font.h"
#include "interface/language.h"
#include "tests/support/interface_steps.h"
#include "tests/support/temp_folder.h"

namespace {

const std::string DIR = VELMONAR_PROGRAM_DIR;
const int GROUP_COUNTS[19] = {8, 7, 13, 9, 6, 3, 2, 4, 2, 5, 5, 4, 5, 4, 4, 4, 5, 2, 3};
const std::string ICONS = "`*~?^&#";

std::vector<std::string> Lines(const std::string& path)
{
    const std::string bytes = FileText(path);
    EXPECT_EQ(bytes.find('\r'), std::string::npos) << path;
    EXPECT_FALSE(bytes.empty()) << path;
    EXPECT_EQ(bytes.back(), '\n') << path;
    std::vector<std::string> lines;
    std::string line;
    std::istringstream split(bytes);
    while (std::getline(split, line)) lines.push_back(line);
    return lines;
}

// Every character drawable and no icon glyph among them.
void ExpectDrawable(const std::string& text, const std::string& where)
{
    const std::string glyphs(g_glyphChar, g_glyphChar + g_glyphCount);
    for (char c : text) {
        if (c == ' ') continue;
        EXPECT_NE(glyphs.find(c), std::string::npos)
            << where << ": no glyph for byte " << (c & 0xFF) << " in \"" << text << "\"";
        EXPECT_EQ(ICONS.find(c), std::string::npos) << where << ": icon character in \"" << text << "\"";
    }
}

// On-screen width of a caption at a scale and letter spacing.
double Width(const CString& text, double scale, int spacing)
{
    return Measured(text, 10, 10, spacing, 1.0).first * scale;
}

class ShippedLanguages : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_appDir = DIR.c_str();
        LoadFont();
        ASSERT_GT(g_glyphCount, 100);
    }
};

TEST_F(ShippedLanguages, TextFilesHoldEveryGroupInOrderAndFitTheirPanels)
{
    BuildLanguageList();
    ASSERT_EQ(g_languageCount, 3);
    EXPECT_EQ(g_languageNames[1], "Русский");
    EXPECT_EQ(g_languageNames[2], "English");

    for (int language = 1; language <= 2; ++language) {
        const std::string path = DIR + "/language/" + std::to_string(language) + ".la";
        const std::vector<std::string> lines = Lines(path);
        // Name, caption, then per group a heading, "group count" and the texts.
        std::vector<std::string> texts(UI_TEXT_COUNT);
        size_t at = 2;
        for (int group = 0; group < 19; ++group) {
            ASSERT_LT(at + 1, lines.size()) << path;
            EXPECT_EQ(lines[at + 1], std::to_string(group) + " " + std::to_string(GROUP_COUNTS[group])) << path;
            at += 2;
            for (int k = 0; k < GROUP_COUNTS[group]; ++k, ++at) texts[group * 25 + k] = lines.at(at).substr(1);
        }
        EXPECT_EQ(at, lines.size()) << path;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (line.empty() || line[0] != '!') continue;
            const std::string text = line.substr(1);
            const std::string where = path + ":" + std::to_string(i + 1);
            EXPECT_LE(text.size(), static_cast<size_t>(LANGUAGE_TEXT_MAX_CHARS)) << where;
            ExpectDrawable(text, where);
            // Words three blanks apart, no blank at either end.
            EXPECT_EQ(text.find("    "), std::string::npos) << where;
            for (size_t p = text.find(' '); p != std::string::npos; p = text.find(' ', p + 3))
                EXPECT_TRUE(text.compare(p, 3, "   ") == 0 && p > 0 && p + 3 < text.size()) << where;
        }

        // The reader loads exactly these texts.
        for (CString& text : g_uiText) text = "unset";
        LoadLanguage(language);
        EXPECT_EQ(g_languageCaption, language == 1 ? "Меню" : "Menu");
        for (int i = 0; i < UI_TEXT_COUNT; ++i) {
            const int group = i / 25, item = i % 25;
            const bool inFile = group < 19 && item < GROUP_COUNTS[group];
            EXPECT_EQ(g_uiText[i].str(), inFile ? texts[i] : "unset") << path << " text " << i;
        }
        EXPECT_EQ(g_uiText[0], language == 1 ? "Новая   игра" : "New   game");
        EXPECT_EQ(g_uiText[101], "");  // built, never shown
        EXPECT_EQ(g_uiText[403], "");  // present, unused
        EXPECT_EQ(g_uiText[452], language == 1 ? "Нажмите   сюда" : "Click   here");

        // Option labels leave room for their box, colour labels for the
        // preview beside them, banner lines stay right of the window's edge.
        const double box = Width("^", 0.45, 7);
        for (int i : {52, 53, 54, 56, 57, 59, 101, 102, 103})
            EXPECT_LE(Width(g_uiText[i], 0.7, 3) + 10, 2 * 142 - box) << path << " text " << i;
        for (int i : {76, 77}) EXPECT_LE(Width(g_uiText[i], 0.7, 3) + 10, 2 * 129 - box) << path << " text " << i;
        for (int i : {78, 79, 80, 81}) EXPECT_LE(Width(g_uiText[i], 0.7, 3) + 10, 129 + 85) << path << " text " << i;
        const double bannerCentre = language == 1 ? 65 : 53;
        for (int i : {450, 451, 452}) EXPECT_LE(Width(g_uiText[i], 0.5, 5), 2 * bannerCentre) << path << " text " << i;
    }
}

TEST_F(ShippedLanguages, HelpTextsAreDrawableAndScrollAtFullScreen)
{
    for (int language = 1; language <= 2; ++language) {
        const std::string path = DIR + "/language/" + std::to_string(language) + ".hl";
        const std::vector<std::string> lines = Lines(path);
        EXPECT_GE(lines.size(), 70u) << path;
        EXPECT_LE(lines.size(), 100u) << path;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            const std::string where = path + ":" + std::to_string(i + 1);
            EXPECT_LE(line.size(), 50u) << where;
            ExpectDrawable(line, where);
            EXPECT_EQ(line.find("  "), std::string::npos) << where;  // single blanks: the reader triples them
            if (!line.empty()) {
                EXPECT_NE(line.back(), ' ') << where;
            }
        }
        std::ifstream in(path, std::ios::binary);
        std::vector<CString> read;
        ReadHelpText(in, read);
        ASSERT_EQ(read.size(), lines.size());
        const HelpPage page = RenderHelpPage(read, 1080);
        EXPECT_LT(HelpVisibleFraction(page.width, page.height, 1080), 1.0) << path;
        EXPECT_LE(page.width, 770) << path;  // shown unsqueezed
    }
}

TEST(LanguageConversion, RefusesCharactersWithoutAWindows1251ByteAndCarriageReturns)
{
    const TempFolder temp("velmonar-convert");
    const std::string dir = temp.Path();
    auto convert = [&](const std::string& utf8) {
        std::ofstream(dir + "/in.la", std::ios::binary) << utf8;
        std::remove((dir + "/out.la").c_str());
        const std::string command = "'" VELMONAR_CMAKE "' -DIN='" + dir + "/in.la' -DOUT='" + dir +
                                    "/out.la' -P '" VELMONAR_SOURCE_DIR "/data/to_cp1251.cmake' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    };
    EXPECT_TRUE(convert("!\xD0\x81\xD0\xB6 ok\n"));  // "Ёж" in UTF-8
    EXPECT_EQ(FileText(dir + "/out.la"), "!\xA8\xE6 ok\n");
    EXPECT_FALSE(convert("!star \xE2\x98\x85\n"));
    EXPECT_EQ(FileText(dir + "/out.la"), "");  // nothing written
    EXPECT_FALSE(convert("!line\r\n"));
}

}  // namespace
