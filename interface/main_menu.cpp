#include "interface/main_menu.h"

#include "interface/layout_rules.h"
#include "interface/panel_captions.h"
#include "interface/widgets.h"
#include "rules/live_options.h"

namespace {

constexpr int MENU_ENTRIES = 8;
constexpr int MENU_GAP = 10;
constexpr int MENU_SPACING = 5;

constexpr int SETTINGS_ITEMS = 8;  // the title and seven entries

int Settings(int item)
{
    return WidgetIndex(PANEL_SETTINGS, item);
}

// One centred column: the first widget at the panel's first top, each later
// one stacked under the one before with its own gap.
void LayoutCentredColumn(int panel, int items)
{
    const LayoutFrame f = CurrentLayoutFrame();
    for (int i = 0; i < items; ++i) {
        const int w = WidgetIndex(panel, i);
        const double top = i == 0 ? FirstTop(panel, f) : StackedTop(w, w - 1);
        PlaceWidget(w, CentredLeft(w, f), top, f);
    }
}

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
    LayoutCentredColumn(PANEL_MAIN_MENU, MENU_ENTRIES);
}

void BuildSettingsPanelTextures()
{
    g_widgetGap[Settings(0)] = 10;
    g_widgetGap[Settings(1)] = 30;
    for (int i = 2; i <= 6; ++i) g_widgetGap[Settings(i)] = 10;
    g_widgetGap[Settings(7)] = 30;

    PanelHeightSum height(PANEL_SETTINGS);
    const CaptionLook hot = HotLook(4);
    BuildWidgetCaption(Settings(0), PanelText(PANEL_SETTINGS, 0), 0.72, 3, PanelLook(1), nullptr);
    height.Add(Settings(0), Settings(1));
    // Game options, graphics, more options, language.
    for (int i = 1; i <= 4; ++i) {
        BuildWidgetCaption(Settings(i), PanelText(PANEL_SETTINGS, i), 1.0, 5, PanelLook(3), &hot);
        height.Add(Settings(i), Settings(i + 1));
    }
    // The account entry has no language text of its own.
    const char* const account = g_language[0] == 1 ? "Персональные" : "Personal";
    BuildWidgetCaption(Settings(5), account, 1.0, 5, PanelLook(3), &hot);
    height.Add(Settings(5), Settings(6));
    BuildWidgetCaption(Settings(6), PanelText(PANEL_SETTINGS, 5), 0.7, 3, PanelLook(2), &hot);
    height.Add(Settings(6), Settings(7));
    BuildWidgetCaption(Settings(7), PanelText(PANEL_SETTINGS, 6), 0.9, 3, PanelLook(2), &hot);
    height.Add(Settings(7), -1);
}

void LayoutSettingsPanel()
{
    LayoutCentredColumn(PANEL_SETTINGS, SETTINGS_ITEMS);
}
