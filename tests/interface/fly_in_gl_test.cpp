// The fly-ins on a fake clock in a real GL context: the edges at a given
// time, the frames each starting from the still scene, the end state.
#include <gtest/gtest.h>
#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

#include "interface/caption_colours.h"
#include "interface/clock_hooks.h"
#include "interface/fly_in.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/list_panels.h"
#include "interface/main_menu.h"
#include "interface/overlay.h"
#include "interface/widgets.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/search.h"
#include "scene/frame_state.h"
#include "scene/renderer.h"
#include "scene/scene_host.h"
#include "scene/textures.h"
#include "tests/support/overlay_gl.h"
#include "tests/support/window_pixels.h"

namespace {

constexpr int W = 800, H = 600;
constexpr int BACKDROP_W = 300, BACKDROP_H = 240;

// What the window shows: 0xRRGGBB per pixel, row 0 at the bottom.
using Screen = std::vector<unsigned>;
Screen Shown()
{
    return WindowPixels(0, 0, W, H);
}
unsigned At(const Screen& shot, int x, int y)
{
    return shot[static_cast<size_t>(y) * W + x];
}

// The fake clock: hands out the listed times, then the last one again; at
// every look after the first two the frame just swapped is on screen.
struct FakeClock {
    std::vector<DWORD> times;
    size_t looks = 0;
    std::function<void()> onFrameShown;
};
FakeClock* g_clock = nullptr;

DWORD FakeTick()
{
    FakeClock& c = *g_clock;
    if (c.looks >= 2 && c.onFrameShown) c.onFrameShown();
    const DWORD t = c.times[std::min(c.looks, c.times.size() - 1)];
    ++c.looks;
    return t;
}

void NoSleep(DWORD) {}

// Runs a fly-in on the given clock times.
void FlyOn(FakeClock& clock, void (*animate)())
{
    g_clock = &clock;
    g_clockHooks = ClockHooks{FakeTick, NoSleep};
    animate();
    ResetClockHooks();
    g_clock = nullptr;
}

// The scene lit as the renderer expects it, and the overlay as the start-up
// leaves it (font, language 2, every caption, the layout) over a scene of a
// background with detail everywhere (so that any pixel of the scene that is
// lost shows), with the main menu open in menu mode.
void RunWithScene(const std::function<void()>& body)
{
    RunWithOverlayGl(W, H, [&body] {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_COLOR_MATERIAL);
        BuildOverlayAtStartUp(2, BACKDROP_W, BACKDROP_H);
        g_backgroundTex = MakeTexture(64, 64, [](int x, int y) { return Rgba{x * 4, y * 4, (x ^ y) * 4, 255}; });
        g_sceneHost.drawOverlay = DrawOverlay, g_sceneReady = 1, g_reflectionOn = 0;
        g_shadowsOn = 0, g_overlayOn = 1;
        OpenPanels({PANEL_FLAG_MAIN_MENU});
        body();
        ResetSceneHost();
        g_sceneReady = 0;
    });
}

// Every edge of a widget, and of the backdrop.
struct Edges {
    double left, right, top, bottom;
    bool operator==(const Edges& o) const
    {
        return left == o.left && right == o.right && top == o.top && bottom == o.bottom;
    }
};
Edges WidgetEdges(int w)
{
    return {g_widgetLeft[w], g_widgetRight[w], g_widgetTop[w], g_widgetBottom[w]};
}
Edges BackdropEdges()
{
    return {g_menuBackdropLeft, g_menuBackdropRight, g_menuBackdropTop, g_menuBackdropBottom};
}

// Halfway between the centre and the target, edge by edge.
void ExpectHalfway(const Edges& got, const Edges& target, const char* what)
{
    const double cx = W / 2, cy = H / 2;
    EXPECT_DOUBLE_EQ(got.left, (cx + target.left) / 2) << what;
    EXPECT_DOUBLE_EQ(got.right, (cx + target.right) / 2) << what;
    EXPECT_DOUBLE_EQ(got.top, (cy + target.top) / 2) << what;
    EXPECT_DOUBLE_EQ(got.bottom, (cy + target.bottom) / 2) << what;
}

