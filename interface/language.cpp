#include "interface/language.h"

#include <GL/gl.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "interface/caption_colours.h"
#include "interface/font.h"
#include "interface/text_window.h"
#include "platform/files.h"
#include "platform/program_folder.h"
#include "rules/live_options.h"
#include "scene/camera.h"
#include "scene/mipmaps.h"

CString g_languageNames[LANGUAGE_LIST_MAX];
int g_languageCount = 1;
CString g_uiText[UI_TEXT_COUNT];
CString g_languageCaption;

std::vector<CString> g_helpLines;
GLuint g_helpPageTexture = 0;
GLuint g_textWindowFrameTexture = 0;
GLuint g_textScrollTrackTexture = 0;
GLuint g_textCloseTexture = 0;
GLuint g_textCloseHotTexture = 0;

bool ReadMarkedLine(std::istream& in, CString& text)
{
    char marker;
    if (!(in >> marker)) return false;
    std::string line;
    if (!ReadLimitedLine(in, line, LANGUAGE_TEXT_MAX_CHARS)) line.clear();
    text = CString(line);
    return true;
}

void BuildLanguageList()
{
    g_languageCount = 1;
    for (int probe = 0; probe < LANGUAGE_LIST_MAX - 1; ++probe) {
        CString path;
        path.Format("%s/language/%i.la", g_appDir.GetString(), g_languageCount);
        if (!FileExists(path.str())) continue;  // the next probe asks for the same number
        std::ifstream in(path.GetString());
        CString name;
        if (ReadMarkedLine(in, name)) g_languageNames[g_languageCount] = name;
        ++g_languageCount;
    }
}

// ---- the interface texts ----

namespace {

// What one language file gives: the caption and the texts it has a line for
// (a line may be empty), each marked as given.
struct LanguageTexts {
    bool captionGiven = false;
    CString caption;
    std::vector<CString> texts = std::vector<CString>(UI_TEXT_COUNT);
    std::vector<bool> given = std::vector<bool>(UI_TEXT_COUNT, false);

    // Some interface text that is not empty.
    bool AnyText() const
    {
        for (int i = 0; i < UI_TEXT_COUNT; ++i)
            if (given[i] && !texts[i].IsEmpty()) return true;
        return false;
    }
};

// Reads one block's texts; keeps those with a place in the table. False when
// the file ends inside the block.
bool ReadBlockTexts(std::istream& in, int group, int count, LanguageTexts& read)
{
    for (int k = 0; k < count; ++k) {
        CString text;
        if (!ReadMarkedLine(in, text)) return false;
        if (group < 0 || group >= UI_TEXT_GROUPS || k >= UI_TEXT_GROUP_SIZE) continue;
        const int i = group * UI_TEXT_GROUP_SIZE + k;
        read.texts[i] = text;
        read.given[i] = true;
    }
    return true;
}

LanguageTexts ReadLanguageTexts(std::istream& in)
{
    LanguageTexts read;
    CString name;
    if (!ReadMarkedLine(in, name)) return read;
    if (!ReadMarkedLine(in, read.caption)) return read;
    read.captionGiven = true;
    for (;;) {
        CString heading;
        if (!ReadMarkedLine(in, heading)) return read;
        int group, count;
        if (!(in >> group >> count)) return read;  // not two numbers: keep what was read
        if (!ReadBlockTexts(in, group, std::max(count, 0), read)) return read;
        if (group >= UI_TEXT_LAST_GROUP) return read;
    }
}

LanguageTexts ReadLanguageFile(int number)
{
    CString path;
    path.Format("%s/language/%i.la", g_appDir.GetString(), number);
    if (!FileExists(path.str())) return LanguageTexts();
    std::ifstream in(path.GetString(), std::ios::binary);
    return in ? ReadLanguageTexts(in) : LanguageTexts();
}

// One text: the chosen file's unless it is empty or missing, then the base's;
// a text neither file has a line for keeps its value.
void UseText(CString& text, bool chosenGiven, const CString& chosen, bool baseGiven, const CString& base)
{
    if (chosenGiven && (!chosen.IsEmpty() || !baseGiven || base.IsEmpty()))
        text = chosen;
    else if (baseGiven)
        text = base;
}

}  // namespace

