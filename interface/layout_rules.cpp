#include "interface/layout_rules.h"

#include "interface/widgets.h"
#include "scene/camera.h"

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
