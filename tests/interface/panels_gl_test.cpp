// The settings panel, the five prompts, the load list, the about and the
// game-over panels after a real build (the shipped font and language files)
// in a real GL context: places at two client sizes, hit rectangles, what a
// language change keeps, labels of any length, and what the overlay pass
// draws of them (their captions' looks, sizes and gaps are the panel table
// test's). With VELMONAR_SHOT_DIR set to a folder, the drawn panels are also
// written there as PPM pictures for a person to look at.
#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
#include <GL/gl.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "interface/confirm_panels.h"
#include "interface/font.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/list_panels.h"
#include "interface/overlay.h"
#include "interface/panel_textures.h"
#include "interface/save_slots.h"
#include "interface/widgets.h"
#include "rules/board.h"
#include "scene/frame_state.h"
#include "tests/support/interface_steps.h"
#include "tests/support/overlay_gl.h"

namespace {

constexpr int FULL_W = 1920, FULL_H = 1080;  // the test display
constexpr int SMALL_W = 798, SMALL_H = 600;  // the program's window mode

// Start-up as the loader does it, with the loader's start count of load rows
// (7) at the build unless told otherwise, then the count 1.
void StartUp(int language, int loadCountAtBuild = 7)
{
    g_loadListCount = loadCountAtBuild;
    BuildOverlayAtStartUp(language, 700, 560);
    g_loadListCount = 1;
    LayoutAll();
}

// Every widget of the panels with a caption: (first, last) item ranges.
struct Range {
    int first, last;
};
const Range MY_WIDGETS[] = {{0, 7},     {25, 32},   {175, 180}, {200, 207}, {225, 231},
                            {250, 255}, {275, 279}, {300, 305}, {350, 353}, {375, 378}};

// A save label of the program's layout: day.05.2026, seven blanks, hh:0d:07.
CString SaveLabel(int day, int hour)
{
    return CString(std::to_string(day) + ".05.2026       " + std::to_string(hour) + ":0" + std::to_string(day % 10) +
                   ":07");
}

void ExpectCentred(int w, int centreX)
{
    EXPECT_EQ(g_widgetLeft[w], centreX - g_widgetWidth[w] / 2) << "widget " << w;
}

void ExpectStacked(int w, int above)
{
    EXPECT_EQ(g_widgetTop[w], g_widgetBottom[above] - g_widgetGap[w]) << "widget " << w << " under " << above;
}

void ExpectFirst(int panel, int w, int centreY)
{
    EXPECT_EQ(g_widgetTop[w], centreY + g_panelHeight[panel] / 2) << "title of panel " << panel;
}

// A prompt: title, labels on their own rows, the last label beside its icon,
// the buttons at the row's ends under the last label.
void ExpectPrompt(int panel, int lastLabel, double iconDrop, int cx, int cy)
{
    SCOPED_TRACE("panel " + std::to_string(panel));
    const int title = WidgetIndex(panel, 0), icon = lastLabel + 1, yes = lastLabel + 2, no = lastLabel + 3;
    ExpectFirst(panel, title, cy);
    ExpectCentred(title, cx);
    for (int w = title + 1; w < lastLabel; ++w) {
        ExpectCentred(w, cx);
        ExpectStacked(w, w - 1);
    }
    const int wL = g_widgetWidth[lastLabel], wI = g_widgetWidth[icon];
    EXPECT_GT(wI, 0);
    EXPECT_EQ(g_widgetLeft[lastLabel], cx - (wL + wI + wI / 2) / 2);
    ExpectStacked(lastLabel, lastLabel - 1);
    EXPECT_EQ(g_widgetLeft[icon], g_widgetRight[lastLabel] + wI / 2);
    EXPECT_EQ(g_widgetTop[icon], g_widgetTop[lastLabel] - iconDrop);
    EXPECT_EQ(g_widgetLeft[yes], cx - 142);
    EXPECT_EQ(g_widgetRight[no], cx + 142);
    EXPECT_EQ(g_widgetTop[yes], g_widgetBottom[lastLabel] - 20);
    EXPECT_EQ(g_widgetTop[no], g_widgetTop[yes]);
    EXPECT_GT(g_widgetWidth[yes], 0);
    EXPECT_GT(g_widgetWidth[no], 0);
}

// Every place of the panels for the current client size.
void ExpectLayout(int clientWidth, int clientHeight)
{
    SCOPED_TRACE("client " + std::to_string(clientWidth) + " x " + std::to_string(clientHeight));
    const int cx = clientWidth / 2, cy = clientHeight / 2;
    for (const Range& range : MY_WIDGETS)
        for (int w = range.first; w <= range.last; ++w) {
            const bool stale = w >= 200 + g_loadListCount && w <= 206;
            if (!stale) ExpectPlaced(w, g_widgetLeft[w], g_widgetTop[w], clientHeight);  // by its own size
        }
    // The two menus: centred columns.
    for (int panel : {PANEL_MAIN_MENU, PANEL_SETTINGS}) {
        const int first = WidgetIndex(panel, 0);
        ExpectFirst(panel, first, cy);
        for (int w = first; w < first + 8; ++w) {
            ExpectCentred(w, cx);
            if (w > first) ExpectStacked(w, w - 1);
        }
    }
    ExpectPrompt(PANEL_SAVE_CONFIRM, 177, 0.0, cx, cy);
    ExpectPrompt(PANEL_LOAD_CONFIRM, 228, 0.0, cx, cy);
    ExpectPrompt(PANEL_NEW_GAME_CONFIRM, 252, 4.0, cx, cy);
    ExpectPrompt(PANEL_EXIT_CONFIRM, 276, 4.0, cx, cy);
    ExpectPrompt(PANEL_RESET_CONFIRM, 302, 4.0, cx, cy);
    // About: four centred rows, 30, 0 and 20 apart.
    ExpectFirst(PANEL_ABOUT, 350, cy);
    for (int w = 350; w <= 353; ++w) ExpectCentred(w, cx);
    EXPECT_EQ(g_widgetTop[351], g_widgetBottom[350] - 30);
    EXPECT_EQ(g_widgetTop[352], g_widgetBottom[351]);
    EXPECT_EQ(g_widgetTop[353], g_widgetBottom[352] - 20);
    // Game over: both results 35 under the title, the button 30 under the lost one.
    ExpectFirst(PANEL_GAME_OVER, 375, cy);
    for (int w = 375; w <= 378; ++w) ExpectCentred(w, cx);
    EXPECT_EQ(g_widgetTop[376], g_widgetBottom[375] - 35);
    EXPECT_EQ(g_widgetTop[377], g_widgetTop[376]);
    EXPECT_EQ(g_widgetTop[378], g_widgetBottom[376] - 30);
}

TEST(PanelCaptions, BothLanguagesGiveTheSumsAndPlacesALanguageChangeKeepsTheHeightsAndLabelsOfAnyLength)
{
    RunWithOverlayGl(FULL_W, FULL_H, [] {
        StartUp(1);
        ASSERT_GT(g_glyphCount, 0) << "the shipped font";
        ExpectLayout(FULL_W, FULL_H);

        // The windowed size: the same sizes, new places.
        glViewport(0, 0, SMALL_W, SMALL_H);
        LayoutAll();
        ExpectLayout(SMALL_W, SMALL_H);
        glViewport(0, 0, FULL_W, FULL_H);

        // Every texture of the overlay its own name. A language change, either
        // way, and each rebuild mode fill the same names and keep the
        // heights of the first build (but the load list's, which follows its
        // rows); widths follow the new texts.
        const std::vector<GLuint> names = OverlayTextureNames();
        std::set<GLuint> distinct(names.begin(), names.end());
        distinct.erase(0);
        EXPECT_EQ(distinct.size(), names.size() - std::count(names.begin(), names.end(), 0u));
        auto fixedHeights = [] {
            std::vector<int> h(g_panelHeight, g_panelHeight + PANEL_COUNT);
            h[PANEL_LOAD_LIST] = 0;
            return h;
        };
        const std::vector<int> heights = fixedHeights();
        auto expectKept = [&](const char* after) {
            EXPECT_EQ(OverlayTextureNames(), names) << after;
            EXPECT_EQ(fixedHeights(), heights) << after;
        };
        ChangeOverlayLanguage(2);
        expectKept("English");
        ExpectLayout(FULL_W, FULL_H);
        for (int mode : {REBUILD_CAPTION_BAR, REBUILD_COLOUR, REBUILD_ALL}) {
            RebuildPanelTextures(mode);
            expectKept("a rebuild");
        }
        ChangeOverlayLanguage(1);
        expectKept("Russian again");
        ChangeOverlayLanguage(2);

        // The Russian file with g_language 2: the account entry stays English.
        LoadLanguage(1);
        g_panelHeightsFixed = 1;
        RebuildPanelTextures(REBUILD_COLOUR);
        g_panelHeightsFixed = 0;
        EXPECT_EQ(g_widgetWidth[30], Measured("Personal", g_texturePadX, g_texturePadY, 5, 1).first);

        const int cx = FULL_W / 2;
        const int height = g_panelHeight[PANEL_SAVE_CONFIRM];
        // An empty label: 0 x 0, no hit; the icon alone centred on the row.
        BuildSaveConfirmTextures("");
        LayoutSaveConfirmPanel();
        EXPECT_EQ(g_widgetWidth[177], 0);
        EXPECT_EQ(g_widgetHeight[177], 0);
        const RECT empty = g_widgetHitRect[177];
        EXPECT_EQ(empty.left, empty.right);
        EXPECT_EQ(empty.top, empty.bottom);
        const int wI = g_widgetWidth[178];
        EXPECT_EQ(g_widgetLeft[178], cx - (wI + wI / 2) / 2 + wI / 2);
        EXPECT_EQ(g_panelHeight[PANEL_SAVE_CONFIRM], height) << "the height of the first build";
        EXPECT_EQ(g_widgetTop[179], g_widgetBottom[177] - 20);

        // A label wider than the button row: still centred with its icon,
        // the buttons at +-142 whatever their widths.
        BuildLoadConfirmTextures("31.12.2026       23:59:59 and a much longer text than any row of buttons");
        LayoutLoadConfirmPanel();
        const int wL = g_widgetWidth[228], wI2 = g_widgetWidth[229];
        EXPECT_GT(wL, 300);
        EXPECT_EQ(g_widgetLeft[228], cx - (wL + wI2 + wI2 / 2) / 2);
        EXPECT_LT(g_widgetLeft[228], cx - 142);
        EXPECT_EQ(g_widgetLeft[230], cx - 142);
        EXPECT_EQ(g_widgetRight[231], cx + 142);

    });
}

TEST(LoadList, NoneOneAndSixSavesThenAShorterListLeavesNoStaleRow)
{
    RunWithOverlayGl(FULL_W, FULL_H, [] {
        // Built with no save listed, every row still gets its texture names,
        // so a later list is not drawn into texture 0.
        StartUp(2, 1);
        const int cx = FULL_W / 2, cy = FULL_H / 2;
        for (int r = 1; r <= 6; ++r) {
            EXPECT_NE(g_widgetTexture[200 + r], 0u) << "row " << r;
            EXPECT_NE(g_widgetHotTexture[200 + r], 0u) << "row " << r;
        }

        auto list = [](int saves) {
            g_loadListCount = saves + 1;
            for (int r = 1; r <= 6; ++r) g_loadSlotLabel[r] = r <= saves ? SaveLabel(r, 10) : CString();
            BuildLoadListTextures();
            LayoutLoadListPanel();
        };
        auto expectRows = [&](int saves) {
            SCOPED_TRACE(std::to_string(saves) + " saves");
            // Title, 20, the rows 5 apart, 20, the back button.
            int sum = g_widgetHeight[200] + 20 + g_widgetHeight[207] + (saves > 0 ? 20 + 5 * (saves - 1) : 0);
            for (int r = 1; r <= saves; ++r) sum += g_widgetHeight[200 + r];
            EXPECT_EQ(g_panelHeight[PANEL_LOAD_LIST], sum);
            ExpectFirst(PANEL_LOAD_LIST, 200, cy);
            for (int w = 200; w <= 207; ++w) {
                const bool shown = w == 200 || w == 207 || w - 200 <= saves;
                if (shown) {
                    ExpectCentred(w, cx);
                    ExpectPlaced(w, g_widgetLeft[w], g_widgetTop[w], FULL_H);
                    EXPECT_GT(g_widgetHeight[w], 0);
                } else {
                    EXPECT_EQ(g_widgetLeft[w], 0.0);
                    EXPECT_EQ(g_widgetTop[w], 0.0);
                    const RECT r = g_widgetHitRect[w];
                    EXPECT_TRUE(r.left == 0 && r.right == 0 && r.top == FULL_H && r.bottom == FULL_H) << w;
                }
            }
            for (int r = 1; r <= saves; ++r)
                EXPECT_EQ(g_widgetTop[200 + r], g_widgetBottom[199 + r] - (r == 1 ? 20 : 5));
            EXPECT_EQ(g_widgetTop[207], g_widgetBottom[200 + saves] - 20);
        };
        list(0);
        expectRows(0);
        list(1);
        expectRows(1);
        list(6);
        expectRows(6);
        const POINT inRowFive{static_cast<int>(g_widgetLeft[205]) + 3,
                              static_cast<int>(FULL_H - g_widgetTop[205]) + 2};
        ASSERT_TRUE(WidgetHit(205, inRowFive));
        const double sixTop = g_widgetTop[200];

        // Three saves left: the panel is measured again and centred lower.
        list(3);
        expectRows(3);
        EXPECT_LT(g_widgetTop[200], sixTop);
        for (int r = 4; r <= 6; ++r) EXPECT_FALSE(WidgetHit(200 + r, inRowFive)) << "row " << r;

        // A count out of range holds to the six rows: the back button under row 6, or under the title.
        for (const auto& [count, above] : {std::pair{40, 206}, std::pair{-3, 200}}) {
            g_loadListCount = count;
            BuildLoadListTextures();
            LayoutLoadListPanel();
            EXPECT_EQ(g_widgetTop[207], g_widgetBottom[above] - 20) << count;
        }
    });
}

// ---- what the overlay pass draws ----

Shot Render(std::initializer_list<int> flags)
{
    OpenPanels(flags, false);
    return RenderOverlayShot(FULL_W, FULL_H);
}

struct Drawn {
    std::string name;
    int flag;
    Range widgets;
    std::vector<int> buttons;  // widget, hover id
};

// The prompts' labels and the load list's rows as the save code gives them.
void ShowSaves()
{
    g_loadListCount = 4;
    for (int r = 1; r <= 3; ++r) g_loadSlotLabel[r] = SaveLabel(r + 6, 14);
    BuildLoadListTextures();
    BuildSaveConfirmTextures(g_loadSlotLabel[2]);
    BuildLoadConfirmTextures(g_loadSlotLabel[3]);
    LayoutAll();
}

// Each panel over the bare backdrop: every caption inked, each button lit
// alone under the mouse.
void ExpectPanelsDrawn(const std::string& suffix)
{
    const Shot backdrop = Render({PANEL_FLAG_MENU_MODE});
    const Drawn panels[] = {
        {"settings", PANEL_FLAG_SETTINGS, {25, 32}, {26, 15, 30, 19, 32, 21}},
        {"save_prompt", PANEL_FLAG_SAVE_CONFIRM, {175, 180}, {179, 68, 180, 69}},
        {"load_list", PANEL_FLAG_LOAD_LIST, {200, 203}, {201, 71, 203, 73, 207, 77}},
        {"load_prompt", PANEL_FLAG_LOAD_CONFIRM, {225, 231}, {230, 79, 231, 80}},
        {"new_game_prompt", PANEL_FLAG_NEW_GAME_CONFIRM, {250, 255}, {254, 82, 255, 83}},
        {"exit_prompt", PANEL_FLAG_EXIT_CONFIRM, {275, 279}, {278, 85, 279, 86}},
        {"reset_prompt", PANEL_FLAG_RESET_CONFIRM, {300, 305}, {304, 88, 305, 89}},
        {"about", PANEL_FLAG_ABOUT, {350, 353}, {352, 110, 353, 111}},
        {"game_over", PANEL_FLAG_GAME_OVER, {375, 376}, {378, 112}},
    };
    for (const Drawn& p : panels) {
        SCOPED_TRACE(p.name + suffix);
        g_hoverId = 0;
        const Shot shot = Render({PANEL_FLAG_MENU_MODE, p.flag});
        shot.SaveIfAsked(p.name + suffix);
        for (int w = p.widgets.first; w <= p.widgets.last; ++w)
            EXPECT_GT(shot.Differs(backdrop, w), 60) << "widget " << w << " inked";
        for (size_t k = 0; k < p.buttons.size(); k += 2) {
            g_hoverId = p.buttons[k + 1];
            const Shot hot = Render({PANEL_FLAG_MENU_MODE, p.flag});
            EXPECT_GT(hot.Differs(shot, p.buttons[k]), 40) << "button " << p.buttons[k] << " hot";
            EXPECT_EQ(hot.Differs(shot, p.widgets.first), 0) << "the title stays";
            if (k == 0) hot.SaveIfAsked(p.name + suffix + "_hot");
        }
    }
    g_hoverId = 0;
}

TEST(PanelPictures, EveryPanelInksItsCaptionsAndLightsItsButtonsUnderTheMouseInBothLanguages)
{
    RunWithOverlayGl(FULL_W, FULL_H, [] {
        StartUp(2);
        g_overlayOn = 1;
        g_hoverId = 0;
        g_onlineBannerOn = 0;
        g_losingSide = 1;
        ShowSaves();
        ExpectPanelsDrawn("");

        // The game over's other result in the same place.
        const Shot lost = Render({PANEL_FLAG_MENU_MODE, PANEL_FLAG_GAME_OVER});
        g_losingSide = 2;
        const Shot won = Render({PANEL_FLAG_MENU_MODE, PANEL_FLAG_GAME_OVER});
        won.SaveIfAsked("game_over_won");
        EXPECT_GT(won.Differs(lost, 377) + won.Differs(lost, 376), 60);
        EXPECT_EQ(won.Differs(lost, 378), 0) << "the button keeps its place";
        g_losingSide = 1;

        ChangeOverlayLanguage(1);
        ShowSaves();
        ExpectPanelsDrawn("_ru");
    });
}

}  // namespace
