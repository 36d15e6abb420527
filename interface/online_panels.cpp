#include "interface/online_panels.h"

#include <algorithm>

#include "interface/caption_bar.h"
#include "interface/caption_colours.h"
#include "interface/font.h"
#include "interface/layout_rules.h"
#include "interface/panel_captions.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "online/web.h"
#include "rules/live_options.h"
#include "scene/camera.h"
#include "scene/image_buffer.h"

GLuint g_onlineBannerTexture[3][3] = {};

namespace {

// ---- panel 16: the opponent choice ----
constexpr int GAME_TITLE = WidgetIndex(PANEL_ONLINE_GAME, 0);  // 400, then the buttons 401..403
constexpr int GAME_BUTTONS = 3;
constexpr int GAME_SPACING = 3;
constexpr int GAME_BUTTON_GAP[GAME_BUTTONS] = {20, 5, 20};
constexpr double GAME_BUTTON_SCALE[GAME_BUTTONS] = {0.8, 0.8, 1.0};
constexpr int GAME_BUTTON_HOT_STYLE[GAME_BUTTONS] = {3, 3, 4};

// ---- panel 17: the online status ----
constexpr int STATUS_LABEL = WidgetIndex(PANEL_ONLINE_STATUS, 0);   // 425 "Server:"
constexpr int STATUS_UP = STATUS_LABEL + 1;                          // 426, shown for status 1
constexpr int STATUS_DOWN = STATUS_LABEL + 2;                        // 427, shown for status 2
constexpr int STATUS_IN_GAME = STATUS_LABEL + 3;                     // 428
constexpr int STATUS_COUNT = STATUS_LABEL + 4;                       // 429
constexpr int STATUS_WAITING = STATUS_LABEL + 5;                     // 430
constexpr int STATUS_SPACING = 5;
constexpr double STATUS_SCALE = 0.5;
constexpr double WAITING_SCALE = 1.2;
constexpr int STATUS_ROW_GAP = 20;         // top to top, and under the menu button
constexpr double STATUS_INDENT = 5.0;      // from the menu button's left edge
constexpr double STATUS_COLUMN_GAP = 20.0; // between the label column and the values

// ---- panel 18: the news banner ----
constexpr int NEWS = WidgetIndex(PANEL_NEWS_BANNER, 0);  // 450
constexpr double NEWS_SCALE = 0.7;
constexpr int NEWS_SPACING = 5;
constexpr int NEWS_TOP_DROP = 10;  // under the client's top edge

// ---- panel 19: the setup choice ----
constexpr int SETUP_AUTOMATIC = WidgetIndex(PANEL_SETUP_CHOICE, 0);  // 475
constexpr int SETUP_MANUAL = SETUP_AUTOMATIC + 1;                    // 476
constexpr int SETUP_SPACING = 5;
constexpr int SETUP_SIDE_PARTS = 20;    // margin: 1/20 of the client width
constexpr int SETUP_HEIGHT_PARTS = 8;   // tops: 1/8 of the client height

// ---- panel 20: the online banner ----
constexpr int BANNER_FIRST = WidgetIndex(PANEL_ONLINE_BANNER, 0);  // 500..502
constexpr int BANNER_LINES = 3;
constexpr int BANNER_GAP[BANNER_LINES] = {20, 17, 17};
constexpr double BANNER_SCALE = 0.5;
constexpr int BANNER_SPACING = 5;
constexpr int BANNER_CENTRE_RUSSIAN = 50;  // from the menu button's left edge
constexpr int BANNER_CENTRE_OTHER = 38;

int ClientWidth()
{
    int width = 0, height = 0;
    ClientSize(&width, &height);
    return width;
}

CaptionLook Look(int style, const int rgb[3])
{
    return {style, rgb[0], rgb[1], rgb[2]};
}

// Renders the banner line's plain, alert and hot looks one after another
// into the same image, each uploaded into its own texture, and sets the
// line's size (0 x 0 for a text that shows nothing).
void BuildBannerLine(int line, const CString& text)
{
    const int w = BANNER_FIRST + line;
    g_currentText = text;
    g_textScale = BANNER_SCALE;
    g_glyphScale = 1;
    g_letterSpacing = BANNER_SPACING;
    MeasureText(g_currentText, g_textSize, g_texturePadX, g_texturePadY, g_letterSpacing, g_glyphScale);
    const int width = g_textSize[0], height = g_textSize[1];
    unsigned char* image = ImageBufferFor(static_cast<size_t>(width) * height * 4);
    FillImage(image, width, height, 4, g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2], 0);

