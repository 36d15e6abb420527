// Every caption of the overlay after a real start-up of the main dialog (the
// built program folder with an options file naming the language), in both
// languages, against tables written from the panels' own tables: each
// widget's text, scale, letter spacing, normal and hot look (the picture
// compared with the caption drawn afresh in that look) and gap, the sizes of
// the widgets without a caption, the caption bar, and the panel heights as
// the panels sum them.
#include <string>
#include <vector>

#include "app/VelmonarDlg.h"
#include "interface/caption_bar.h"
#include "interface/caption_colours.h"
#include "interface/extra_panels.h"
#include "interface/game_over_panel.h"
#include "interface/language.h"
#include "interface/online_panels.h"
#include "interface/option_panels.h"
#include "interface/save_slots.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "online/web.h"
#include "rules/live_options.h"
#include "scene/board_geometry.h"
#include "scene/frame_state.h"
#include "tests/support/main_dialog.h"
#include "tests/support/options_line.h"
#include "tests/support/overlay_gl.h"
#include "tests/support/program_links.h"

namespace {

// ---- the rows ----

// Hot is (180, 180, 100), PanelBlue the panel's red and green with blue 255,
// Grey and Warning the online status colours (LookOf), WaitRed (235, 20, 20),
// AlertRed (240, 20, 20).
enum class Colour { None, Panel, Hot, PanelBlue, Grey, Warning, WaitRed, AlertRed };
struct Look {
    int style;
    Colour colour;
};
constexpr Look NONE{0, Colour::None};
constexpr Look P1{1, Colour::Panel}, P2{2, Colour::Panel}, P3{3, Colour::Panel};
constexpr Look H2{2, Colour::Hot}, H3{3, Colour::Hot}, H4{4, Colour::Hot};

enum class Source { Group, Literal, SaveSlot, LoadRow, LanguageRow, News, Count, Credit };
struct Text {
    Source source;
    int group = 0, item = 0;  // the text group and item, or the slot or row number
    const char* russian = "";
    const char* english = "";
};
constexpr Text G(int group, int item) { return {Source::Group, group, item}; }
constexpr Text L(const char* russian, const char* english) { return {Source::Literal, 0, 0, russian, english}; }
constexpr Text L(const char* both) { return L(both, both); }

constexpr int ANY_GAP = -1;  // the panel's table gives no gap

struct Caption {
    int widget;
    Text text;
    double scale;
    int spacing;
    Look normal, hot;
    int gap;
    const GLuint* normalInto = nullptr;  // the widget's own textures when null
    const GLuint* hotInto = nullptr;
};

// The panels' caption tables, row by row.
const Caption CAPTIONS[] = {
    // In-game menu: entries 0 to 7 as row 0 (see ExpectAllTables).
    {0, G(0, 0), 1.0, 5, P3, H4, 10},
    // Settings.
    {25, G(1, 0), 0.72, 3, P1, NONE, 10},
    {26, G(1, 1), 1.0, 5, P3, H4, 30},
    {27, G(1, 2), 1.0, 5, P3, H4, 10},
    {28, G(1, 3), 1.0, 5, P3, H4, 10},
    {29, G(1, 4), 1.0, 5, P3, H4, 10},
    {30, L("Персональные", "Personal"), 1.0, 5, P3, H4, 10},
    {31, G(1, 5), 0.7, 3, P2, H4, 10},
    {32, G(1, 6), 0.9, 3, P2, H4, 30},
    // Game options.
    {50, G(2, 0), 0.72, 3, P1, NONE, 10},
    {51, G(2, 1), 0.8, 3, P2, NONE, 20},
    {52, G(2, 2), 0.7, 3, P2, NONE, 0},
    {53, L("^"), 0.45, 7, P2, H2, 0, &g_checkBoxTexture, &g_checkBoxHotTexture},
    {54, G(2, 3), 0.7, 3, P2, NONE, 5},
    {55, L("&"), 0.45, 7, P2, H2, 0, &g_checkBoxTickedTexture, &g_checkBoxTickedHotTexture},
    {56, G(2, 4), 0.7, 3, P2, NONE, 5},
    {58, G(2, 5), 0.8, 3, P2, NONE, 15},
    {59, G(2, 6), 0.7, 3, P2, NONE, 0},
    {61, G(2, 7), 0.7, 3, P2, NONE, 5},
    {63, G(2, 8), 0.8, 3, P2, NONE, 15},
    {64, G(2, 9), 0.7, 3, P2, NONE, 0},
    {66, G(2, 10), 0.7, 3, P2, NONE, 5},
    {68, L("#"), 0.7, 3, P2, NONE, 5, &g_sliderKnobTexture},
    {69, G(2, 11), 0.9, 3, P2, H4, 15},
    {70, G(2, 12), 0.9, 3, P2, H4, 0},
    // Graphics options.
    {75, G(3, 0), 0.72, 3, P1, NONE, 10},
    {78, G(3, 1), 0.7, 3, P2, NONE, 20},
    {80, G(3, 2), 0.7, 3, P2, NONE, 30},
    {82, G(3, 3), 0.7, 3, P2, NONE, 29},
    {84, G(3, 4), 0.7, 3, P2, NONE, 0},
    {86, G(3, 5), 0.7, 3, P2, NONE, 0},
    {88, G(3, 6), 0.7, 3, P2, NONE, 3},
    {91, L("#"), 0.7, 3, P2, NONE, 10, &g_sliderKnobTexture},
    {92, G(3, 7), 0.9, 3, P2, H4, 10},
    {93, G(3, 8), 0.9, 3, P2, H4, 10},
    // Extra options.
    {100, G(4, 0), 0.72, 3, P1, NONE, 10},
    {101, G(4, 1), 0.7, 3, P2, NONE, 20},
    {103, G(4, 2), 0.7, 3, P2, NONE, 5},
    {105, G(4, 3), 0.7, 3, P2, NONE, 5},
    {107, G(4, 4), 0.9, 3, P2, H4, 30},
    {108, G(4, 5), 0.9, 3, P2, H4, 0},
    // Colour editor.
    {125, G(5, 0), 0.72, 3, P1, NONE, 10},
    {133, G(5, 1), 0.9, 3, P2, H4, 25},
    {134, G(5, 2), 0.9, 3, P2, H4, 0},
    // Save slots: slots 2 to 6 as slot 1 with gap 5 (see ExpectAllTables).
    {150, G(6, 0), 0.72, 3, P1, NONE, 10},
    {151, {Source::SaveSlot, 1}, 0.7, 3, P2, H3, 20, &g_saveSlotTexture[1], &g_saveSlotHotTexture[1]},
    {157, G(6, 1), 0.9, 3, P2, H4, 20},
    // Save prompt, with the rebuild's placeholder label.
    {175, G(7, 0), 0.72, 3, P1, NONE, ANY_GAP},
    {176, G(7, 1), 0.7, 3, P2, NONE, 20},
    {177, L("---Пусто---"), 0.7, 3, H3, NONE, 15},
    {178, L("?"), 0.61, 3, P2, NONE, 0},
    {179, G(7, 2), 0.9, 3, P2, H4, 20},
    {180, G(7, 3), 0.9, 3, P2, H4, ANY_GAP},
    // Load list, built at start-up with six rows: rows 2 to 6 as row 1 with gap 5.
    {200, G(8, 0), 0.72, 3, P1, NONE, ANY_GAP},
    {201, {Source::LoadRow, 1}, 0.7, 3, P2, H3, 20},
    {207, G(8, 1), 0.9, 3, P2, H4, 20},
    // Load prompt.
    {225, G(9, 0), 0.72, 3, P1, NONE, ANY_GAP},
    {226, G(9, 1), 0.7, 3, P2, NONE, 20},
    {227, G(9, 2), 0.7, 3, P2, NONE, 0},
    {228, L("Пусто"), 0.7, 3, H3, NONE, 15},
    {229, L("?"), 0.61, 3, P2, NONE, 0},
    {230, G(9, 3), 0.9, 3, P2, H4, 20},
    {231, G(9, 4), 0.9, 3, P2, H4, ANY_GAP},
    // New-game prompt.
    {250, G(10, 0), 0.72, 3, P1, NONE, ANY_GAP},
    {251, G(10, 1), 0.7, 3, P2, NONE, 20},
    {252, G(10, 2), 0.7, 3, P2, NONE, 0},
    {253, L("?"), 0.51, 3, P2, NONE, 0},
    {254, G(10, 3), 0.9, 3, P2, H4, 20},
    {255, G(10, 4), 0.9, 3, P2, H4, ANY_GAP},
    // Exit prompt.
    {275, G(11, 0), 0.72, 3, P1, NONE, ANY_GAP},
    {276, G(11, 1), 0.7, 3, P2, NONE, 20},
    {277, L("?"), 0.51, 3, P2, NONE, 0},
    {278, G(11, 2), 0.9, 3, P2, H4, 20},
    {279, G(11, 3), 0.9, 3, P2, H4, ANY_GAP},
    // Reset prompt.
    {300, G(12, 0), 0.72, 3, P1, NONE, ANY_GAP},
    {301, G(12, 1), 0.7, 3, P2, NONE, 20},
    {302, G(12, 2), 0.7, 3, P2, NONE, 0},
    {303, L("?"), 0.51, 3, P2, NONE, 0},
    {304, G(12, 3), 0.9, 3, P2, H4, 20},
    {305, G(12, 4), 0.9, 3, P2, H4, ANY_GAP},
    // About.
    {350, G(13, 0), 0.72, 3, P1, NONE, ANY_GAP},
    {351, {Source::Credit, 13, 1}, 0.7, 3, P2, NONE, 30},
    {352, G(13, 2), 0.8, 3, {2, Colour::PanelBlue}, H4, 0},
    {353, G(13, 3), 0.9, 3, P2, H4, 20},
    // Game over.
    {375, G(14, 0), 0.72, 3, P1, NONE, ANY_GAP},
    {376, G(14, 1), 1.0, 3, {2, Colour::Hot}, NONE, 35},
    {377, G(14, 2), 1.0, 3, {2, Colour::Hot}, NONE, 0},
    {378, G(14, 3), 0.9, 3, P2, H4, 30},
    // Online game.
    {400, G(15, 0), 0.72, 3, P1, NONE, ANY_GAP},
    {401, G(15, 1), 0.8, 3, P2, H3, 20},
    {402, G(15, 2), 0.8, 3, P2, H3, 5},
    {403, G(15, 3), 1.0, 3, P2, H4, 20},
    // Online status.
    {425, G(16, 0), 0.5, 5, {1, Colour::Grey}, NONE, 20},
    {426, G(16, 1), 0.5, 5, {2, Colour::Grey}, NONE, ANY_GAP},
    {427, G(16, 2), 0.5, 5, {2, Colour::Warning}, NONE, ANY_GAP},
    {428, L("В   игре", "In   game"), 0.5, 5, {2, Colour::Grey}, NONE, 20},
    {429, {Source::Count}, 0.5, 5, {2, Colour::Grey}, NONE, ANY_GAP},
    {430, G(16, 4), 1.2, 5, {3, Colour::WaitRed}, NONE, ANY_GAP},
    // News banner, setup choice.
    {450, {Source::News}, 0.7, 5, P2, H2, ANY_GAP},
    {475, G(17, 0), 1.0, 5, P3, H4, ANY_GAP},
    {476, G(17, 1), 1.0, 5, P3, H4, ANY_GAP},
};

// The widgets without a caption of their own: a size and a gap.
struct Sized {
    int widget;
    int like;           // takes the size of this widget, or 0
    int width, height;  // otherwise this size
    int gap;
};
const Sized SIZED[] = {
    {57, 53, 0, 0, 0},     {60, 53, 0, 0, 0},     {62, 53, 0, 0, 0},     {65, 53, 0, 0, 5},
    {67, 0, 284, 20, 15},  {76, 0, 0, 0, 15},     {77, 0, 0, 0, 0},      {79, 53, 0, 0, 0},
    {81, 53, 0, 0, 0},     {83, 0, 64, 64, 59},   {85, 0, 64, 64, 64},   {87, 0, 64, 64, 64},
    {89, 0, 64, 64, 64},   {90, 0, 257, 20, 0},   {94, 0, 257, 20, 10},  {95, 91, 0, 0, 10},
    {102, 53, 0, 0, 0},    {104, 53, 0, 0, 0},    {106, 53, 0, 0, 0},    {126, 0, 257, 100, 20},
    {127, 0, 257, 20, 10}, {128, 0, 257, 20, 10}, {129, 0, 257, 20, 10}, {130, 91, 0, 0, 0},
    {131, 91, 0, 0, 5},    {132, 91, 0, 0, 0},
};

// Panel heights on the first build: the widgets whose heights are summed, and the gaps' total.
struct HeightSum {
    int panel;
    std::vector<int> widgets;
    int gaps;
};
const HeightSum HEIGHTS[] = {
    {0, {0, 1, 2, 3, 4, 5, 6, 7}, 70},
    {1, {25, 26, 27, 28, 29, 30, 31, 32}, 110},
    {2, {50, 51, 52, 54, 56, 58, 59, 61, 63, 64, 66, 68}, 100},
    {3, {75, 78, 80, 84, 92}, 4 * 64 + 45},
    {4, {100, 101, 103, 105}, 60},
    {5, {125, 133}, 235},
    {6, {150, 151, 152, 153, 154, 155, 156, 157}, 85},
    {7, {175, 176, 177, 179}, 20 + 15 + 20},
    {8, {200, 201, 202, 203, 204, 205, 206, 207}, 20 + 5 * 5 + 20},
    {9, {225, 226, 227, 228, 230}, 20 + 0 + 15 + 20},
    {10, {250, 251, 252, 254}, 20 + 0 + 20},
    {11, {275, 276, 278}, 20 + 20},
    {12, {300, 301, 302, 304}, 20 + 0 + 20},
    {14, {350, 351, 352, 353}, 30 + 0 + 20},
    {15, {375, 376, 378}, 35 + 30},
    {16, {400, 401, 402, 403}, 20 + 5 + 20},
};

// ---- what a row stands for after the start-up ----

CString TextOf(const Text& t)
{
    const bool russian = g_language[0] == 1;
    switch (t.source) {
    case Source::Group: return g_uiText[25 * t.group + t.item];
    case Source::Literal: return russian ? t.russian : t.english;
    case Source::SaveSlot: return g_saveSlotLabel[t.group];
    case Source::LoadRow: return g_loadSlotLabel[t.group];
    case Source::LanguageRow: return g_languageNames[t.group];
    case Source::News: return "[ " + ReadSharedText(g_newsText) + " ]";
    case Source::Count: return ReadSharedText(g_onlineCountText);
    case Source::Credit: return g_uiText[25 * t.group + t.item] + ABOUT_CREDIT_NAMES;
    }
    return CString();
}

CaptionLook LookOf(const Look& look)
{
    const int r = g_panelColourByte[0], g = g_panelColourByte[1], b = g_panelColourByte[2];
    const int grey = r > 125 || g > 125 || b > 125 ? 50 : 200;
    const bool reddish = r >= 150 && g <= 150 && b <= 150;
    switch (look.colour) {
    case Colour::Hot: return {look.style, 180, 180, 100};
    case Colour::PanelBlue: return {look.style, r, g, 255};
    case Colour::Grey: return {look.style, grey, grey, grey};
    case Colour::Warning: return reddish ? CaptionLook{look.style, grey, grey, grey} : CaptionLook{look.style, 255, 0, 0};
    case Colour::WaitRed: return {look.style, 235, 20, 20};
    case Colour::AlertRed: return {look.style, 240, 20, 20};
    default: return {look.style, r, g, b};
    }
}

struct Measured {
    int width, height;  // the caption's picture, before the scale
};
Measured Measure(const CString& text, int spacing)
{
    int size[2] = {0, 0};
    MeasureText(text, size, g_texturePadX, g_texturePadY, spacing, 1);
    return {size[0], size[1]};
}

// The caption's pictures, in the order of the looks, and its names.
void ExpectPictures(const CString& text, int spacing, std::initializer_list<Look> looks,
                    std::initializer_list<GLuint> names)
{
    std::vector<CaptionLook> drawn;
    for (const Look& look : looks) drawn.push_back(LookOf(look));
    const std::vector<TexImage> want = ReferenceCaption(text, spacing, drawn);
    size_t k = 0;
    for (GLuint name : names) {
        SCOPED_TRACE(k == 0 ? "normal" : "look " + std::to_string(k));
        ASSERT_NE(name, 0u);
        EXPECT_TRUE(ReadTexture(name) == want[k]) << "drawn in another look than style " << drawn[k].style
                                                  << " (" << drawn[k].r << ", " << drawn[k].g << ", " << drawn[k].b
                                                  << ")";
        ++k;
    }
}

void ExpectCaption(const Caption& row)
{
    const int w = row.widget;
    SCOPED_TRACE("widget " + std::to_string(w));
    const CString text = TextOf(row.text);
    const Measured m = Measure(text, row.spacing);
    if (row.gap != ANY_GAP) {
        EXPECT_EQ(g_widgetGap[w], row.gap);
    }
    if (m.height == 0) {  // an empty text (the hidden label of the extra options) shows nothing
        EXPECT_EQ(g_widgetWidth[w] + g_widgetHeight[w], 0);
        return;
    }
    EXPECT_EQ(g_widgetWidth[w], static_cast<int>(m.width * row.scale)) << "scale " << row.scale;
    EXPECT_EQ(g_widgetHeight[w], static_cast<int>(m.height * row.scale)) << "scale " << row.scale;
    const GLuint normal = row.normalInto ? *row.normalInto : g_widgetTexture[w];
    if (row.hot.style == 0) {
        ExpectPictures(text, row.spacing, {row.normal}, {normal});
        if (!row.normalInto) {
            EXPECT_EQ(g_widgetHotTexture[w], 0u) << "no hot caption";
        }
    } else {
        const GLuint hot = row.hotInto ? *row.hotInto : g_widgetHotTexture[w];
        ExpectPictures(text, row.spacing, {row.normal, row.hot}, {normal, hot});
    }
}

void ExpectAllTables()
{
    SCOPED_TRACE(g_language[0] == 1 ? "Russian" : "English");
    for (const Caption& row : CAPTIONS) ExpectCaption(row);
    for (int i = 1; i < 8; ++i) ExpectCaption({i, G(0, i), 1.0, 5, P3, H4, 10});
    for (int i = 2; i <= 6; ++i) {
        ExpectCaption(
            {150 + i, {Source::SaveSlot, i}, 0.7, 3, P2, H3, 5, &g_saveSlotTexture[i], &g_saveSlotHotTexture[i]});
        ExpectCaption({200 + i, {Source::LoadRow, i}, 0.7, 3, P2, H3, 5});
    }

    // The language list: a row per language found, and the gaps 325 onwards.
    ASSERT_GE(g_languageCount, 3) << "the shipped language files";
    for (int i = 1; i < g_languageCount; ++i)
        ExpectCaption({325 + i, {Source::LanguageRow, i}, 1.0, 3, P2, H3, 10});
    EXPECT_EQ(g_widgetGap[325], 10);

    // The online banner: plain, alert and hot drawn in turn over one image.
    const int bannerGaps[3] = {20, 17, 17};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE("banner line " + std::to_string(k));
        const int w = 500 + k;
        const CString text = g_uiText[25 * 18 + k];
        const Measured m = Measure(text, 5);
        EXPECT_EQ(g_widgetWidth[w], static_cast<int>(m.width * 0.5));
        EXPECT_EQ(g_widgetHeight[w], static_cast<int>(m.height * 0.5));
        EXPECT_EQ(g_widgetGap[w], bannerGaps[k]);
        ExpectPictures(text, 5, {P2, {2, Colour::AlertRed}, H3},
                       {g_onlineBannerTexture[k][0], g_onlineBannerTexture[k][1], g_onlineBannerTexture[k][2]});
    }

