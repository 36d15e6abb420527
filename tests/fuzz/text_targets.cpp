// The interface's text files: the point-list font (read as LoadFont does and
// then measured and drawn), the language file (LoadLanguage) and the help
// text (its reader and the page drawn from it).
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "interface/font.h"
#include "interface/language.h"
#include "scene/image_buffer.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// Every byte of a caption's image is within the work image; the caption of
// every glyph the font holds, and a long line of them, measure and draw.
void MeasureAndDraw(const CString& text)
{
    int size[2] = {0, 0};
    MeasureText(text, size, 10, 10, 5, 1.0);
    FuzzCheck(size[0] >= 0 && size[1] >= 0 && size[0] <= TEXT_IMAGE_SIDE_MAX && size[1] <= TEXT_IMAGE_SIDE_MAX,
              "a caption's size stays within its limits");
    const size_t bytes = static_cast<size_t>(size[0]) * static_cast<size_t>(size[1]) * 4;
    if (bytes == 0 || bytes > 64u * 1024 * 1024) return;
    unsigned char* image = ImageBufferFor(bytes);
    FillImage(image, size[0], size[1], 4, 0, 0, 0, 0);
    // The relief passes draw at offsets around the origin, some negative.
    for (int offset : {-2, 0, 2}) DrawTextToImage(text, image, 5 + offset, 5 + offset, 200, 100, 50, 255, size, 1, 5, 1);
}

}  // namespace

int FuzzFont(const uint8_t* data, size_t size)
{
    EnterProgramFolder("font");
    WriteFuzzInput("font.fnt", data, size);
    LoadFont();
    FuzzCheck(g_glyphCount >= 0 && g_glyphCount <= GLYPH_MAX, "at most 155 glyphs");
    std::string all;
    for (int i = 0; i < g_glyphCount; ++i) {
        FuzzCheck(g_glyphPointCount[i] >= 0 && g_glyphPointCount[i] <= GLYPH_POINTS_MAX, "at most 920 points");
        bool inReach = std::abs(g_glyphAdvance[i]) <= GLYPH_EXTENT_MAX && std::abs(g_glyphYOffset[i]) <= GLYPH_EXTENT_MAX;
        for (int k = 0; k < g_glyphPointCount[i]; ++k)
            inReach = inReach && std::abs(g_glyphPointX[k][i]) <= GLYPH_EXTENT_MAX &&
                      std::abs(g_glyphPointY[k][i]) <= GLYPH_EXTENT_MAX;
        FuzzCheck(inReach, "a glyph kept reaches no farther than GLYPH_EXTENT_MAX");
        if (g_glyphChar[i] != '\0') all += g_glyphChar[i];
    }
    MeasureAndDraw(CString(all));
    MeasureAndDraw(CString(std::string(250, all.empty() ? 'A' : all[0])));
    return 0;
}

int FuzzLanguage(const uint8_t* data, size_t size)
{
    EnterProgramFolder("language");
    WriteFuzzInput("language/1.la", data, size);
    for (CString& text : g_uiText) text = "";
    LoadLanguage(1);
    for (const CString& text : g_uiText)
        FuzzCheck(text.GetLength() <= LANGUAGE_TEXT_MAX_CHARS, "a text keeps at most 99 characters");
    FuzzCheck(g_languageCaption.GetLength() <= LANGUAGE_TEXT_MAX_CHARS, "the menu caption keeps at most 99");
    return 0;
}

int FuzzHelpText(const uint8_t* data, size_t size)
{
    // The page is drawn with the glyphs of the shipped font when the ordinary
    // build has made it (seeded runs), else with none: both must hold.
    static bool fontRead = false;
    if (!fontRead) {
        std::ifstream font(VELMONAR_FUZZ_FONT);
        if (font) ReadFont(font);
        fontRead = true;
    }
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<CString> lines;
    ReadHelpText(in, lines);
    for (const CString& line : lines) FuzzCheck(line.GetLength() <= 1023 * 3, "a help line stays short");
    for (int clientHeight : {600, 1080}) {
        const HelpPage page = RenderHelpPage(lines, clientHeight);
        FuzzCheck(page.width > 0 && page.height > 0, "a help page always has a size");
        FuzzCheck(page.pixels.size() == static_cast<size_t>(page.width) * page.height * 4,
                  "the page's pixels fill exactly its size");
        FuzzCheck(static_cast<long long>(page.width) * page.height <= HELP_PAGE_AREA_MAX,
                  "the page is no larger than HELP_PAGE_AREA_MAX");
    }
    return 0;
}
