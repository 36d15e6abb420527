#include "interface/panel_drawers.h"

#include <algorithm>

#include "interface/extra_panels.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/online_panels.h"
#include "interface/option_panels.h"
#include "interface/options.h"
#include "interface/save_slots.h"
#include "interface/text_window.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "rules/board.h"
#include "scene/frame_state.h"
#include "scene/fullscreen_image.h"
#include "scene/geo_model.h"
#include "scene/textures.h"

void DrawCaptionQuad(GLuint texture, double left, double right, double bottom, double top)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_POLYGON);
    glTexCoord2d(0, 0);
    glVertex3d(left, top, 0);
    glTexCoord2d(0, 1);
    glVertex3d(left, bottom, 0);
    glTexCoord2d(1, 1);
    glVertex3d(right, bottom, 0);
    glTexCoord2d(1, 0);
    glVertex3d(right, top, 0);
    glEnd();
}

void DrawPictureQuad(GLuint texture, double left, double right, double bottom, double top)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_POLYGON);
    glTexCoord2d(0, 1);
    glVertex3d(left, top, 0);
    glTexCoord2d(0, 0);
    glVertex3d(left, bottom, 0);
    glTexCoord2d(1, 0);
    glVertex3d(right, bottom, 0);
    glTexCoord2d(1, 1);
    glVertex3d(right, top, 0);
    glEnd();
}

namespace {

constexpr double SLIDER_RAMP_INSET = 2;
constexpr double COMPUTER_LABEL_INSET = 2;
constexpr double COMPUTER_LABEL_ALPHA = 0.8;
constexpr double COLOUR_PREVIEW_INSET = 1;
constexpr double THUMB_ALPHA = 0.5;

bool Hovered(int hoverId)
{
    return hoverId != HOVER_NONE && g_hoverId == hoverId;
}

void White()
{
    glColor4d(1, 1, 1, 1);
}

void WidgetWith(int w, GLuint texture)
{
    DrawCaptionQuad(texture, g_widgetLeft[w], g_widgetRight[w], g_widgetBottom[w], g_widgetTop[w]);
}

// A widget's hot texture while hoverId is current, else its normal one.
void Widget(int w, int hoverId = HOVER_NONE)
{
    WidgetWith(w, Hovered(hoverId) ? g_widgetHotTexture[w] : g_widgetTexture[w]);
}

void PlainWidgets(int first, int last)
{
    for (int w = first; w <= last; ++w) Widget(w);
}

// Widgets first.. with the hover ids firstId.. in step.
void HotWidgets(int first, int last, int firstId)
{
    for (int w = first; w <= last; ++w) Widget(w, firstId + (w - first));
}

void CheckBox(int box, int value, int hoverId, bool hotWhenTicked)
{
    const bool hot = Hovered(hoverId);
    GLuint texture;
    if (value == 1)
        texture = hot && hotWhenTicked ? g_checkBoxTickedHotTexture : g_checkBoxTickedTexture;
    else
        texture = hot ? g_checkBoxHotTexture : g_checkBoxTexture;
    WidgetWith(box, texture);
}

// A label and the check box beside it.
void CheckRow(int label, int value, int hoverId, bool hotWhenTicked)
{
    Widget(label);
    CheckBox(label + 1, value, hoverId, hotWhenTicked);
}

// The track: the ramp inset at the slider's alpha, the frame over it; the
// knob shifted right by its offset.
void Slider(int track, int knob, const GLuint textures[2], double alpha, int offset)
{
    glColor4d(1, 1, 1, alpha);
    DrawCaptionQuad(textures[1], g_widgetLeft[track] + SLIDER_RAMP_INSET, g_widgetRight[track] - SLIDER_RAMP_INSET,
                    g_widgetBottom[track] + SLIDER_RAMP_INSET, g_widgetTop[track] - SLIDER_RAMP_INSET);
    White();
    WidgetWith(track, textures[0]);
    DrawCaptionQuad(g_sliderKnobTexture, g_widgetLeft[knob] + offset, g_widgetRight[knob] + offset,
                    g_widgetBottom[knob], g_widgetTop[knob]);
}

void Preview(int w, const GLuint textures[2], int hoverId)
{
    DrawPictureQuad(textures[Hovered(hoverId) ? 1 : 0], g_widgetLeft[w], g_widgetRight[w], g_widgetBottom[w],
                    g_widgetTop[w]);
}

GLuint ModelTextureName(size_t unified)
{
    return unified < g_modelTex.size() ? g_modelTex[unified] : 0;
}

// The edited colour on the model texture it tints (a flat patch for the
// panel colour).
void ColourPreview(int w)
{
    glDisable(GL_BLEND);
    glColor3d(g_colourEditValue[0] / 255.0, g_colourEditValue[1] / 255.0, g_colourEditValue[2] / 255.0);
    const double l = g_widgetLeft[w] + COLOUR_PREVIEW_INSET, r = g_widgetRight[w] - COLOUR_PREVIEW_INSET;
    const double b = g_widgetBottom[w] + COLOUR_PREVIEW_INSET, t = g_widgetTop[w] - COLOUR_PREVIEW_INSET;
    double s0 = 0, s1 = 1, tTop = 0, tBottom = 0.39;
    GLuint texture = 0;
    if (g_colourEditSlot == COLOUR_BOARD) {
        const ModelRecord& board = g_models[0];
        texture = ModelTextureName(board.vertexCount > 0 ? static_cast<size_t>(board.texSlot[0]) : 0);
        s0 = 0.21, s1 = 0.51, tTop = 0.4, tBottom = 0.517;
    } else if (g_colourEditSlot == COLOUR_PLAYER_PIECES || g_colourEditSlot == COLOUR_OPPONENT_PIECES) {
        texture = ModelTextureName(2);
    }
    const bool textured = texture != 0 && g_colourEditSlot != COLOUR_PANEL;
    if (!textured) glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_POLYGON);
    glTexCoord2d(s0, tTop);
    glVertex3d(l, t, 0);
    glTexCoord2d(s0, tBottom);
    glVertex3d(l, b, 0);
    glTexCoord2d(s1, tBottom);
    glVertex3d(r, b, 0);
    glTexCoord2d(s1, tTop);
    glVertex3d(r, t, 0);
    glEnd();
    if (!textured) glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    White();
}

