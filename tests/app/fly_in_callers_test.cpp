// The fly-ins' callers in the main dialog over the loaded scene: Esc and the
// end of a game fly their panel in only while the animations are on; off,
// the panel stands at once in its laid-out place.
#include <gtest/gtest.h>

#include <vector>

#include "app/VelmonarDlg.h"
#include "interface/clock_hooks.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/main_menu.h"
#include "interface/overlay.h"
#include "interface/widgets.h"
#include "platform/gl_context.h"
#include "platform/program_folder.h"
#include "rules/live_options.h"
#include "rules/rules_host.h"
#include "scene/frame_state.h"
#include "tests/support/scene_window.h"

namespace {

// Every look at the clock is 40 ms later.
int g_looks = 0;
DWORD CountedClock()
{
    return static_cast<DWORD>(40 * ++g_looks);
}
void NoSleep(DWORD) {}

std::vector<double> MenuEdges()
{
    std::vector<double> edges;
    for (int w = 0; w < 8; ++w) edges.insert(edges.end(), {g_widgetLeft[w], g_widgetRight[w], g_widgetTop[w], g_widgetBottom[w]});
    edges.insert(edges.end(), {g_menuBackdropLeft, g_menuBackdropRight, g_menuBackdropTop, g_menuBackdropBottom});
    return edges;
}

void CloseAll()
{
    for (int& flag : g_panelVisible) flag = 0;
}

TEST(FlyInCallers, EscAndTheEndOfAGameFlyInOnlyWithTheAnimationsOn)
{
    CWinApp app;
    bool loaded = false;
    SceneWindow window(800, 600, [&](SceneWindow& w) {
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
        g_looks = 0;
        w.OnCancel();
        EXPECT_EQ(g_panelVisible[PANEL_FLAG_MENU_MODE], 1);
        EXPECT_EQ(g_panelVisible[PANEL_FLAG_MAIN_MENU], 1);
        EXPECT_EQ(g_looks, 0);
        EXPECT_EQ(MenuEdges(), laidOut);

        // On: the menu flies in (frames at 40 .. 280 ms), then stands in place.
        g_animationsOn = 1;
        CloseAll();
        g_looks = 0;
        w.OnCancel();
        EXPECT_EQ(g_looks, 9);
        EXPECT_EQ(g_overlayOn, 1);
        EXPECT_EQ(MenuEdges(), laidOut);

        // The end of a game through the rules' table: likewise.
        g_animationsOn = 0;
        CloseAll();
        g_looks = 0;
        g_rulesHost.showGameOverPanel();
        EXPECT_EQ(g_panelVisible[PANEL_FLAG_GAME_OVER], 1);
        EXPECT_EQ(g_looks, 0);
        g_animationsOn = 1;
        CloseAll();
        g_looks = 0;
        g_rulesHost.showGameOverPanel();
        EXPECT_EQ(g_panelVisible[PANEL_FLAG_GAME_OVER], 1);
        EXPECT_EQ(g_looks, 9);

        ResetClockHooks();
        CloseAll();
    });
    app.m_pMainWnd = &window;
    window.DoModal();
    app.m_pMainWnd = nullptr;
    wglMakeCurrent(nullptr, nullptr);
    if (window.m_hRC) wglDeleteContext(window.m_hRC);
    EXPECT_TRUE(loaded) << "the built program folder";
}

}  // namespace
