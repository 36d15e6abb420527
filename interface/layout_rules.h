// The panel layout rule: the frame every panel layout reads, and the
// horizontal and vertical rules that place each widget of a panel.
#pragma once

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