void UntexturedQuad(double left, double right, double bottom, double top)
{
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_POLYGON);
    glVertex3d(left, top, 0);
    glVertex3d(left, bottom, 0);
    glVertex3d(right, bottom, 0);
    glVertex3d(right, top, 0);
    glEnd();
    glEnable(GL_TEXTURE_2D);
}

}  // namespace

void DrawMainMenuPanel()
{
    White();
    HotWidgets(0, 7, HOVER_MAIN_MENU_FIRST);
}

void DrawSettingsPanel()
{
    White();
    Widget(25);
    HotWidgets(26, 32, HOVER_SETTINGS_FIRST);
}

void DrawGameOptionsPanel()
{
    White();
    PlainWidgets(50, 51);
    CheckRow(52, g_editAiQuickSearch, HOVER_AI_QUICK_SEARCH, false);
    CheckRow(54, g_editAiLevel2, HOVER_AI_LEVEL2, false);
    CheckRow(56, g_editAiLevel3, HOVER_AI_LEVEL3, false);
    Widget(58);
    CheckRow(59, g_editSpareOption1, HOVER_PLAYER_FIRST, false);
    CheckRow(61, g_editComputerMovesFirst, HOVER_COMPUTER_FIRST, false);
    Widget(63);
    CheckRow(64, g_editAnimationsOn, HOVER_ANIMATIONS, true);
    Widget(66);
    Slider(67, 68, g_whiteSliderTexture, 0.5, g_pieceScaleSliderPos[0]);
    Widget(69, HOVER_GAME_OPTIONS_OK);
    Widget(70, HOVER_GAME_OPTIONS_CANCEL);
}

