#include "interface/extra_panels.h"

#include "interface/frame_textures.h"
#include "interface/interface_state.h"
#include "interface/layout_rules.h"
#include "interface/option_panels.h"
#include "interface/panel_captions.h"
#include "interface/save_slots.h"
#include "interface/widgets.h"

GLuint g_colourPreviewFrameTexture = 0;
GLuint g_colourRampTexture[3] = {0, 0, 0};
GLuint g_saveSlotTexture[7] = {};
GLuint g_saveSlotHotTexture[7] = {};

namespace {

// Widgets of panel 4. Row 101/102 is built, placed and counted but never
// shown: row 103/104 lies over it.
constexpr int EX_TITLE = 100, EX_HIDDEN = 101, EX_HIDDEN_BOX = 102, EX_FIRST = 103, EX_FIRST_BOX = 104,
              EX_SECOND = 105, EX_SECOND_BOX = 106, EX_OK = 107, EX_CANCEL = 108;
// Widgets of panel 5.
constexpr int CE_TITLE = 125, CE_PREVIEW = 126, CE_RAMP = 127, CE_KNOB = 130, CE_OK = 133, CE_CANCEL = 134;
constexpr int RAMP_COUNT = 3;  // red, green, blue
constexpr int PREVIEW_FRAME_HEIGHT = 100;
// Widgets of panel 6.
constexpr int SS_TITLE = 150, SS_SLOT = 150, SS_BACK = 157;  // slot k = 1..6 is 150 + k
constexpr int SAVE_SLOTS = 6;
constexpr double SLOT_SCALE = 0.7;

}  // namespace

void BuildExtraOptionsTextures()
{
    constexpr int P = PANEL_EXTRA_OPTIONS;
    SetWidgetGaps({{EX_TITLE, 10}, {EX_HIDDEN, 20}, {EX_HIDDEN_BOX, 0}, {EX_FIRST, 5}, {EX_FIRST_BOX, 0},
                   {EX_SECOND, 5}, {EX_SECOND_BOX, 0}, {EX_OK, 30}, {EX_CANCEL, 0}});
    PanelHeightSum height(P);
    BuildOptionCaption(P, EX_TITLE, 0, OPTION_TITLE_SCALE, 1);
    height.Add(EX_TITLE, EX_HIDDEN);
    BuildOptionCaption(P, EX_HIDDEN, 1, OPTION_LABEL_SCALE, 2);
    height.Add(EX_HIDDEN, EX_FIRST);
    SetWidgetSizeAs(EX_HIDDEN_BOX, CHECK_BOX_MODEL);
    BuildOptionCaption(P, EX_FIRST, 2, OPTION_LABEL_SCALE, 2);
    height.Add(EX_FIRST, EX_SECOND);
    SetWidgetSizeAs(EX_FIRST_BOX, CHECK_BOX_MODEL);
    BuildOptionCaption(P, EX_SECOND, 3, OPTION_LABEL_SCALE, 2);
    height.Add(EX_SECOND, EX_OK);
    SetWidgetSizeAs(EX_SECOND_BOX, CHECK_BOX_MODEL);
    BuildOptionButton(P, EX_OK, 4);
    BuildOptionButton(P, EX_CANCEL, 5);
}

void LayoutExtraOptionsPanel()
{
    constexpr int D = HALF_COLUMN_WIDE;
    const LayoutFrame f = CurrentLayoutFrame();
    PlaceWidget(EX_TITLE, CentredLeft(EX_TITLE, f), FirstTop(PANEL_EXTRA_OPTIONS, f), f);
    PlaceWidget(EX_HIDDEN, ColumnStartLeft(f, D), StackedTop(EX_HIDDEN, EX_TITLE), f);
    PlaceWidget(EX_HIDDEN_BOX, ColumnEndLeft(EX_HIDDEN_BOX, f, D), BesideTop(EX_HIDDEN), f);
    const double labelLeft = g_widgetLeft[EX_HIDDEN], boxLeft = g_widgetLeft[EX_HIDDEN_BOX];
    PlaceWidget(EX_FIRST, labelLeft, g_widgetTop[EX_HIDDEN], f);
    PlaceWidget(EX_FIRST_BOX, boxLeft, BesideTop(EX_FIRST), f);
    PlaceWidget(EX_SECOND, labelLeft, StackedTop(EX_SECOND, EX_FIRST_BOX), f);
    PlaceWidget(EX_SECOND_BOX, boxLeft, BesideTop(EX_SECOND), f);
    PlaceWidget(EX_OK, labelLeft, StackedTop(EX_OK, EX_SECOND_BOX), f);
    PlaceWidget(EX_CANCEL, RightAlignedLeft(EX_CANCEL, EX_HIDDEN_BOX), g_widgetTop[EX_OK], f);
}

