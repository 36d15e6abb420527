#include "interface/game_over_panel.h"

#include "interface/layout_rules.h"
#include "interface/panel_captions.h"
#include "interface/widgets.h"

namespace {

constexpr int CAPTION_SPACING = 3;

void PlaceCentred(int widget, double top, const LayoutFrame& f)
{
    PlaceWidget(widget, CentredLeft(widget, f), top, f);
}

}  // namespace

const char* const ABOUT_CREDIT_NAMES = "   Varlamov   Dmitri";

void BuildAboutPanelTextures()
{
    g_widgetGap[351] = 30;
    g_widgetGap[352] = 0;
    g_widgetGap[353] = 20;
    PanelHeightSum height(PANEL_ABOUT);
    BuildWidgetCaption(350, PanelText(PANEL_ABOUT, 0), 0.72, CAPTION_SPACING, PanelLook(1), nullptr);
    height.Add(350, 351);
    BuildWidgetCaption(351, PanelText(PANEL_ABOUT, 1) + ABOUT_CREDIT_NAMES, 0.7, CAPTION_SPACING, PanelLook(2),
                       nullptr);
    height.Add(351, 352);
    const CaptionLook hot = HotLook(4);
    // The web-page button: the panel's red and green, full blue.
    CaptionLook link = PanelLook(2);
    link.b = 255;
    BuildWidgetCaption(352, PanelText(PANEL_ABOUT, 2), 0.8, CAPTION_SPACING, link, &hot);
    height.Add(352, 353);
    BuildWidgetCaption(353, PanelText(PANEL_ABOUT, 3), 0.9, CAPTION_SPACING, PanelLook(2), &hot);
    height.Add(353, -1);
}

void LayoutAboutPanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    PlaceCentred(350, FirstTop(PANEL_ABOUT, f), f);
    for (int w = 351; w <= 353; ++w) PlaceCentred(w, StackedTop(w, w - 1), f);
}

void BuildGameOverTextures()
{
    g_widgetGap[376] = 35;
    g_widgetGap[377] = 0;
    g_widgetGap[378] = 30;
    PanelHeightSum height(PANEL_GAME_OVER);
    BuildWidgetCaption(375, PanelText(PANEL_GAME_OVER, 0), 0.72, CAPTION_SPACING, PanelLook(1), nullptr);
    height.Add(375, 376);
    // The two results share one place: only the lost one enters the height.
    BuildWidgetCaption(376, PanelText(PANEL_GAME_OVER, 1), 1.0, CAPTION_SPACING, HotLook(2), nullptr);
    height.Add(376, 378);
    BuildWidgetCaption(377, PanelText(PANEL_GAME_OVER, 2), 1.0, CAPTION_SPACING, HotLook(2), nullptr);
    const CaptionLook hot = HotLook(4);
    BuildWidgetCaption(378, PanelText(PANEL_GAME_OVER, 3), 0.9, CAPTION_SPACING, PanelLook(2), &hot);
    height.Add(378, -1);
}

void LayoutGameOverPanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    PlaceCentred(375, FirstTop(PANEL_GAME_OVER, f), f);
    // Both results at the place the first one's gap gives; the button keeps
    // its place under the lost one whichever shows.
    const double resultTop = StackedTop(376, 375);
    PlaceCentred(376, resultTop, f);
    PlaceCentred(377, resultTop, f);
    PlaceCentred(378, StackedTop(378, 376), f);
}