void DrawGraphicsOptionsPanel()
{
    White();
    Widget(75);
    CheckRow(78, g_editShadowsOn, HOVER_GRAPHICS_ROW_FIRST, true);
    CheckRow(80, g_editReflectionOn, HOVER_GRAPHICS_ROW_FIRST + 1, true);
    Widget(82);
    Preview(83, g_piecePreviewTex1, HOVER_GRAPHICS_ROW_FIRST + 2);
    Widget(84);
    Preview(85, g_piecePreviewTex2, HOVER_GRAPHICS_ROW_FIRST + 3);
    Widget(86);
    Preview(87, g_boardPreviewTex, HOVER_GRAPHICS_ROW_FIRST + 4);
    Widget(88);
    if (Hovered(HOVER_GRAPHICS_ROW_FIRST + 5)) {
        DrawPictureQuad(g_computerLabelTex, g_widgetLeft[89], g_widgetRight[89], g_widgetBottom[89], g_widgetTop[89]);
    } else {
        glColor4d(1, 1, 1, COMPUTER_LABEL_ALPHA);
        DrawPictureQuad(g_computerLabelTex, g_widgetLeft[89] + COMPUTER_LABEL_INSET,
                        g_widgetRight[89] - COMPUTER_LABEL_INSET, g_widgetBottom[89] + COMPUTER_LABEL_INSET,
                        g_widgetTop[89] - COMPUTER_LABEL_INSET);
        White();
    }
    Slider(90, 91, g_whiteSliderTexture, g_reflectionAlpha, g_reflectionSliderPos[0]);
    Widget(92, HOVER_GRAPHICS_OK);
    Widget(93, HOVER_GRAPHICS_CANCEL);
    Slider(94, 95, g_greySliderTexture, g_pieceBrightness / 255.0, g_brightnessSliderPos[0]);
}

void DrawExtraOptionsPanel()
{
    White();
    Widget(100);
    CheckRow(103, g_editSpareOption3, HOVER_EXTRA_ROW_FIRST, true);
    CheckRow(105, g_editSpareOption4, HOVER_EXTRA_ROW_FIRST + 1, true);
    Widget(107, HOVER_EXTRA_OK);
    Widget(108, HOVER_EXTRA_CANCEL);
}

void DrawColourEditorPanel()
{
    White();
    Widget(125);
    ColourPreview(126);
    WidgetWith(126, g_colourPreviewFrameTexture);
    for (int k = 0; k < 3; ++k) {
        const int ramp = 127 + k, knob = 130 + k;
        WidgetWith(ramp, g_colourRampTexture[k]);
        DrawCaptionQuad(g_sliderKnobTexture, g_widgetLeft[knob] + g_colourEditValue[k],
                        g_widgetRight[knob] + g_colourEditValue[k], g_widgetBottom[knob], g_widgetTop[knob]);
    }
    Widget(133, HOVER_COLOUR_OK);
    Widget(134, HOVER_COLOUR_CANCEL);
}

void DrawSaveSlotsPanel()
{
    White();
    Widget(150);
    for (int k = 1; k <= 6; ++k)
        WidgetWith(150 + k, Hovered(HOVER_SAVE_SLOT_FIRST - 1 + k) ? g_saveSlotHotTexture[k] : g_saveSlotTexture[k]);
    Widget(157, HOVER_SAVE_SLOTS_BACK);
}

void DrawSaveConfirmPanel()
{
    White();
    PlainWidgets(175, 178);
    Widget(179, HOVER_SAVE_CONFIRM_YES);
    Widget(180, HOVER_SAVE_CONFIRM_NO);
}

void DrawLoadListPanel()
{
    White();
    Widget(200);
    const int rows = std::clamp(g_loadListCount - 1, 0, 6);
    for (int r = 1; r <= rows; ++r) Widget(200 + r, HOVER_LOAD_ROW_FIRST - 1 + r);
    Widget(207, HOVER_LOAD_LIST_BACK);
}

void DrawLoadConfirmPanel()
{
    White();
    PlainWidgets(225, 229);
    Widget(230, HOVER_LOAD_CONFIRM_YES);
    Widget(231, HOVER_LOAD_CONFIRM_NO);
}

void DrawNewGameConfirmPanel()
{
    White();
    PlainWidgets(250, 253);
    Widget(254, HOVER_NEW_GAME_YES);
    Widget(255, HOVER_NEW_GAME_NO);
}

void DrawExitConfirmPanel()
{
    White();
    PlainWidgets(275, 277);
    Widget(278, HOVER_EXIT_YES);
    Widget(279, HOVER_EXIT_NO);
}

void DrawResetConfirmPanel()
{
    White();
    PlainWidgets(300, 303);
    Widget(304, HOVER_RESET_YES);
    Widget(305, HOVER_RESET_NO);
}

