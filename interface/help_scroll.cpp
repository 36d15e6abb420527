#include "interface/help_scroll.h"

#include "interface/interface_state.h"

namespace {

const double SNAP_MARGIN = 0.015;  // this close to an end the position snaps to it

// A page that fits has nothing to scroll: range and position 0, and the
// thumb stays where the layout put it (its top place). Returns whether the
// page scrolls.
bool PageScrolls()
{
    if (g_helpScrollBar.range > 0.0) return true;
    g_helpScrollBar.range = 0.0;
    g_helpScroll = 0.0;
    return false;
}

void PlaceThumb()
{
    HelpScrollBar& bar = g_helpScrollBar;
    bar.thumbLeft = bar.trackLeft + 2;
    bar.thumbRight = bar.trackRight - 2;
    const double centre = (1.0 - g_helpScroll / bar.range) * bar.trackTop;
    bar.thumbBottom = centre - 5;
    bar.thumbTop = centre + 5;
    if (bar.thumbBottom < bar.trackBottom) {
        bar.thumbBottom = bar.trackBottom + 2;
        bar.thumbTop = bar.trackBottom + 5;
    }
    if (bar.thumbTop > bar.trackTop) {
        bar.thumbBottom = bar.trackTop - 5;
        bar.thumbTop = bar.trackTop - 2;
    }
}

}  // namespace

bool ScrollHelpTo(double scroll)
{
    if (!PageScrolls()) return false;
    const double range = g_helpScrollBar.range;
    g_helpScroll = scroll;
    if (!(g_helpScroll >= SNAP_MARGIN)) g_helpScroll = 0.0;  // also a position that is not a number
    if (g_helpScroll > range - SNAP_MARGIN) g_helpScroll = range;
    PlaceThumb();
    return true;
}

bool ScrollHelpToPointer(int y, int clientHeight)
{
    if (!PageScrolls()) return false;
    const HelpScrollBar& bar = g_helpScrollBar;
    const double trackHeight = bar.trackTop - bar.trackBottom;
    if (!(trackHeight > 0.0)) return false;  // no track laid out yet
    return ScrollHelpTo((y - (clientHeight - bar.trackTop)) / trackHeight * bar.range);
}

bool ScrollHelpByWheel(int delta)
{
    if (!PageScrolls()) return false;
    return ScrollHelpTo(g_helpScroll - delta / 1000.0);
}
