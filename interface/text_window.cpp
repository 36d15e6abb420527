#include "interface/text_window.h"

#include <algorithm>

int g_helpPageWidth = 0, g_helpPageHeight = 0;
double g_textWindowLeft = 0, g_textWindowRight = 0, g_textWindowBottom = 0, g_textWindowTop = 0;
double g_textCloseButton[4] = {0, 0, 0, 0};
double g_helpVisibleFraction = 1.0;
double g_textPageBottom = 0;

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