    // The caption bar: its sizes are the picture's times the scale, untruncated.
    {
        SCOPED_TRACE("menu button");
        const Measured m = Measure(g_languageCaption, 5);
        EXPECT_EQ(g_menuButtonBaseWidth, m.width * 0.95);
        EXPECT_EQ(g_menuButtonBaseHeight, m.height * 0.95);
        ExpectPictures(g_languageCaption, 5, {P2, H4}, {g_menuButtonTexture[0], g_menuButtonTexture[1]});
    }
    const char* const icons[4] = {"`", "*", "~", "?"};
    const double iconScales[4] = {0.5, 0.55, 0.58, 0.55};
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(std::string("icon ") + icons[k]);
        const Measured m = Measure(icons[k], 7);
        ASSERT_GT(m.height, 0);
        EXPECT_EQ(g_captionButtonWidth[k], m.width * iconScales[k]);
        EXPECT_EQ(g_captionButtonHeight[k], m.height * iconScales[k]);
        ExpectPictures(icons[k], 7, {P2, H2}, {g_captionButtonTexture[k], g_captionButtonTexture[4 + k]});
    }

    for (const Sized& s : SIZED) {
        SCOPED_TRACE("widget " + std::to_string(s.widget));
        EXPECT_EQ(g_widgetWidth[s.widget], s.like ? g_widgetWidth[s.like] : s.width);
        EXPECT_EQ(g_widgetHeight[s.widget], s.like ? g_widgetHeight[s.like] : s.height);
        EXPECT_EQ(g_widgetGap[s.widget], s.gap);
    }

    for (const HeightSum& h : HEIGHTS) {
        int sum = h.gaps;
        for (int w : h.widgets) sum += g_widgetHeight[w];
        EXPECT_EQ(g_panelHeight[h.panel], sum) << "panel " << h.panel;
    }
    int languages = 10 * (g_languageCount - 2);
    for (int i = 1; i < g_languageCount; ++i) languages += g_widgetHeight[325 + i];
    EXPECT_EQ(g_panelHeight[PANEL_LANGUAGE_LIST], languages);
}

