// The overlay read back from a real GL context: the texture rebuild's modes,
// the start-up panels laid out, the window frame, caption bar, backdrop and
// panels drawn by DrawOverlay, and the drawers of later panels over widget
// tables filled by hand.
#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
#include <GL/gl.h>

#include "interface/caption_bar.h"
#include "interface/caption_colours.h"
#include "interface/extra_panels.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/online_panels.h"
#include "interface/option_panels.h"
#include "interface/options.h"
#include "interface/overlay.h"
#include "interface/panel_textures.h"
#include "interface/save_slots.h"
#include "interface/text_window.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "tests/support/overlay_gl.h"

namespace {

constexpr int W = 1024, H = 768;  // wide enough for the 770-pixel help window

void NearRgb(const Rgb& got, const Rgb& want, int tolerance, const char* what)
{
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c], want[c], tolerance) << what << " channel " << c;
}

TEST(Overlay, BuiltAndLaidOutRebuiltByModeThenDrawnInEntryOrderWithTheCameraPutBack)
{
    RunWithOverlayGl(W, H, [] {
        BuildOverlayAtStartUp(2);
        ASSERT_GE(g_languageCount, 3) << "the shipped language files";

        EXPECT_EQ(g_widgetTexture[325 + g_languageCount], 0u) << "no row past the languages found";

        // The menu button's base size copied (the sizes themselves are the
        // panel table test's); the language rows and the fixed places laid
        // out (the menus' are the panel caption test's).
        EXPECT_EQ(g_menuButtonWidth, g_menuButtonBaseWidth);
        EXPECT_EQ(g_menuButtonHeight, g_menuButtonBaseHeight);
        EXPECT_EQ(g_widgetTop[326], H / 2 + g_panelHeight[PANEL_LANGUAGE_LIST] / 2);
        EXPECT_EQ(g_widgetTop[327], g_widgetBottom[326] - 10);
        EXPECT_EQ(g_captionButtonRight[HOVER_CAPTION_CLOSE], W - 15);
        EXPECT_EQ(g_menuButtonTop, H - 15);
        EXPECT_EQ(g_menuBackdropLeft, W / 2 - 150);
        EXPECT_EQ(g_textWindowRight, W / 2 + 385);
        EXPECT_EQ(g_textCloseRect.left, static_cast<int>(g_textCloseButton[0]));
        EXPECT_EQ(g_textTrackRect.top, 15);

        // Mode 0 redoes the caption bar only, mode 1 the panels too, mode 2
        // the help page as well (the names they fill are the panel caption
        // test's).
        const int entryWidth = g_widgetWidth[0], pageWidth = g_helpPageWidth;
        const double menuWidth = g_menuButtonWidth;
        for (const int mode : {REBUILD_CAPTION_BAR, REBUILD_COLOUR, REBUILD_ALL}) {
            g_menuButtonWidth = -7, g_widgetWidth[0] = -7, g_helpPageWidth = -7;
            RebuildPanelTextures(mode);
            EXPECT_EQ(g_menuButtonWidth, menuWidth) << mode;
            EXPECT_EQ(g_widgetWidth[0], mode == REBUILD_CAPTION_BAR ? -7 : entryWidth) << mode;
            EXPECT_EQ(g_helpPageWidth, mode == REBUILD_ALL ? pageWidth : -7) << mode;
        }

        // The pass: the frame, the caption bar, the backdrop and the panels.
        g_hoverId = 0;
        g_overlayOn = 1;
        g_onlineGame = 0;
        g_onlineBannerOn = 0;

        // Nothing open: the frame's four greys and the caption bar.
        OpenPanels({}, false);
        const Shot bare = RenderOverlayShot(W, H);
        NearRgb(bare.At(2, H / 2), {230, 230, 230}, 1, "left border");
        NearRgb(bare.At(W / 2, 2), {178, 178, 178}, 1, "bottom border");
        NearRgb(bare.At(W / 2, H - 3), {77, 77, 77}, 1, "top border");
        NearRgb(bare.At(W - 3, H / 2), {51, 51, 51}, 1, "right border");
        NearRgb(bare.At(W / 2, H / 2), {0, 0, 0}, 0, "no backdrop outside the menu mode");
        EXPECT_GT(bare.InkIn(g_menuButtonLeft, g_menuButtonRight, g_menuButtonBottom, g_menuButtonTop), 150);
        for (int id = 1; id <= 4; ++id)
            EXPECT_GT(bare.InkIn(g_captionButtonLeft[id], g_captionButtonRight[id], g_captionButtonBottom[id],
                               g_captionButtonTop[id]),
                      150)
                << "icon " << id;

        // The hovered menu button shows its hot caption.
        g_hoverId = HOVER_MENU_BUTTON;
        const Shot hotButton = RenderOverlayShot(W, H);
        EXPECT_GT(hotButton.DiffersIn(bare, g_menuButtonLeft, g_menuButtonRight, g_menuButtonBottom, g_menuButtonTop),
                  50);
        const int helpIcon = HOVER_CAPTION_HELP;
        EXPECT_EQ(hotButton.DiffersIn(bare, g_captionButtonLeft[helpIcon], g_captionButtonRight[helpIcon],
                                    g_captionButtonBottom[helpIcon], g_captionButtonTop[helpIcon]),
                  0);
        g_hoverId = 0;

        // Menu mode and the main menu: the backdrop in the panel colour, the
        // eight entries inked; the hovered entry alone changes.
        OpenPanels({PANEL_FLAG_MENU_MODE, PANEL_FLAG_MAIN_MENU}, false);
        const Shot menu = RenderOverlayShot(W, H);
        const Rgb panel{g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2]};
        NearRgb(menu.At(static_cast<int>(g_menuBackdropLeft) + 5, static_cast<int>(g_menuBackdropBottom) + 5), panel,
                2, "backdrop");
        for (int i = 0; i < 8; ++i) EXPECT_GT(menu.Ink(i), 300) << "entry " << i;
        g_hoverId = HOVER_MAIN_MENU_FIRST + 2;
        const Shot hovered = RenderOverlayShot(W, H);
        g_hoverId = 0;
        EXPECT_GT(hovered.Differs(menu, 2), 50);
        EXPECT_EQ(hovered.Differs(menu, 1), 0);
        EXPECT_EQ(hovered.Differs(menu, 3), 0);

        // The overlay switched off: frame and caption bar only.
        g_overlayOn = 0;
        const Shot off = RenderOverlayShot(W, H);
        g_overlayOn = 1;
        EXPECT_EQ(off.Ink(0), 0);
        NearRgb(off.At(static_cast<int>(g_menuBackdropLeft) + 5, static_cast<int>(g_menuBackdropBottom) + 5),
                {0, 0, 0}, 0, "no backdrop while the overlay is off");
        NearRgb(off.At(2, H / 2), {230, 230, 230}, 1, "frame while the overlay is off");
        EXPECT_GT(off.InkIn(g_menuButtonLeft, g_menuButtonRight, g_menuButtonBottom, g_menuButtonTop), 150);

        // Menu mode off: flagged panels are not drawn even with their flag.
        OpenPanels({PANEL_FLAG_MAIN_MENU}, false);
        const Shot closed = RenderOverlayShot(W, H);
        EXPECT_EQ(closed.Ink(0), 0);

        // The language list over the backdrop: its rows, no third one.
        OpenPanels({PANEL_FLAG_MENU_MODE, PANEL_FLAG_LANGUAGE_LIST}, false);
        const Shot languages = RenderOverlayShot(W, H);
        EXPECT_GT(languages.Ink(326), 300);
        EXPECT_GT(languages.Ink(327), 300);
        const double below = g_widgetBottom[327] - 10;
        EXPECT_LT(languages.InkIn(g_widgetLeft[327], g_widgetRight[327], below - g_widgetHeight[327], below), 200)
            << "only the backdrop under the last row";

        // A later entry over an earlier one: the help window (entry 16) hides
        // the menu (entry 1) but for its page's 4 % transparency.
        OpenPanels({PANEL_FLAG_MENU_MODE, PANEL_FLAG_TEXT_WINDOW}, false);
        const Shot help = RenderOverlayShot(W, H);
        OpenPanels({PANEL_FLAG_MENU_MODE, PANEL_FLAG_MAIN_MENU, PANEL_FLAG_TEXT_WINDOW}, false);
        const Shot both = RenderOverlayShot(W, H);
        for (int i = 0; i < 8; ++i) {
            EXPECT_GT(menu.Differs(help, i), 60) << "entry " << i;
            EXPECT_LE(both.Differs(help, i), 12) << "entry " << i;
        }
        // The thumb: white at half alpha at the top of the track.
        const HelpScrollBar& bar = g_helpScrollBar;
        const Rgb thumb = help.At(static_cast<int>((bar.thumbLeft + bar.thumbRight) / 2),
                                  static_cast<int>((bar.thumbTop + bar.thumbBottom) / 2));
        EXPECT_GT(thumb[0], 120);

        // The state the pass leaves: depth test, lighting and depth writes
        // on, blending off, the perspective camera loaded.
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        GLboolean depthWrites = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_TRUE(depthWrites);
        GLdouble projection[16], modelview[16], wantProjection[16], wantModelview[16];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
        LoadPerspectiveCamera();
        glGetDoublev(GL_PROJECTION_MATRIX, wantProjection);
        glGetDoublev(GL_MODELVIEW_MATRIX, wantModelview);
        for (int k = 0; k < 16; ++k) {
            EXPECT_DOUBLE_EQ(projection[k], wantProjection[k]);
            EXPECT_DOUBLE_EQ(modelview[k], wantModelview[k]);
        }

        // An empty menu caption gives the menu button no size.
        g_languageCaption = "";
        BuildCaptionBarTextures();
        EXPECT_EQ(g_menuButtonWidth, 0);
        EXPECT_EQ(g_menuButtonHeight, 0);
        glDisable(GL_LIGHTING);
    });
}