    const CaptionLook looks[3] = {PanelLook(2), {2, 240, 20, 20}, HotLook(3)};
    for (int k = 0; k < 3; ++k) {
        BindOrCreateTexture(&g_onlineBannerTexture[line][k]);
        BuildTextTexture(looks[k].style, g_currentText, image, g_textOriginX, g_textOriginY, looks[k].r, looks[k].g,
                         looks[k].b, 255, g_textSize, g_letterSpacing);
    }
    g_widgetWidth[w] = height == 0 ? 0 : static_cast<int>(width * BANNER_SCALE);
    g_widgetHeight[w] = height == 0 ? 0 : static_cast<int>(height * BANNER_SCALE);
}

// The players-in-game count as far as it fits the panel: never wider than
// the widest caption of the row above it (the label and the two server
// states). A longer text from the server is cut at its end, not refused.
CString CountThatFits(const CString& count)
{
    const int limit = std::max({g_widgetWidth[STATUS_LABEL], g_widgetWidth[STATUS_UP], g_widgetWidth[STATUS_DOWN]});
    CString text = count;
    int size[2] = {0, 0};
    for (;;) {
        MeasureText(text, size, g_texturePadX, g_texturePadY, STATUS_SPACING, 1);
        if (static_cast<int>(size[0] * STATUS_SCALE) <= limit || text.IsEmpty()) return text;
        text = text.Left(text.GetLength() - 1);
    }
}

}  // namespace

void PickOnlineStatusColours(const int panel[3], int grey[3], int warning[3])
{
    const int r = panel[0], g = panel[1], b = panel[2];
    const int level = (r > 125 || g > 125 || b > 125) ? 50 : 200;
    const bool reddish = r >= 150 && g <= 150 && b <= 150;
    for (int c = 0; c < 3; ++c) {
        grey[c] = level;
        // A reddish panel would swallow red: the warning turns grey there.
        warning[c] = reddish ? level : (c == 0 ? 255 : 0);
    }
}

void BuildOnlineGameTextures()
{
    for (int i = 0; i < GAME_BUTTONS; ++i) g_widgetGap[GAME_TITLE + 1 + i] = GAME_BUTTON_GAP[i];
    PanelHeightSum height(PANEL_ONLINE_GAME);
    BuildWidgetCaption(GAME_TITLE, PanelText(PANEL_ONLINE_GAME, 0), 0.72, GAME_SPACING, PanelLook(1), nullptr);
    height.Add(GAME_TITLE, GAME_TITLE + 1);
    for (int i = 0; i < GAME_BUTTONS; ++i) {
        const int w = GAME_TITLE + 1 + i;
        const CaptionLook hot = HotLook(GAME_BUTTON_HOT_STYLE[i]);
        BuildWidgetCaption(w, PanelText(PANEL_ONLINE_GAME, 1 + i), GAME_BUTTON_SCALE[i], GAME_SPACING, PanelLook(2),
                           &hot);
        height.Add(w, i + 1 < GAME_BUTTONS ? w + 1 : -1);
    }
}

void LayoutOnlineGamePanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    for (int w = GAME_TITLE; w <= GAME_TITLE + GAME_BUTTONS; ++w) {
        const double top = w == GAME_TITLE ? FirstTop(PANEL_ONLINE_GAME, f) : StackedTop(w, w - 1);
        PlaceWidget(w, CentredLeft(w, f), top, f);
    }
}

