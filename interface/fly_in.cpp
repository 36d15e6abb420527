#include "interface/fly_in.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

#include "interface/clock_hooks.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/layout_rules.h"
#include "interface/overlay.h"
#include "interface/widgets.h"
#include "platform/gl_context.h"
#include "rules/search.h"
#include "scene/camera.h"
#include "scene/renderer.h"
#include "scene/still_frame.h"
#include "scene/textures.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

int g_flyInDuration = 300;

namespace {

// The edges a fly-in moves, each from its start point (the centre's x or y)
// to the value it held when the fly-in began.
class MovedEdges {
public:
    void Add(double& edge, double start)
    {
        m_edges.push_back(&edge);
        m_starts.push_back(start);
        m_deltas.push_back(start - edge);
    }
    void AddWidget(int widget, const LayoutFrame& f)
    {
        Add(g_widgetLeft[widget], f.centreX);
        Add(g_widgetRight[widget], f.centreX);
        Add(g_widgetTop[widget], f.centreY);
        Add(g_widgetBottom[widget], f.centreY);
    }
    // t = 0 puts every edge on the centre, t = 1 back on its target.
    void Place(double t) const
    {
        for (size_t i = 0; i < m_edges.size(); ++i) *m_edges[i] = m_starts[i] - m_deltas[i] * t;
    }

private:
    std::vector<double*> m_edges;
    std::vector<double> m_starts;
    std::vector<double> m_deltas;
};

// Two redraws of the scene without panels; the second is kept as the still
// picture every frame of the fly-in starts from.
void DrawStillScene()
{
    g_overlayOn = 0;
    RenderFrame();
    KeepNextFrame();
    RenderFrame();
    g_overlayOn = 1;
}

// Frames until g_flyInDuration has passed; a first look past it draws none.
void RunFrames(const MovedEdges& moved)
{
    const HDC dc = wglGetCurrentDC();
    glEnable(GL_MULTISAMPLE);
    g_tickStart = g_clockHooks.tick();
    for (;;) {
        g_tickNow = g_clockHooks.tick();
        g_tickElapsed = static_cast<int>(g_tickNow - g_tickStart);
        if (g_tickElapsed >= g_flyInDuration) break;
        const double t = std::clamp(g_tickElapsed / static_cast<double>(g_flyInDuration), 0.0, 1.0);
        moved.Place(t);
        DrawStillFrame();
        DrawOverlay();
        glFlush();
        SwapBuffers(dc);
    }
    glDisable(GL_MULTISAMPLE);
}

// The one fly-in: widgets first .. first + count - 1 and the backdrop.
void FlyIn(int firstWidget, int count)
{
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    const LayoutFrame f = LayoutFrameFor(clientWidth, clientHeight);

    MovedEdges moved;
    for (int w = firstWidget; w < firstWidget + count; ++w) moved.AddWidget(w, f);
    moved.Add(g_menuBackdropLeft, f.centreX);
    moved.Add(g_menuBackdropRight, f.centreX);
    moved.Add(g_menuBackdropTop, f.centreY);
    moved.Add(g_menuBackdropBottom, f.centreY);

    DrawStillScene();
    // Without a still picture (window minimised, scene not loaded) nothing
    // is drawn: the panel simply stands after the caller's layout.
    if (StillFrameKept()) RunFrames(moved);
    ReleaseStillFrame();
    LayoutMenuBackdrop(clientWidth, clientHeight);
}

}  // namespace

void AnimateMainMenu()
{
    FlyIn(WidgetIndex(PANEL_MAIN_MENU, 0), 8);
}

void AnimateLanguageList()
{
    // Rows 1 .. count - 1; a list without languages moves only the backdrop.
    const int rows = std::clamp(g_languageCount - 1, 0, PANEL_ITEMS - 1);
    FlyIn(WidgetIndex(PANEL_LANGUAGE_LIST, 1), rows);
}

void AnimateGameOverPanel()
{
    FlyIn(WidgetIndex(PANEL_GAME_OVER, 0), 4);
}

void AnimateNewGameConfirm()
{
    FlyIn(WidgetIndex(PANEL_NEW_GAME_CONFIRM, 0), 6);
}
