#include "interface/layout.h"

#include <algorithm>

#include "interface/confirm_panels.h"
#include "interface/extra_panels.h"
#include "interface/game_over_panel.h"
#include "interface/language.h"
#include "interface/list_panels.h"
#include "interface/main_menu.h"
#include "interface/online_panels.h"
#include "interface/option_panels.h"
#include "interface/panel_textures.h"
#include "interface/widgets.h"
#include "scene/camera.h"
#include "scene/textures.h"

double g_textWindowLeft = 0, g_textWindowRight = 0, g_textWindowBottom = 0, g_textWindowTop = 0;
double g_textCloseButton[4] = {0, 0, 0, 0};
double g_helpVisibleFraction = 1.0;
double g_textPageBottom = 0;

double g_captionButtonLeft[5] = {}, g_captionButtonRight[5] = {}, g_captionButtonTop[5] = {},
       g_captionButtonBottom[5] = {};
RECT g_captionButtonRect[4] = {};
double g_menuButtonLeft = 0, g_menuButtonRight = 0, g_menuButtonTop = 0, g_menuButtonBottom = 0;
RECT g_menuButtonRect = {};
double g_menuBackdropLeft = 0, g_menuBackdropRight = 0, g_menuBackdropTop = 0, g_menuBackdropBottom = 0;
RECT g_textTrackRect = {};
RECT g_textCloseRect = {};

namespace {

// The panel layouts in panel order 0 to 20.
void (*const PANEL_LAYOUTS[PANEL_USED_COUNT])() = {
    LayoutMainMenu,           LayoutSettingsPanel,       LayoutGameOptionsPanel,  LayoutGraphicsOptionsPanel,
    LayoutExtraOptionsPanel,  LayoutColourEditorPanel,   LayoutSaveSlotsPanel,    LayoutSaveConfirmPanel,
    LayoutLoadListPanel,      LayoutLoadConfirmPanel,    LayoutNewGameConfirmPanel, LayoutExitConfirmPanel,
    LayoutResetConfirmPanel,  LayoutLanguageListPanel,   LayoutAboutPanel,        LayoutGameOverPanel,
    LayoutOnlineGamePanel,    LayoutOnlineStatusPanel,   LayoutNewsBannerPanel,   LayoutSetupChoicePanel,
    LayoutOnlineBannerPanel,
};

void LayoutHelpWindowRects(int clientHeight)
{
    const HelpScrollBar& bar = g_helpScrollBar;
    g_textTrackRect = HitRectFromEdges(bar.trackLeft, bar.trackTop, bar.trackRight, bar.trackBottom, clientHeight);
    g_textCloseRect = HitRectFromEdges(g_textCloseButton[0], g_textCloseButton[1], g_textCloseButton[2],
                                       g_textCloseButton[3], clientHeight);
}

}  // namespace

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

void LayoutMenuBackdrop(int clientWidth, int clientHeight)
{
    g_menuBackdropLeft = clientWidth / 2 - g_menuBackdropWidth / 2;
    g_menuBackdropRight = g_menuBackdropLeft + g_menuBackdropWidth;
    g_menuBackdropTop = clientHeight / 2 + g_menuBackdropHeight / 2;
    g_menuBackdropBottom = g_menuBackdropTop - g_menuBackdropHeight;
}

void LayoutAll()
{
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    LayoutTextWindow(clientWidth, clientHeight);
    LayoutHelpWindowRects(clientHeight);
    LayoutCaptionBar(clientWidth, clientHeight);
    for (void (*layout)() : PANEL_LAYOUTS) layout();
    LayoutMenuBackdrop(clientWidth, clientHeight);
}

// ---- the panel layout rule ----

LayoutFrame LayoutFrameFor(int clientWidth, int clientHeight)
{
    return {clientWidth / 2, clientHeight / 2, clientHeight};
}

LayoutFrame CurrentLayoutFrame()
{
    int clientWidth = 0, clientHeight = 0;
    ClientSize(&clientWidth, &clientHeight);
    return LayoutFrameFor(clientWidth, clientHeight);
}

namespace {

bool Valid(int widget)
{
    return widget >= 0 && widget < WIDGET_COUNT;
}

}  // namespace

double CentredLeft(int widget, const LayoutFrame& f)
{
    return Valid(widget) ? f.centreX - g_widgetWidth[widget] / 2 : f.centreX;
}

double ColumnStartLeft(const LayoutFrame& f, int halfColumn)
{
    return f.centreX - halfColumn;
}

double ColumnEndLeft(int widget, const LayoutFrame& f, int halfColumn)
{
    return f.centreX + halfColumn - (Valid(widget) ? g_widgetWidth[widget] : 0);
}

double ColumnEndOutdentedLeft(int widget, const LayoutFrame& f, int halfColumn)
{
    return ColumnEndLeft(widget, f, halfColumn) + COLUMN_OUTDENT;
}

double RightAlignedLeft(int widget, int other)
{
    if (!Valid(widget) || !Valid(other)) return 0.0;
    return g_widgetRight[other] - g_widgetWidth[widget];
}