void ReadLanguage(std::istream& in)
{
    const LanguageTexts read = ReadLanguageTexts(in);
    const LanguageTexts none;
    UseText(g_languageCaption, read.captionGiven, read.caption, false, none.caption);
    for (int i = 0; i < UI_TEXT_COUNT; ++i) UseText(g_uiText[i], read.given[i], read.texts[i], false, none.texts[i]);
}

void LoadLanguage(int number)
{
    // A file without any interface text counts as missing.
    LanguageTexts chosen = ReadLanguageFile(number);
    LanguageTexts base = ReadLanguageFile(number == 1 ? 2 : 1);
    if (!chosen.AnyText()) chosen = LanguageTexts();
    if (!base.AnyText()) base = LanguageTexts();
    if (!chosen.AnyText() && !base.AnyText()) return;
    UseText(g_languageCaption, chosen.captionGiven, chosen.caption, base.captionGiven, base.caption);
    for (int i = 0; i < UI_TEXT_COUNT; ++i)
        UseText(g_uiText[i], chosen.given[i], chosen.texts[i], base.given[i], base.texts[i]);
}

// ---- the help text ----

void ReadHelpText(std::istream& in, std::vector<CString>& lines)
{
    lines.clear();
    std::string line;
    while (ReadLimitedLine(in, line, HELP_LINE_MAX_CHARS)) {
        std::string wide;
        for (char c : line) wide += c == ' ' ? std::string("   ") : std::string(1, c);
        lines.push_back(CString(wide));
    }
}

namespace {

constexpr int HELP_PAGE_BLANK_WIDTH = 2 * TEXT_WINDOW_HALF_WIDTH;
constexpr int HELP_TEXT_X = 25;        // the lines' left edge on the page
constexpr int HELP_TEXT_PAD_X = 80;
constexpr int HELP_SPACING = 5;

HelpPage BlankPage(int height)
{
    HelpPage page;
    page.width = HELP_PAGE_BLANK_WIDTH;
    page.height = std::max(height, 1);
    page.pixels.resize(static_cast<size_t>(page.width) * page.height * 4);
    FillImage(page.pixels.data(), page.width, page.height, 4, HELP_PAGE_GREY, HELP_PAGE_GREY, HELP_PAGE_GREY,
              HELP_PAGE_ALPHA);
    return page;
}

// A shadow below right, a light edge above left, the grey text over both.
void DrawHelpLine(const CString& line, HelpPage& page, int x0, int y)
{
    const int size[2] = {page.width, page.height};
    unsigned char* image = page.pixels.data();
    DrawTextToImage(line, image, x0 + 2, y - 2, 0, 0, 0, 255, size, 0, HELP_SPACING, 0);
    DrawTextToImage(line, image, x0, y - 1, 15, 15, 15, 255, size, 1, HELP_SPACING, 1);
    DrawTextToImage(line, image, x0 - 2, y + 2, 255, 255, 255, 255, size, 0, HELP_SPACING, 0);
    DrawTextToImage(line, image, x0, y + 1, 15, 15, 15, 255, size, 1, HELP_SPACING, 1);
    DrawTextToImage(line, image, x0, y, 15, 15, 15, 255, size, 1, HELP_SPACING, 1);
}

}  // namespace