// The backdrop's colour: the panel colour, within the rounding of its tint.
bool PanelColoured(unsigned c)
{
    for (int k = 0; k < 3; ++k)
        if (std::abs(static_cast<int>((c >> (16 - 8 * k)) & 0xFF) - g_panelColourByte[k]) > 2) return false;
    return true;
}

TEST(FlyIn, HalfwayAtHalfTimeThenTheBackdropInPlaceAndTheOverlayOn)
{
    RunWithScene([] {
        std::vector<Edges> targets;
        for (int w = 0; w < 8; ++w) targets.push_back(WidgetEdges(w));
        const Edges backdrop = BackdropEdges();
        const Edges languageRow = WidgetEdges(326);

        // Looks at 1000 (start), 1150 (one frame at half time), 1300 (the end).
        std::vector<Edges> seen;
        Edges backdropSeen{};
        Screen frame;
        FakeClock clock{{1000, 1150, 1300}, 0, [&] {
                            for (int w = 0; w < 8; ++w) seen.push_back(WidgetEdges(w));
                            backdropSeen = BackdropEdges();
                            frame = Shown();
                        }};
        FlyOn(clock, AnimateMainMenu);
        EXPECT_EQ(clock.looks, 3u);
        EXPECT_EQ(g_tickStart, 1000u);
        EXPECT_EQ(g_tickElapsed, 300);

        ASSERT_EQ(seen.size(), 8u);
        for (int w = 0; w < 8; ++w) ExpectHalfway(seen[static_cast<size_t>(w)], targets[static_cast<size_t>(w)], "entry");
        ExpectHalfway(backdropSeen, backdrop, "backdrop");
        EXPECT_TRUE(WidgetEdges(326) == languageRow) << "other panels stay";

        // The frame shows the half-size backdrop in the panel colour; the
        // ring it has not reached yet shows the scene.
        const int insideHalf = static_cast<int>(backdropSeen.left) + 2;
        EXPECT_TRUE(PanelColoured(At(frame, insideHalf, static_cast<int>(backdropSeen.bottom) + 2)));
        EXPECT_FALSE(PanelColoured(At(frame, static_cast<int>(backdrop.left) + 2, static_cast<int>(backdrop.bottom) + 2)));

        // Afterwards: the overlay on, the backdrop exactly in place, the
        // entries where the last frame left them until the layout runs.
        EXPECT_EQ(g_overlayOn, 1);
        EXPECT_TRUE(BackdropEdges() == backdrop);
        ExpectHalfway(WidgetEdges(3), targets[3], "entry after the loop");
        LayoutMainMenu();
        for (int w = 0; w < 8; ++w) EXPECT_TRUE(WidgetEdges(w) == targets[static_cast<size_t>(w)]);
        EXPECT_FALSE(glIsEnabled(GL_MULTISAMPLE));
    });
}

// Fills the back buffer with magenta.
void Spoil()
{
    glDrawBuffer(GL_BACK);
    glClearColor(1, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0, 0, 0, 1);
}

TEST(FlyIn, EveryFrameStartsFromTheStillSceneWhateverTheBackBufferHolds)
{
    RunWithScene([] {
        g_overlayOn = 0;
        RenderFrame();
        const Screen still = Shown();
        g_overlayOn = 1;
        // Outside the panel's final place (backdrop and entries), with a
        // margin for the rounding of edges.
        Edges panel = BackdropEdges();
        for (int w = 0; w < 8; ++w) {
            panel.left = std::min(panel.left, g_widgetLeft[w]), panel.right = std::max(panel.right, g_widgetRight[w]);
            panel.bottom = std::min(panel.bottom, g_widgetBottom[w]), panel.top = std::max(panel.top, g_widgetTop[w]);
        }
        auto awayFromPanel = [&](int x, int y) {
            return x < panel.left - 2 || x > panel.right + 2 || y < panel.bottom - 2 || y > panel.top + 2;
        };

        // Nine frames; after each swap the back buffer is spoilt, as a driver
        // whose back buffer is undefined after a swap may leave it.
        int frames = 0, differing = 0, panelDrawn = 0;
        std::vector<DWORD> times;
        for (DWORD t = 0; t <= 330; t += 30) times.push_back(5000 + t);
        FakeClock clock{times, 0, [&] {
                            ++frames;
                            const Screen shot = Shown();
                            for (int y = 0; y < H; y += 3)
                                for (int x = 0; x < W; x += 3)
                                    if (awayFromPanel(x, y) && At(shot, x, y) != At(still, x, y)) ++differing;
                            if (At(shot, W / 2, H / 2) != At(still, W / 2, H / 2)) ++panelDrawn;
                            Spoil();
                        }};
        Spoil();  // already before the fly-in begins
        FlyOn(clock, AnimateMainMenu);
        EXPECT_EQ(frames, 9) << "at 30, 60 .. 270 ms";
        EXPECT_EQ(differing, 0) << "scene pixels away from the panel differ from the still scene";
        EXPECT_EQ(panelDrawn, 9) << "every frame shows the panel";
    });
}