void BuildColourEditorTextures()
{
    constexpr int P = PANEL_COLOUR_EDITOR;
    SetWidgetGaps({{CE_TITLE, 10}, {CE_PREVIEW, 20}, {CE_RAMP, 10}, {CE_RAMP + 1, 10}, {CE_RAMP + 2, 10},
                   {CE_KNOB, 0}, {CE_KNOB + 1, 5}, {CE_KNOB + 2, 0}, {CE_OK, 25}, {CE_CANCEL, 0}});
    PanelHeightSum height(P);
    BuildOptionCaption(P, CE_TITLE, 0, OPTION_TITLE_SCALE, 1);
    height.Add(CE_TITLE, CE_PREVIEW);
    SetWidgetSize(CE_PREVIEW, OPTION_SLIDER_WIDTH, PREVIEW_FRAME_HEIGHT);
    MakeFrameTexture(&g_colourPreviewFrameTexture, OPTION_SLIDER_WIDTH, PREVIEW_FRAME_HEIGHT, 0, 0, 0, 0, FRAME_FIELD);
    height.Add(CE_PREVIEW, CE_RAMP);
    for (int k = 0; k < RAMP_COUNT; ++k) {
        const int ramp = CE_RAMP + k;
        SetWidgetSize(ramp, OPTION_SLIDER_WIDTH, OPTION_SLIDER_HEIGHT);
        MakeFrameTexture(&g_colourRampTexture[k], OPTION_SLIDER_WIDTH, OPTION_SLIDER_HEIGHT, k == 0 ? 255 : 0,
                         k == 1 ? 255 : 0, k == 2 ? 255 : 0, 255, FRAME_RAMP);
        height.Add(ramp, k + 1 < RAMP_COUNT ? ramp + 1 : CE_OK);
    }
    for (int k = 0; k < RAMP_COUNT; ++k) SetWidgetSizeAs(CE_KNOB + k, KNOB_MODEL);
    BuildOptionButton(P, CE_OK, 1);
    height.Add(CE_OK, -1);
    BuildOptionButton(P, CE_CANCEL, 2);
}

void LayoutColourEditorPanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    PlaceWidget(CE_TITLE, CentredLeft(CE_TITLE, f), FirstTop(PANEL_COLOUR_EDITOR, f), f);
    PlaceWidget(CE_PREVIEW, CentredLeft(CE_PREVIEW, f), StackedTop(CE_PREVIEW, CE_TITLE), f);
    for (int k = 0; k < RAMP_COUNT; ++k) {
        const int ramp = CE_RAMP + k, knob = CE_KNOB + k;
        PlaceWidget(ramp, CentredLeft(ramp, f), StackedTop(ramp, ramp - 1), f, SLIDER_HIT_INSET);
        PlaceWidget(knob, KnobLeft(ramp), g_widgetTop[ramp], f);
    }
    PlaceWidget(CE_OK, g_widgetLeft[CE_PREVIEW], StackedTop(CE_OK, CE_RAMP + RAMP_COUNT - 1), f);
    PlaceWidget(CE_CANCEL, RightAlignedLeft(CE_CANCEL, CE_PREVIEW), g_widgetTop[CE_OK], f);
}

void BuildSaveSlotsTextures()
{
    constexpr int P = PANEL_SAVE_SLOTS;
    SetWidgetGaps({{SS_TITLE, 10}, {SS_SLOT + 1, 20}, {SS_SLOT + 2, 5}, {SS_SLOT + 3, 5}, {SS_SLOT + 4, 5},
                   {SS_SLOT + 5, 5}, {SS_SLOT + 6, 5}, {SS_BACK, 20}});
    PanelHeightSum height(P);
    BuildOptionCaption(P, SS_TITLE, 0, OPTION_TITLE_SCALE, 1);
    height.Add(SS_TITLE, SS_SLOT + 1);
    for (int k = 1; k <= SAVE_SLOTS; ++k) {
        BuildWidgetCaptionInto(SS_SLOT + k, SlotCaption(g_saveSlotLabel[k]), SLOT_SCALE, OPTION_TEXT_SPACING,
                               &g_saveSlotTexture[k], PanelLook(2), &g_saveSlotHotTexture[k], HotLook(3));
        height.Add(SS_SLOT + k, SS_SLOT + k + 1);
    }
    BuildOptionButton(P, SS_BACK, 1);
    // The back button's gap counts a second time after it.
    height.Add(SS_BACK, SS_BACK);
}

void LayoutSaveSlotsPanel()
{
    const LayoutFrame f = CurrentLayoutFrame();
    PlaceWidget(SS_TITLE, CentredLeft(SS_TITLE, f), FirstTop(PANEL_SAVE_SLOTS, f), f);
    for (int w = SS_SLOT + 1; w <= SS_BACK; ++w) PlaceWidget(w, CentredLeft(w, f), StackedTop(w, w - 1), f);
}
