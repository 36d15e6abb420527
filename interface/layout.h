// Places of every overlay element, computed from the client size.
#pragma once

#include "interface/interface_state.h"
#include "platform/window.h"

// Lays out, for the current client size and in this order: the text window
// with its track, close button and thumb, the menu button, the four
// caption-bar buttons, the 21 panels (0 to 20) and the menu backdrop.
void LayoutAll();

// ---- the caption bar ----
constexpr int CAPTION_BAR_MARGIN = 15;       // from the client's left, right and top edges
constexpr int CAPTION_CLOSE_DROP = 2;        // the close button sits this much lower
constexpr int CAPTION_BUTTON_GAP = 3;        // between close, maximise and minimise
// Edges of the icon buttons indexed by hover id (1 close, 2 maximise/restore,
// 3 minimise, 4 help; entry 0 unused); hit rectangles 0..3 in the same order.
extern double g_captionButtonLeft[5], g_captionButtonRight[5], g_captionButtonTop[5], g_captionButtonBottom[5];
extern RECT g_captionButtonRect[4];
extern double g_menuButtonLeft, g_menuButtonRight, g_menuButtonTop, g_menuButtonBottom;
extern RECT g_menuButtonRect;
// The menu backdrop, centred on the client area (the fly-ins move it).
extern double g_menuBackdropLeft, g_menuBackdropRight, g_menuBackdropTop, g_menuBackdropBottom;
// Hit rectangles of the help window's track and close button.
extern RECT g_textTrackRect;
extern RECT g_textCloseRect;

void LayoutCaptionBar(int clientWidth, int clientHeight);
void LayoutMenuBackdrop(int clientWidth, int clientHeight);

// ---- the panel layout rule ----
// What every panel layout reads: the client height and its integer halves.
struct LayoutFrame {
    int centreX, centreY, clientHeight;
};
LayoutFrame CurrentLayoutFrame();
LayoutFrame LayoutFrameFor(int clientWidth, int clientHeight);

constexpr int HALF_COLUMN_WIDE = 142;    // half column width of the wider option panels
constexpr int HALF_COLUMN_NARROW = 129;
constexpr int COLUMN_OUTDENT = 20;       // previews and panel 3's right button stand out of the column
constexpr int KNOB_OUTDENT = 4;          // a resting knob starts this far left of its slider
constexpr int CHECK_BOX_RAISE = 5;       // a check box's top above its label's top
constexpr int SLIDER_HIT_INSET = 3;      // sliders and ramps answer this far inside each end
constexpr int PREVIEW_HIT_INSET = 12;    // the colour previews answer this far inside each end

// Horizontal rules: the left edge (the right one is left + width).
double CentredLeft(int widget, const LayoutFrame& f);               // centreX - W / 2
double ColumnStartLeft(const LayoutFrame& f, int halfColumn);       // centreX - d
double ColumnEndLeft(int widget, const LayoutFrame& f, int halfColumn);          // centreX + d - W
double ColumnEndOutdentedLeft(int widget, const LayoutFrame& f, int halfColumn); // ... + 20
double RightAlignedLeft(int widget, int other);  // other's right edge - W
double KnobLeft(int slider);                     // slider's left edge - 4

// Vertical rules: the top edge.
double FirstTop(int panel, const LayoutFrame& f);  // centreY + panel height / 2
double StackedTop(int widget, int above);          // above's bottom - the widget's gap
double BesideTop(int label);                       // label's top - 5
// A label beside a taller partner: (above's bottom - gap) - partner H / 2 + H / 2.
double CentredOnTop(int widget, int above, int partner);

// Sets the widget's edges (right = left + W, bottom = top - H) and its hit
// rectangle, narrowed by hitInset pixels at the left and right ends.
void PlaceWidget(int widget, double left, double top, const LayoutFrame& f, int hitInset = 0);

// ---- the help text window ----
constexpr int TEXT_WINDOW_HALF_WIDTH = 385;  // the window is 770 pixels wide
constexpr int TEXT_WINDOW_MARGIN = 15;       // from the client's bottom and top
constexpr double HELP_SCROLL_SNAP = 0.015;   // positions this close to an end snap to it

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
