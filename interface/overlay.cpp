#include "interface/overlay.h"

#include <GL/gl.h>

#include "interface/caption_bar.h"
#include "interface/interface_state.h"
#include "interface/layout.h"
#include "interface/panel_drawers.h"
#include "interface/widgets.h"
#include "rules/live_options.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "scene/textures.h"

int g_overlayOn = 1;

namespace {

// The drawers of the flagged panels, by g_panelVisible entry (0 is the menu mode).
void (*const FLAGGED_DRAWERS[PANEL_FLAG_COUNT])() = {
    nullptr,
    DrawMainMenuPanel,       DrawSettingsPanel,         DrawGameOptionsPanel,    DrawGraphicsOptionsPanel,
    DrawExtraOptionsPanel,   DrawColourEditorPanel,     DrawSaveSlotsPanel,      DrawSaveConfirmPanel,
    DrawLoadListPanel,       DrawLoadConfirmPanel,      DrawNewGameConfirmPanel, DrawExitConfirmPanel,
    DrawResetConfirmPanel,   DrawLanguageListPanel,     DrawAboutPanel,          DrawTextWindow,
    DrawGameOverPanel,       DrawOnlineGamePanel,
};

void GreyPolygon(double grey, const double (&points)[4][2])
{
    glColor3d(grey, grey, grey);
    glBegin(GL_POLYGON);
    for (const auto& p : points) glVertex2d(p[0], p[1]);
    glEnd();
}

void DrawMenuBackdrop()
{
    glColor4d(g_panelColour[0], g_panelColour[1], g_panelColour[2], 1.0);
    DrawPictureQuad(g_menuBackTex, g_menuBackdropLeft, g_menuBackdropRight, g_menuBackdropBottom, g_menuBackdropTop);
    glColor4d(1, 1, 1, 1);
    DrawPictureQuad(g_menuEdgeTex, g_menuBackdropLeft, g_menuBackdropRight, g_menuBackdropBottom, g_menuBackdropTop);
}

void DrawPanels()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (g_panelVisible[PANEL_FLAG_MENU_MODE] == 1) {
        DrawMenuBackdrop();
        for (int entry = PANEL_FLAG_MAIN_MENU; entry < PANEL_FLAG_COUNT; ++entry)
            if (g_panelVisible[entry] == 1) FLAGGED_DRAWERS[entry]();
    }
    if (OnlineStatusShown()) DrawOnlineStatusPanel();
    if (NewsBannerShown()) DrawNewsBannerPanel();
    if (SetupChoiceShown()) DrawSetupChoicePanel();
    if (OnlineBannerShown()) DrawOnlineBannerPanel();
    glDisable(GL_BLEND);
}

}  // namespace

void DrawWindowFrame(int clientWidth, int clientHeight)
{
    const double W = clientWidth, H = clientHeight, B = WINDOW_BORDER;
    glDisable(GL_TEXTURE_2D);
    GreyPolygon(FRAME_GREY_LEFT, {{0, H}, {0, 0}, {B, B}, {B, H - B}});
    GreyPolygon(FRAME_GREY_BOTTOM, {{W - B, B}, {B, B}, {0, 0}, {W, 0}});
    GreyPolygon(FRAME_GREY_TOP, {{W, H}, {0, H}, {B, H - B}, {W - B, H - B}});
    GreyPolygon(FRAME_GREY_RIGHT, {{W, 0}, {W, H}, {W - B, H - B}, {W - B, B}});

    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4d(1, 1, 1, 1);
    DrawCaptionQuad(g_menuButtonTexture[g_hoverId == HOVER_MENU_BUTTON ? 1 : 0], g_menuButtonLeft, g_menuButtonRight,
                    g_menuButtonBottom, g_menuButtonTop);
    for (int k = 0; k < CAPTION_BUTTON_COUNT; ++k) {
        const int id = k + 1;
        const GLuint texture = g_captionButtonTexture[g_hoverId == id ? CAPTION_BUTTON_COUNT + k : k];
        DrawCaptionQuad(texture, g_captionButtonLeft[id], g_captionButtonRight[id], g_captionButtonBottom[id],
                        g_captionButtonTop[id]);
    }
    glDisable(GL_BLEND);
}

void DrawOverlay()
{
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, clientWidth, 0, clientHeight, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);

    DrawWindowFrame(clientWidth, clientHeight);
    if (g_overlayOn == 1) DrawPanels();

    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    LoadPerspectiveCamera();
}