void DrawLanguageListPanel()
{
    White();
    const int rows = std::min(g_languageCount, LANGUAGE_LIST_MAX) - 1;
    for (int r = 1; r <= rows; ++r) Widget(WidgetIndex(PANEL_LANGUAGE_LIST, r), HOVER_LANGUAGE_ROW_BASE + r);
}

void DrawAboutPanel()
{
    White();
    PlainWidgets(350, 351);
    Widget(352, HOVER_ABOUT_WEB_SITE);
    Widget(353, HOVER_ABOUT_BACK);
}

void DrawTextWindow()
{
    White();
    glBindTexture(GL_TEXTURE_2D, g_helpPageTexture);
    glBegin(GL_POLYGON);
    glTexCoord2d(0, g_helpScroll);
    glVertex3d(g_textWindowLeft, g_textWindowTop, 0);
    glTexCoord2d(0, g_helpVisibleFraction + g_helpScroll);
    glVertex3d(g_textWindowLeft, g_textPageBottom, 0);
    glTexCoord2d(1, g_helpVisibleFraction + g_helpScroll);
    glVertex3d(g_textWindowRight, g_textPageBottom, 0);
    glTexCoord2d(1, g_helpScroll);
    glVertex3d(g_textWindowRight, g_textWindowTop, 0);
    glEnd();
    // Under a page that fits, the rest of the window in the page's colour.
    if (g_textPageBottom > g_textWindowBottom) {
        glColor4d(HELP_PAGE_GREY / 255.0, HELP_PAGE_GREY / 255.0, HELP_PAGE_GREY / 255.0, HELP_PAGE_ALPHA / 255.0);
        UntexturedQuad(g_textWindowLeft, g_textWindowRight, g_textWindowBottom, g_textPageBottom);
        White();
    }
    DrawCaptionQuad(g_textWindowFrameTexture, g_textWindowLeft, g_textWindowRight, g_textWindowBottom,
                    g_textWindowTop);
    const HelpScrollBar& bar = g_helpScrollBar;
    DrawCaptionQuad(g_textScrollTrackTexture, bar.trackLeft, bar.trackRight, bar.trackBottom, bar.trackTop);
    // g_textCloseButton holds left, top, right, bottom.
    DrawCaptionQuad(Hovered(HOVER_TEXT_CLOSE) ? g_textCloseHotTexture : g_textCloseTexture, g_textCloseButton[0],
                    g_textCloseButton[2], g_textCloseButton[3], g_textCloseButton[1]);
    glColor4d(1, 1, 1, THUMB_ALPHA);
    UntexturedQuad(bar.thumbLeft, bar.thumbRight, bar.thumbBottom, bar.thumbTop);
    White();
}

void DrawGameOverPanel()
{
    White();
    Widget(375);
    // 376 when the player lost, 377 when the player won.
    if (g_losingSide == 1 || g_losingSide == 2) Widget(375 + g_losingSide);
    Widget(378, HOVER_GAME_OVER_OK);
}

void DrawOnlineGamePanel()
{
    White();
    Widget(400);
    HotWidgets(401, 403, HOVER_ONLINE_GAME_FIRST);
}

void DrawOnlineStatusPanel()
{
    White();
    Widget(425);
    const int status = g_serverStatus;
    if (status == 1 || status == 2) Widget(425 + status);
    PlainWidgets(428, 429);
    if (g_panelVisible[PANEL_FLAG_MENU_MODE] == 0 && g_waitingForOpponent == 1) Widget(430);
}

void DrawNewsBannerPanel()
{
    White();
    Widget(450, HOVER_NEWS_BANNER);
}

void DrawSetupChoicePanel()
{
    White();
    Widget(475, HOVER_SETUP_AUTOMATIC);
    Widget(476, HOVER_SETUP_MANUAL);
}

void DrawOnlineBannerPanel()
{
    White();
    // Hot while any line is hovered; else blinking: the alert look on odd steps.
    const int look = Hovered(HOVER_ONLINE_BANNER) ? 2 : (g_blinkStep % 2 == 1 ? 1 : 0);
    for (int k = 0; k < 3; ++k) WidgetWith(500 + k, g_onlineBannerTexture[k][look]);
}
