#include "interface/list_panels.h"

#include <algorithm>

#include "interface/language.h"
#include "interface/layout.h"
#include "interface/panel_captions.h"
#include "interface/widgets.h"

namespace {

constexpr int LANGUAGE_ROW_GAP = 10;
constexpr int LANGUAGE_ROW_SPACING = 3;

// Row r (1 .. g_languageCount - 1) of the language list.
int LanguageRow(int r)
{
    return WidgetIndex(PANEL_LANGUAGE_LIST, r);
}

int LanguageRowCount()
{
    return std::min(g_languageCount, LANGUAGE_LIST_MAX) - 1;
}

}  // namespace

// The load list comes with the save and load work; until then it has no captions.
void BuildLoadListTextures() {}
// The load list comes with the save and load work; until then nothing to place.
void LayoutLoadListPanel() {}

void BuildLanguageListTextures()
{
    const int rows = LanguageRowCount();
    for (int r = 0; r <= rows; ++r) g_widgetGap[LanguageRow(r)] = LANGUAGE_ROW_GAP;
    PanelHeightSum height(PANEL_LANGUAGE_LIST);
    for (int r = 1; r <= rows; ++r) {
        const CaptionLook hot = HotLook(3);
        BuildWidgetCaption(LanguageRow(r), g_languageNames[r], 1.0, LANGUAGE_ROW_SPACING, PanelLook(2), &hot);
        // The gap after the last row is the never-written one of the next widget.
        height.Add(LanguageRow(r), LanguageRow(r + 1));
    }
}

void LayoutLanguageListPanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    // Row 1 is placed even when no language was found (at the centre, 0 x 0).
    const int rows = std::max(LanguageRowCount(), 1);
    for (int r = 1; r <= rows; ++r) {
        const int w = LanguageRow(r);
        const double top = r == 1 ? FirstTop(PANEL_LANGUAGE_LIST, f) : StackedTop(w, LanguageRow(r - 1));
        PlaceWidget(w, CentredLeft(w, f), top, f);
    }
}