TEST(FlyIn, AFirstLookPastTheDurationDrawsNoFrameTheLayoutPutsThePanelInPlaceAndEachMovesItsOwnWidgets)
{
    RunWithScene([] {
        // The language list of the start-up; the backdrop out of place beforehand.
        g_panelVisible[PANEL_FLAG_MAIN_MENU] = 0;
        g_panelVisible[PANEL_FLAG_LANGUAGE_LIST] = 1;
        LayoutLanguageListPanel();
        const Edges row1 = WidgetEdges(326), row2 = WidgetEdges(327);
        const Edges backdrop = BackdropEdges();
        g_menuBackdropLeft = 3;

        FakeClock clock{{7000, 7400}, 0, nullptr};
        FlyOn(clock, AnimateLanguageList);
        EXPECT_EQ(clock.looks, 2u);
        EXPECT_EQ(g_tickElapsed, 400);
        EXPECT_EQ(g_overlayOn, 1);
        EXPECT_TRUE(BackdropEdges() == backdrop);
        // What shows is the second plain redraw: no panel over the scene.
        const Screen shown = Shown();
        g_overlayOn = 0;
        RenderFrame();
        const Screen still = Shown();
        g_overlayOn = 1;
        EXPECT_TRUE(shown == still) << "a loop frame was drawn";

        LayoutLanguageListPanel();
        EXPECT_TRUE(WidgetEdges(326) == row1);
        EXPECT_TRUE(WidgetEdges(327) == row2);
        RenderFrame();
        const Screen standing = Shown();
        EXPECT_TRUE(PanelColoured(At(standing, static_cast<int>(backdrop.left) + 2, static_cast<int>(backdrop.bottom) + 2)));

        // Each fly-in moves its own widgets and no other.
        const int languages = g_languageCount;
        g_languageCount = 2;  // one language: row 1 alone
        struct Case {
            void (*animate)();
            int first, count;
        };
        const Case cases[] = {{AnimateLanguageList, 326, 1}, {AnimateGameOverPanel, 375, 4},
                              {AnimateNewGameConfirm, 250, 6}};
        for (const Case& c : cases) {
            // Every widget of the block and its neighbours away from the centre.
            for (int w = c.first - 1; w <= c.first + c.count; ++w)
                g_widgetLeft[w] = 10, g_widgetRight[w] = 50, g_widgetTop[w] = 90, g_widgetBottom[w] = 70;
            const Edges target = WidgetEdges(c.first);
            std::vector<Edges> seen;
            FakeClock clock{{0, 150, 300}, 0, [&] {
                                for (int w = c.first - 1; w <= c.first + c.count; ++w) seen.push_back(WidgetEdges(w));
                            }};
            FlyOn(clock, c.animate);
            ASSERT_EQ(seen.size(), static_cast<size_t>(c.count + 2));
            EXPECT_TRUE(seen.front() == target) << "the widget before widget " << c.first;
            EXPECT_TRUE(seen.back() == target) << "the widget after the fly-in of widget " << c.first;
            for (int k = 1; k <= c.count; ++k) ExpectHalfway(seen[static_cast<size_t>(k)], target, "moved widget");
        }
        g_languageCount = languages;
    });
}

}  // namespace
