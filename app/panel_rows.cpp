#include "app/panel_rows.h"

#include "interface/widgets.h"
#include "scene/frame_state.h"

bool OnWidget(int widget, CPoint point)
{
    return WidgetHit(widget, point);
}

bool OnEither(int widget, int other, CPoint point)
{
    return WidgetHit(widget, point) || WidgetHit(other, point);
}

void BackTo(int from, int to)
{
    g_panelVisible[from] = 0;
    g_panelVisible[to] = 1;
}
