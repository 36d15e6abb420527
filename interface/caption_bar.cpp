#include "interface/caption_bar.h"

#include "interface/font.h"
#include "interface/language.h"
#include "interface/panel_captions.h"
#include "interface/widgets.h"

GLuint g_menuButtonTexture[2] = {0, 0};
double g_menuButtonBaseWidth = 0, g_menuButtonBaseHeight = 0;
double g_menuButtonWidth = 0, g_menuButtonHeight = 0;
double g_menuButtonShrink = 1.0;
GLuint g_captionButtonTexture[2 * CAPTION_BUTTON_COUNT] = {};
double g_captionButtonWidth[CAPTION_BUTTON_COUNT] = {};
double g_captionButtonHeight[CAPTION_BUTTON_COUNT] = {};

double g_captionButtonLeft[5] = {}, g_captionButtonRight[5] = {}, g_captionButtonTop[5] = {},
       g_captionButtonBottom[5] = {};
RECT g_captionButtonRect[4] = {};
double g_menuButtonLeft = 0, g_menuButtonRight = 0, g_menuButtonTop = 0, g_menuButtonBottom = 0;
RECT g_menuButtonRect = {};

namespace {

struct IconButton {
    const char* glyph;
    double scale;
};
// Close, maximise/restore, minimise, help.
const IconButton ICON_BUTTONS[CAPTION_BUTTON_COUNT] = {{"`", 0.5}, {"*", 0.55}, {"~", 0.58}, {"?", 0.55}};
constexpr double MENU_BUTTON_SCALE = 0.95;
constexpr int MENU_BUTTON_SPACING = 5;
constexpr int ICON_SPACING = 7;

CaptionSize BuildBarCaption(const CString& text, double scale, int spacing, GLuint* normal, GLuint* hot,
                            int hotStyle)
{
    g_currentText = text;
    g_textScale = scale;
    g_glyphScale = 1;
    g_letterSpacing = spacing;
    return BuildCaptionTextures(normal, PanelLook(2), hot, HotLook(hotStyle));
}

}  // namespace

void BuildCaptionBarTextures()
{
    const CaptionSize menu = BuildBarCaption(g_languageCaption, MENU_BUTTON_SCALE, MENU_BUTTON_SPACING,
                                             &g_menuButtonTexture[0], &g_menuButtonTexture[1], 4);
    g_menuButtonBaseWidth = menu.width;
    g_menuButtonBaseHeight = menu.height;
    SetMenuButtonShrink(g_menuButtonShrink);

    for (int k = 0; k < CAPTION_BUTTON_COUNT; ++k) {
        const CaptionSize icon = BuildBarCaption(ICON_BUTTONS[k].glyph, ICON_BUTTONS[k].scale, ICON_SPACING,
                                                 &g_captionButtonTexture[k],
                                                 &g_captionButtonTexture[CAPTION_BUTTON_COUNT + k], 2);
        g_captionButtonWidth[k] = icon.width;
        g_captionButtonHeight[k] = icon.height;
    }
}

void SetMenuButtonShrink(double shrink)
{
    g_menuButtonShrink = shrink > 0.0 ? shrink : 1.0;
    g_menuButtonWidth = g_menuButtonBaseWidth / g_menuButtonShrink;
    g_menuButtonHeight = g_menuButtonBaseHeight / g_menuButtonShrink;
}

void LayoutCaptionBar(int clientWidth, int clientHeight)
{
    g_menuButtonLeft = CAPTION_BAR_MARGIN;
    g_menuButtonRight = CAPTION_BAR_MARGIN + g_menuButtonWidth;
    g_menuButtonTop = clientHeight - CAPTION_BAR_MARGIN;
    g_menuButtonBottom = g_menuButtonTop - g_menuButtonHeight;
    g_menuButtonRect =
        HitRectFromEdges(g_menuButtonLeft, g_menuButtonTop, g_menuButtonRight, g_menuButtonBottom, clientHeight);

    // Right to left from the close button; no gap between minimise and help.
    const double gapBefore[CAPTION_BUTTON_COUNT] = {0, CAPTION_BUTTON_GAP, CAPTION_BUTTON_GAP, 0};
    double right = clientWidth - CAPTION_BAR_MARGIN;
    for (int k = 0; k < CAPTION_BUTTON_COUNT; ++k) {
        const int id = k + 1;  // hover id
        right -= gapBefore[k];
        g_captionButtonRight[id] = right;
        g_captionButtonLeft[id] = right - g_captionButtonWidth[k];
        g_captionButtonTop[id] = clientHeight - CAPTION_BAR_MARGIN - (k == 0 ? CAPTION_CLOSE_DROP : 0);
        g_captionButtonBottom[id] = g_captionButtonTop[id] - g_captionButtonHeight[k];
        g_captionButtonRect[k] = HitRectFromEdges(g_captionButtonLeft[id], g_captionButtonTop[id],
                                                  g_captionButtonRight[id], g_captionButtonBottom[id], clientHeight);
        right = g_captionButtonLeft[id];
    }
}