// A widget at fixed edges with one solid texture (normal and hot alike).
void Put(int w, double left, double bottom, double width, double height, GLuint texture)
{
    g_widgetLeft[w] = left, g_widgetRight[w] = left + width;
    g_widgetBottom[w] = bottom, g_widgetTop[w] = bottom + height;
    g_widgetTexture[w] = g_widgetHotTexture[w] = texture;
}

Rgb Centre(const Shot& shot, int w)
{
    return shot.At(static_cast<int>((g_widgetLeft[w] + g_widgetRight[w]) / 2),
                   static_cast<int>((g_widgetBottom[w] + g_widgetTop[w]) / 2));
}

TEST(PanelDrawers, BoxesSlidersListRowsBannerAndColourPreviewFromFilledTables)
{
    RunWithOverlayGl(W, H, [] {
        for (int w = 0; w < WIDGET_COUNT; ++w) Put(w, 0, 0, 0, 0, 0);
        g_menuBackdropLeft = g_menuBackdropRight = g_menuBackdropBottom = g_menuBackdropTop = 0;
        g_menuButtonLeft = g_menuButtonRight = 0;
        g_overlayOn = 1;
        g_onlineGame = 0;
        g_hoverId = 0;
        const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, yellow{255, 255, 0}, magenta{255, 0, 255};
        g_checkBoxTexture = SolidTexture(255, 0, 0, 255);
        g_checkBoxTickedTexture = SolidTexture(0, 255, 0, 255);
        g_checkBoxHotTexture = SolidTexture(0, 0, 255, 255);
        g_checkBoxTickedHotTexture = SolidTexture(255, 255, 0, 255);
        g_sliderKnobTexture = SolidTexture(255, 0, 255, 255);
        g_whiteSliderTexture[0] = SolidTexture(0, 0, 0, 0);      // a frame clear inside
        g_whiteSliderTexture[1] = SolidTexture(255, 255, 255, 255);

        // Game options: quick-search box ticked (never hot), animations box
        // ticked and hot, the piece-size slider at half alpha, its knob shifted.
        OpenPanels({PANEL_FLAG_MENU_MODE, PANEL_FLAG_GAME_OPTIONS}, false);
        Put(53, 100, 100, 24, 24, 0);
        Put(65, 100, 140, 24, 24, 0);
        Put(67, 200, 200, 284, 20, 0);
        Put(68, 196, 200, 9, 20, 0);
        g_pieceScaleSliderPos[0] = 100;
        g_editAiQuickSearch = 1;
        g_editAnimationsOn = 1;
        g_hoverId = HOVER_AI_QUICK_SEARCH;
        Shot shot = RenderOverlayShot(W, H);
        NearRgb(Centre(shot, 53), green, 0, "ticked box hovered");
        NearRgb(Centre(shot, 65), green, 0, "animations box not hovered");
        NearRgb(shot.At(300, 210), magenta, 0, "knob at its offset");
        NearRgb(shot.At(201, 210), {0, 0, 0}, 0, "ramp inset by 2");
        NearRgb(shot.At(220, 210), {128, 128, 128}, 2, "ramp at half alpha");
        g_editAiQuickSearch = 0;
        shot = RenderOverlayShot(W, H);
        NearRgb(Centre(shot, 53), blue, 0, "empty box hovered");
        g_hoverId = HOVER_ANIMATIONS;
        shot = RenderOverlayShot(W, H);
        NearRgb(Centre(shot, 53), red, 0, "empty box");
        NearRgb(Centre(shot, 65), yellow, 0, "animations box ticked and hovered");
        g_hoverId = 0;

        // Lists: the load list shows rows 1 .. count - 1, the language list likewise.
        const GLuint white = SolidTexture(255, 255, 255, 255);
        for (int r = 1; r <= 6; ++r) Put(200 + r, 100, 400 - 30.0 * r, 50, 20, white);
        for (int r = 1; r <= 3; ++r) Put(325 + r, 300, 400 - 30.0 * r, 50, 20, white);
        g_loadListCount = 3;
        const int languages = g_languageCount;
        g_languageCount = 2;
        OpenPanels({PANEL_FLAG_MENU_MODE, PANEL_FLAG_LOAD_LIST, PANEL_FLAG_LANGUAGE_LIST}, false);
        shot = RenderOverlayShot(W, H);
        g_languageCount = languages;
        for (int r = 1; r <= 6; ++r) EXPECT_EQ(shot.Ink(200 + r) > 0, r <= 2) << "load row " << r;
        for (int r = 1; r <= 3; ++r) EXPECT_EQ(shot.Ink(325 + r) > 0, r == 1) << "language row " << r;

        // The online banner: alert on odd blink steps, plain on even ones,
        // hot over both while hovered; shown only outside online games.
        for (int k = 0; k < 3; ++k) {
            Put(500 + k, 450, 100 + 30.0 * k, 60, 20, 0);
            g_onlineBannerTexture[k][0] = SolidTexture(255, 0, 0, 255);
            g_onlineBannerTexture[k][1] = SolidTexture(0, 255, 0, 255);
            g_onlineBannerTexture[k][2] = SolidTexture(0, 0, 255, 255);
        }
        OpenPanels({PANEL_FLAG_MENU_MODE}, false);
        g_onlineBannerOn = 1;
        g_blinkStep = 3;
        shot = RenderOverlayShot(W, H);
        for (int k = 0; k < 3; ++k) NearRgb(Centre(shot, 500 + k), green, 0, "alert line");
        g_blinkStep = 4;
        shot = RenderOverlayShot(W, H);
        NearRgb(Centre(shot, 501), red, 0, "plain line");
        g_hoverId = HOVER_ONLINE_BANNER;
        shot = RenderOverlayShot(W, H);
        for (int k = 0; k < 3; ++k) NearRgb(Centre(shot, 500 + k), blue, 0, "hot line");
        g_onlineGame = 1;
        shot = RenderOverlayShot(W, H);
        NearRgb(Centre(shot, 500), {0, 0, 0}, 0, "no banner in an online game");
        g_onlineGame = 0;
        g_onlineBannerOn = 0;
        g_blinkStep = 0;
        g_hoverId = 0;

        // The colour editor on the panel colour: a flat patch of the edited colour.
        g_colourPreviewFrameTexture = SolidTexture(0, 0, 0, 0);
        Put(126, 400, 300, 100, 100, 0);
        g_colourEditSlot = COLOUR_PANEL;
        g_colourEditValue[0] = 200, g_colourEditValue[1] = 100, g_colourEditValue[2] = 50;
        OpenPanels({PANEL_FLAG_MENU_MODE, PANEL_FLAG_COLOUR_EDITOR}, false);
        shot = RenderOverlayShot(W, H);
        NearRgb(shot.At(450, 350), {200, 100, 50}, 1, "colour preview");
        NearRgb(shot.At(400, 350), {0, 0, 0}, 0, "inset by 1");
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        glDisable(GL_LIGHTING);
    });
}

}  // namespace