HelpPage RenderHelpPage(const std::vector<CString>& lines, int clientHeight)
{
    g_textOriginX = HELP_TEXT_X;
    g_texturePadX = HELP_TEXT_PAD_X;
    g_textScale = 1.0;
    g_letterSpacing = HELP_SPACING;

    std::vector<int> heights(lines.size(), HELP_EMPTY_LINE_HEIGHT);
    long long width = 0, height = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].IsEmpty()) {
            int size[2];
            MeasureText(lines[i], size, g_texturePadX, g_texturePadY, HELP_SPACING, 1.0);
            width = std::max<long long>(width, size[0]);
            heights[i] = size[1];
        }
        height += heights[i];
    }

    HelpPage page;
    if (width <= 0 || height <= 0) {
        page = BlankPage(clientHeight - 2 * TEXT_WINDOW_MARGIN);
    } else {
        page.width = static_cast<int>(width);
        page.height = static_cast<int>(std::min({height, HELP_PAGE_AREA_MAX / width, 0LL + TEXT_IMAGE_SIDE_MAX}));
        page.pixels.resize(static_cast<size_t>(page.width) * page.height * 4);
        FillImage(page.pixels.data(), page.width, page.height, 4, HELP_PAGE_GREY, HELP_PAGE_GREY, HELP_PAGE_GREY,
                  HELP_PAGE_ALPHA);
        long long y = g_textOriginY;
        for (size_t i = 0; i < lines.size() && y < page.height; ++i) {
            if (!lines[i].IsEmpty()) DrawHelpLine(lines[i], page, g_textOriginX, static_cast<int>(y));
            y += heights[i];
        }
    }
    g_textOriginX = 5;
    g_texturePadX = 10;
    return page;
}

void DrawTextWindowFrame(unsigned char* image, int width, int height)
{
    FillImage(image, width, height, 4, 0, 0, 0, 0);
    auto paint = [&](bool (*on)(int, int, int, int), const int rgb[3]) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (on(x, y, width, height)) {
                    unsigned char* p = image + (static_cast<size_t>(y) * width + x) * 4;
                    for (int c = 0; c < 3; ++c) p[c] = static_cast<unsigned char>(rgb[c]);
                    p[3] = 255;
                }
    };
    const int grey[3] = {155, 155, 155};
    paint([](int x, int y, int w, int h) { return x == 1 || x == w - 1 || y == 0 || y == h - 2; }, grey);
    paint([](int x, int y, int w, int h) { return x == 0 || x == w - 2 || y == 1 || y == h - 1; },
          g_panelColourByte);
}

namespace {

void UploadRgba(GLuint* name, int width, int height, const unsigned char* pixels)
{
    BindOrCreateTexture(name);
    UploadMipmaps(4, width, height, pixels);
}

// In an image of its own, given back after the upload: the shared work image
// would otherwise keep the window's height in memory for good.
void BuildWindowFrameTexture(GLuint* name, int width, int height)
{
    std::vector<unsigned char> image(static_cast<size_t>(width) * height * 4);
    DrawTextWindowFrame(image.data(), width, height);
    UploadRgba(name, width, height, image.data());
}

void BuildCloseButtonTextures()
{
    g_currentText = "`";
    g_textScale = 1.0;
    g_glyphScale = 1;
    g_letterSpacing = 7;
    const int* panel = g_panelColourByte;
    BuildCaptionTextures(&g_textCloseTexture, {2, panel[0], panel[1], panel[2]}, &g_textCloseHotTexture,
                         {2, 180, 180, 100});
}

}  // namespace

void LoadHelpText()
{
    CString path;
    path.Format("%s/language/%i.hl", g_appDir.GetString(), g_language[0] == 0 ? 1 : g_language[0]);
    if (!FileExists(path.str())) return;
    std::ifstream in(path.GetString(), std::ios::binary);
    if (!in) return;
    ReadHelpText(in, g_helpLines);

    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    UpdatePanelColourBytes();

    const HelpPage page = RenderHelpPage(g_helpLines, clientHeight);
    g_helpPageWidth = page.width;
    g_helpPageHeight = page.height;
    UploadRgba(&g_helpPageTexture, page.width, page.height, page.pixels.data());

    const int frameHeight = std::max(clientHeight - 2 * TEXT_WINDOW_MARGIN, 1);
    BuildWindowFrameTexture(&g_textScrollTrackTexture, 20, frameHeight);
    BuildWindowFrameTexture(&g_textWindowFrameTexture, HELP_PAGE_BLANK_WIDTH, frameHeight);
    BuildCloseButtonTextures();

    g_helpScroll = 0.0;
    LayoutTextWindow(clientWidth, clientHeight);
}
