#include "interface/main_menu.h"

#include "interface/layout.h"
#include "interface/panel_captions.h"
#include "interface/widgets.h"

namespace {

constexpr int MENU_ENTRIES = 8;
constexpr int MENU_GAP = 10;
constexpr int MENU_SPACING = 5;

}  // namespace

void BuildMainMenuTextures()
{
    for (int i = 0; i < MENU_ENTRIES; ++i) g_widgetGap[WidgetIndex(PANEL_MAIN_MENU, i)] = MENU_GAP;
    PanelHeightSum height(PANEL_MAIN_MENU);
    for (int i = 0; i < MENU_ENTRIES; ++i) {
        const int w = WidgetIndex(PANEL_MAIN_MENU, i);
        const CaptionLook hot = HotLook(4);
        BuildWidgetCaption(w, PanelText(PANEL_MAIN_MENU, i), 1.0, MENU_SPACING, PanelLook(3), &hot);
        height.Add(w, i + 1 < MENU_ENTRIES ? w + 1 : -1);
    }
}

void LayoutMainMenu()
{
    const LayoutFrame f = CurrentLayoutFrame();
    for (int i = 0; i < MENU_ENTRIES; ++i) {
        const int w = WidgetIndex(PANEL_MAIN_MENU, i);
        const double top = i == 0 ? FirstTop(PANEL_MAIN_MENU, f) : StackedTop(w, w - 1);
        PlaceWidget(w, CentredLeft(w, f), top, f);
    }
}

// The settings panel comes with the menus' work; until then it has no captions.
void BuildSettingsPanelTextures() {}
// The settings panel comes with the menus' work; until then nothing to place.
void LayoutSettingsPanel() {}