bool g_flewIn = false;

// The program's start-up on a folder whose options file names the language,
// the piece scale 1.95 and the animations off: the file is applied and the
// main menu opens at once, without a fly-in.
void StartUpAndCheck(int language)
{
    ProgramLinks folder;
    folder.Write("konfig.ini", OptionsLine(language, "1.95", 0));
    g_flewIn = false;
    EXPECT_EQ(RunMainDialog(folder.Path(), [](CVelmonarDlg&) { ExpectAllTables(); }, 0.05,
                            [](bool) { g_flewIn = true; }),
              IDCANCEL);
    EXPECT_EQ(g_language[0], language);
    EXPECT_EQ(g_animationsOn, 0);
    for (int f = 0; f < PANEL_FLAG_COUNT; ++f) EXPECT_EQ(g_panelVisible[f], f == 0 || f == 1 ? 1 : 0) << f;
    EXPECT_FALSE(g_flewIn);
    EXPECT_DOUBLE_EQ(g_models[1].posX[3], g_unscaledPieceVertices[0][3] / 1.95);
}

TEST(PanelTables, EveryCaptionAsThePanelsGiveItAfterARussianStartUp)
{
    StartUpAndCheck(1);
}

TEST(PanelTables, EveryCaptionAsThePanelsGiveItAfterAnEnglishStartUp)
{
    StartUpAndCheck(2);
}

}  // namespace