void BuildOnlineStatusTextures()
{
    int grey[3], warning[3];
    PickOnlineStatusColours(g_panelColourByte, grey, warning);
    // The count is replaced by the status worker: take a copy under its lock.
    const CString count = ReadSharedText(g_onlineCountText);
    const CString inGame = g_language[0] == 1 ? "В   игре" : "In   game";
    const int red[3] = {235, 20, 20};

    g_widgetGap[STATUS_LABEL] = STATUS_ROW_GAP;
    g_widgetGap[STATUS_IN_GAME] = STATUS_ROW_GAP;
    const int S = STATUS_SPACING;
    BuildWidgetCaption(STATUS_LABEL, PanelText(PANEL_ONLINE_STATUS, 0), STATUS_SCALE, S, Look(1, grey), nullptr);
    BuildWidgetCaption(STATUS_UP, PanelText(PANEL_ONLINE_STATUS, 1), STATUS_SCALE, S, Look(2, grey), nullptr);
    BuildWidgetCaption(STATUS_DOWN, PanelText(PANEL_ONLINE_STATUS, 2), STATUS_SCALE, S, Look(2, warning), nullptr);
    BuildWidgetCaption(STATUS_IN_GAME, inGame, STATUS_SCALE, S, Look(2, grey), nullptr);
    BuildWidgetCaption(STATUS_COUNT, CountThatFits(count), STATUS_SCALE, S, Look(2, grey), nullptr);
    BuildWidgetCaption(STATUS_WAITING, PanelText(PANEL_ONLINE_STATUS, 4), WAITING_SCALE, S, Look(3, red), nullptr);
}

void LayoutOnlineStatusPanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    const double left = g_menuButtonLeft + STATUS_INDENT;
    const double firstTop = g_menuButtonBottom - g_widgetGap[STATUS_LABEL];
    PlaceWidget(STATUS_LABEL, left, firstTop, f);
    // The values column starts right of the label, whatever its width.
    const double valueLeft = g_widgetRight[STATUS_LABEL] + STATUS_COLUMN_GAP;
    PlaceWidget(STATUS_UP, valueLeft, firstTop, f);
    PlaceWidget(STATUS_DOWN, valueLeft, firstTop, f);
    const double secondTop = firstTop - g_widgetGap[STATUS_IN_GAME];
    PlaceWidget(STATUS_IN_GAME, left, secondTop, f);
    PlaceWidget(STATUS_COUNT, valueLeft, secondTop, f);

    const int clientWidth = ClientWidth();
    const int waitingLeft = clientWidth / 2 - g_widgetWidth[STATUS_WAITING] / 2;
    PlaceWidget(STATUS_WAITING, waitingLeft, 3 * (f.clientHeight / 4), f);
}

void BuildNewsBannerTextures()
{
    // The text is replaced by the web fetch: take a copy under its lock.
    const CString text = "[ " + ReadSharedText(g_newsText) + " ]";
    const CaptionLook hot = HotLook(2);
    BuildWidgetCaption(NEWS, text, NEWS_SCALE, NEWS_SPACING, PanelLook(2), &hot);
}

void LayoutNewsBannerPanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    const int left = ClientWidth() / 2 - g_widgetWidth[NEWS] / 2;
    PlaceWidget(NEWS, left, f.clientHeight - NEWS_TOP_DROP, f);
}

void BuildSetupChoiceTextures()
{
    const CaptionLook hot = HotLook(4);
    BuildWidgetCaption(SETUP_AUTOMATIC, PanelText(PANEL_SETUP_CHOICE, 0), 1.0, SETUP_SPACING, PanelLook(3), &hot);
    BuildWidgetCaption(SETUP_MANUAL, PanelText(PANEL_SETUP_CHOICE, 1), 1.0, SETUP_SPACING, PanelLook(3), &hot);
}

void LayoutSetupChoicePanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    const int clientWidth = ClientWidth();
    const int margin = clientWidth / SETUP_SIDE_PARTS;
    const int top = f.clientHeight / SETUP_HEIGHT_PARTS;
    PlaceWidget(SETUP_AUTOMATIC, margin, top, f);
    PlaceWidget(SETUP_MANUAL, clientWidth - g_widgetWidth[SETUP_MANUAL] - margin, top, f);
}

void BuildOnlineBannerTextures()
{
    for (int k = 0; k < BANNER_LINES; ++k) {
        g_widgetGap[BANNER_FIRST + k] = BANNER_GAP[k];
        BuildBannerLine(k, PanelText(PANEL_ONLINE_BANNER, k));
    }
}

void LayoutOnlineBannerPanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    const double centre = g_menuButtonLeft + (g_language[0] == 1 ? BANNER_CENTRE_RUSSIAN : BANNER_CENTRE_OTHER);
    double top = g_menuButtonBottom;
    for (int k = 0; k < BANNER_LINES; ++k) {
        const int w = BANNER_FIRST + k;
        top -= g_widgetGap[w];  // top to top, like the status rows
        PlaceWidget(w, centre - g_widgetWidth[w] / 2, top, f);
    }
}
