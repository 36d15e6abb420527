// The help text window: its place and its close button from the client
// size, the share of the help page it shows, and the scroll bar's maths.
#pragma once

#include "interface/interface_state.h"

constexpr int TEXT_WINDOW_HALF_WIDTH = 385;  // the window is 770 pixels wide
constexpr int TEXT_WINDOW_MARGIN = 15;       // from the client's bottom and top
constexpr double HELP_SCROLL_SNAP = 0.015;   // positions this close to an end snap to it

// The help page in pixels (LoadHelpText sets it; 0 x 0 before any page).
extern int g_helpPageWidth, g_helpPageHeight;

// Edges of the text window and of its close button (client pixels, y up).
extern double g_textWindowLeft, g_textWindowRight, g_textWindowBottom, g_textWindowTop;
extern double g_textCloseButton[4];  // left, top, right, bottom
// Share of the help page the window shows (1 when the page fits).
extern double g_helpVisibleFraction;
// The lower edge of the page in the window: the window's bottom, or higher
// for a page that fits, which is shown once at the top at its own scale.
extern double g_textPageBottom;

// (clientHeight - 30) / pageHeight x (pageWidth / 770), at most 1; 1 for a
// page without height or width, never below 0.
double HelpVisibleFraction(int pageWidth, int pageHeight, int clientHeight);
// The largest scroll position: 1 - fraction, and 0 when the page fits.
double HelpScrollRange(double visibleFraction);
// Snaps a scroll position within HELP_SCROLL_SNAP of an end (or beyond it)
// to that end; a range of 0 or less gives 0.
double SnapHelpScroll(double position, double range);
// The scroll position for a mouse y (window coordinates, y down) on the
// track: 15 is the top (0), clientHeight - 15 the bottom (the range).
double HelpScrollFromMouseY(int y, int clientHeight, double range);
// Places the thumb inside bar's track for a scroll position; with a range of
// 0 or less it stays at its top place.
void PlaceHelpThumb(HelpScrollBar& bar, double scroll);

// Computes the text window, the visible fraction and the scroll range from
// g_helpPageWidth/Height, the track, the close button and the thumb; keeps
// g_helpScroll within 0 .. range.
void LayoutTextWindow(int clientWidth, int clientHeight);
