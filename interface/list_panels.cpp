#include "interface/list_panels.h"

#include <algorithm>

#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout_rules.h"
#include "interface/panel_captions.h"
#include "interface/save_slots.h"
#include "interface/widgets.h"
#include "scene/image_buffer.h"

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

constexpr int LOAD_ROWS_MAX = 6;
constexpr int LOAD_SPACING = 3;
constexpr int LOAD_BACK = WidgetIndex(PANEL_LOAD_LIST, 7);

// Row r (1 .. 6) of the load list.
int LoadRow(int r)
{
    return WidgetIndex(PANEL_LOAD_LIST, r);
}

// The rows shown: saves found, at most six (a count outside 1 .. 7 is held to it).
int LoadRowCount()
{
    return std::clamp(g_loadListCount - 1, 0, LOAD_ROWS_MAX);
}

}  // namespace

void BuildLoadListTextures()
{
    const int rows = LoadRowCount();
    const int title = WidgetIndex(PANEL_LOAD_LIST, 0);
    g_widgetGap[LoadRow(1)] = 20;
    for (int r = 2; r <= LOAD_ROWS_MAX; ++r) g_widgetGap[LoadRow(r)] = 5;
    g_widgetGap[LOAD_BACK] = 20;
    g_widgetGap[LoadRow(rows + 1)] = 20;  // after the last row (the back button's own when six)

    // Measured on every build, so that the panel is centred for the saves found now.
    BuildWidgetCaption(title, PanelText(PANEL_LOAD_LIST, 0), 0.72, LOAD_SPACING, PanelLook(1), nullptr);
    int height = g_widgetHeight[title] + g_widgetGap[LoadRow(1)];
    const CaptionLook rowHot = HotLook(3);
    // While names are made every row gets its own, however many saves there
    // are now, so that a later, longer list never draws into texture 0.
    const int built = g_textureCreatePass == 1 ? LOAD_ROWS_MAX : rows;
    for (int r = 1; r <= built; ++r) {
        BuildWidgetCaption(LoadRow(r), r <= rows ? SlotCaption(g_loadSlotLabel[r]) : CString(), 0.7, LOAD_SPACING,
                           PanelLook(2), &rowHot);
        if (r <= rows) height += g_widgetHeight[LoadRow(r)] + g_widgetGap[LoadRow(r + 1)];
    }
    const CaptionLook backHot = HotLook(4);
    BuildWidgetCaption(LOAD_BACK, PanelText(PANEL_LOAD_LIST, 1), 0.9, LOAD_SPACING, PanelLook(2), &backHot);
    g_panelHeight[PANEL_LOAD_LIST] = height + g_widgetHeight[LOAD_BACK];
}

void LayoutLoadListPanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    // Rows of an earlier, longer list must not stay where they can be hit.
    for (int r = 1; r <= LOAD_ROWS_MAX; ++r) {
        const int w = LoadRow(r);
        g_widgetLeft[w] = g_widgetRight[w] = g_widgetTop[w] = g_widgetBottom[w] = 0.0;
        g_widgetHitRect[w] = RECT{0, f.clientHeight, 0, f.clientHeight};
    }
    const int title = WidgetIndex(PANEL_LOAD_LIST, 0);
    PlaceWidget(title, CentredLeft(title, f), FirstTop(PANEL_LOAD_LIST, f), f);
    const int rows = LoadRowCount();
    for (int r = 1; r <= rows; ++r) {
        const int w = LoadRow(r);
        PlaceWidget(w, CentredLeft(w, f), StackedTop(w, w - 1), f);
    }
    PlaceWidget(LOAD_BACK, CentredLeft(LOAD_BACK, f), StackedTop(LOAD_BACK, LoadRow(rows)), f);
}

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
