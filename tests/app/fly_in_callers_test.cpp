// The fly-ins' callers in the main dialog over the loaded scene: Esc, the
// menu button and the end of a game fly their panel in only while the
// animations are on; off, the panel stands at once in its laid-out place.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "app/VelmonarDlg.h"
#include "app/menu_clicks.h"
#include "interface/caption_bar.h"
#include "interface/clock_hooks.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/overlay.h"
#include "interface/widgets.h"
#include "platform/program_folder.h"
#include "rules/live_options.h"
#include "rules/rules_host.h"
#include "scene/frame_state.h"
#include "scene/renderer.h"
#include "tests/support/scene_window.h"
#include "tests/support/window_pixels.h"

namespace {

constexpr int W = 800, H = 600;

// Every look at the clock is 40 ms later; from the third look on, the frame
// just swapped is on screen.
int g_looks = 0;
std::function<void()> g_onFrameShown;
DWORD CountedClock()
{
    if (++g_looks >= 3 && g_onFrameShown) g_onFrameShown();
    return static_cast<DWORD>(40 * g_looks);
}
void NoSleep(DWORD) {}

std::vector<double> MenuEdges()
{
    std::vector<double> edges;
    for (int w = 0; w < 8; ++w) edges.insert(edges.end(), {g_widgetLeft[w], g_widgetRight[w], g_widgetTop[w], g_widgetBottom[w]});
    edges.insert(edges.end(), {g_menuBackdropLeft, g_menuBackdropRight, g_menuBackdropTop, g_menuBackdropBottom});
    return edges;
}

// Every panel closed, the looks at the clock counted afresh.
void CloseAll()
{
    g_looks = 0;
    for (int& flag : g_panelVisible) flag = 0;
}

TEST(FlyInCallers, EscTheMenuButtonAndTheEndOfAGameFlyInOnlyWithTheAnimationsOn)
{
    bool loaded = false;
    RunSceneWindow(W, H, [&](SceneWindow& w) {
        g_appDir = VELMONAR_PROGRAM_DIR;
        BuildLanguageList();
        LoadLanguage(2);
        loaded = LoadSceneState(VELMONAR_PROGRAM_DIR);
        if (!loaded) return;
        g_clockHooks = ClockHooks{CountedClock, NoSleep};
        const std::vector<double> laidOut = MenuEdges();

        // Off: Esc opens the menu without a look at the clock, in place.
        g_animationsOn = 0;
        CloseAll();
        w.OnCancel();
        EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE], 1);
        EXPECT_EQ(g_panelVisible[PANEL_FLAG_MAIN_MENU], 1);
        EXPECT_EQ(g_looks, 0);
        EXPECT_EQ(MenuEdges(), laidOut);

        // On: the menu flies in (frames at 40 .. 280 ms) over the still
        // scene, multisampled as the program draws it, then stands in place.
        g_overlayOn = 0;
        RenderFrame();
        const std::vector<unsigned> still = WindowPixels(0, 0, W, H);
        g_overlayOn = 1;
        double left = g_menuBackdropLeft, right = g_menuBackdropRight;
        double bottom = g_menuBackdropBottom, top = g_menuBackdropTop;
        for (int m = 0; m < 8; ++m) {
            left = std::min(left, g_widgetLeft[m]), right = std::max(right, g_widgetRight[m]);
            bottom = std::min(bottom, g_widgetBottom[m]), top = std::max(top, g_widgetTop[m]);
        }
        int frames = 0, differing = 0;
        g_onFrameShown = [&] {
            ++frames;
            const std::vector<unsigned> shot = WindowPixels(0, 0, W, H);
            for (int y = 0; y < H; y += 2)
                for (int x = 0; x < W; x += 2) {
                    const bool away = x < left - 2 || x > right + 2 || y < bottom - 2 || y > top + 2;
                    const size_t i = static_cast<size_t>(y) * W + x;
                    if (away && shot[i] != still[i]) ++differing;
                }
        };
        g_animationsOn = 1;
        CloseAll();
        w.OnCancel();
        g_onFrameShown = nullptr;
        EXPECT_EQ(g_looks, 9);
        EXPECT_EQ(frames, 7);
        EXPECT_EQ(differing, 0) << "the scene away from the menu changed during the fly-in";
        EXPECT_EQ(g_overlayOn, 1);
        EXPECT_EQ(MenuEdges(), laidOut);

        // The end of a game through the rules' table and the menu button:
        // likewise, the panel in place either way.
        const RECT& button = g_menuButtonRect;
        const CPoint onButton((button.left + button.right) / 2, (button.top + button.bottom) / 2);
        for (int animations : {0, 1}) {
            SCOPED_TRACE(animations);
            g_animationsOn = animations;
            CloseAll();
            g_rulesHost.showGameOverPanel();
            EXPECT_EQ(g_panelVisible[PANEL_FLAG_GAME_OVER], 1);
            EXPECT_EQ(g_looks, animations ? 9 : 0);
            CloseAll();
            ClickCaptionBar(w, onButton);
            EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE] + g_panelVisible[PANEL_FLAG_MAIN_MENU], 2);
            EXPECT_EQ(g_looks, animations ? 9 : 0);
            EXPECT_EQ(MenuEdges(), laidOut);
        }

        ResetClockHooks();
        CloseAll();
    });
    EXPECT_TRUE(loaded) << "the built program folder";
}

}  // namespace