double KnobLeft(int slider)
{
    return Valid(slider) ? g_widgetLeft[slider] - KNOB_OUTDENT : 0.0;
}

double FirstTop(int panel, const LayoutFrame& f)
{
    const int height = panel >= 0 && panel < PANEL_COUNT ? g_panelHeight[panel] : 0;
    return f.centreY + height / 2;
}

double StackedTop(int widget, int above)
{
    if (!Valid(widget) || !Valid(above)) return 0.0;
    return g_widgetBottom[above] - g_widgetGap[widget];
}

double BesideTop(int label)
{
    return Valid(label) ? g_widgetTop[label] - CHECK_BOX_RAISE : 0.0;
}

double CentredOnTop(int widget, int above, int partner)
{
    if (!Valid(widget) || !Valid(partner)) return 0.0;
    return StackedTop(widget, above) - g_widgetHeight[partner] / 2 + g_widgetHeight[widget] / 2;
}

void PlaceWidget(int widget, double left, double top, const LayoutFrame& f, int hitInset)
{
    if (!Valid(widget)) return;
    g_widgetLeft[widget] = left;
    g_widgetRight[widget] = left + g_widgetWidth[widget];
    g_widgetTop[widget] = top;
    g_widgetBottom[widget] = top - g_widgetHeight[widget];
    SetWidgetHitRect(widget, f.clientHeight);
    g_widgetHitRect[widget].left += hitInset;
    g_widgetHitRect[widget].right -= hitInset;
}

double HelpVisibleFraction(int pageWidth, int pageHeight, int clientHeight)
{
    if (pageHeight <= 0 || pageWidth <= 0) return 1.0;
    const double shown = static_cast<double>(clientHeight - 2 * TEXT_WINDOW_MARGIN) / pageHeight *
                         (pageWidth / (2.0 * TEXT_WINDOW_HALF_WIDTH));
    return std::clamp(shown, 0.0, 1.0);
}

double HelpScrollRange(double visibleFraction)
{
    return std::max(1.0 - visibleFraction, 0.0);
}

double SnapHelpScroll(double position, double range)
{
    if (range <= 0.0 || position < HELP_SCROLL_SNAP) return 0.0;
    if (position > range - HELP_SCROLL_SNAP) return range;
    return position;
}

double HelpScrollFromMouseY(int y, int clientHeight, double range)
{
    const int track = clientHeight - 2 * TEXT_WINDOW_MARGIN;
    if (track <= 0 || range <= 0.0) return 0.0;
    return SnapHelpScroll(static_cast<double>(y - TEXT_WINDOW_MARGIN) / track * range, range);
}

void PlaceHelpThumb(HelpScrollBar& bar, double scroll)
{
    bar.thumbLeft = bar.trackLeft + 2;
    bar.thumbRight = bar.trackRight - 2;
    const double centre = bar.range > 0.0 ? (1.0 - scroll / bar.range) * bar.trackTop : bar.trackTop;
    bar.thumbBottom = centre - 5;
    bar.thumbTop = centre + 5;
    if (bar.thumbBottom < bar.trackBottom) {
        bar.thumbBottom = bar.trackBottom + 2;
        bar.thumbTop = bar.thumbBottom + 3;
    }
    if (bar.thumbTop > bar.trackTop) {
        bar.thumbTop = bar.trackTop - 2;
        bar.thumbBottom = bar.thumbTop - 3;
    }
}

void LayoutTextWindow(int clientWidth, int clientHeight)
{
    g_textWindowLeft = clientWidth / 2 - TEXT_WINDOW_HALF_WIDTH;
    g_textWindowRight = clientWidth / 2 + TEXT_WINDOW_HALF_WIDTH;
    g_textWindowBottom = TEXT_WINDOW_MARGIN;
    g_textWindowTop = clientHeight - TEXT_WINDOW_MARGIN;

    g_helpVisibleFraction = HelpVisibleFraction(g_helpPageWidth, g_helpPageHeight, clientHeight);
    const double windowHeight = g_textWindowTop - g_textWindowBottom;
    const bool page = g_helpPageWidth > 0 && g_helpPageHeight > 0;
    const double shownHeight = page ? g_helpPageHeight * (2.0 * TEXT_WINDOW_HALF_WIDTH) / g_helpPageWidth : windowHeight;
    g_textPageBottom = g_textWindowTop - std::min(shownHeight, windowHeight);
    HelpScrollBar& bar = g_helpScrollBar;
    bar.range = HelpScrollRange(g_helpVisibleFraction);
    g_helpScroll = std::clamp(g_helpScroll, 0.0, bar.range);

    bar.trackLeft = g_textWindowRight - 20;
    bar.trackRight = g_textWindowRight;
    bar.trackBottom = TEXT_WINDOW_MARGIN;
    bar.trackTop = g_textWindowTop;

    g_textCloseButton[0] = g_textWindowRight - 42;
    g_textCloseButton[1] = g_textWindowTop - 2;
    g_textCloseButton[2] = g_textWindowRight - 22;
    g_textCloseButton[3] = g_textWindowTop - 22;

    PlaceHelpThumb(bar, g_helpScroll);
}
