#include "interface/option_panels.h"

#include <utility>

#include "interface/frame_textures.h"
#include "interface/layout_rules.h"
#include "interface/panel_captions.h"
#include "interface/widgets.h"
#include "scene/fullscreen_image.h"
#include "scene/image_buffer.h"

GLuint g_checkBoxTexture = 0, g_checkBoxHotTexture = 0;
GLuint g_checkBoxTickedTexture = 0, g_checkBoxTickedHotTexture = 0;
GLuint g_sliderKnobTexture = 0;
GLuint g_whiteSliderTexture[2] = {0, 0};
GLuint g_greySliderTexture[2] = {0, 0};

void SetWidgetGaps(std::initializer_list<std::pair<int, int>> gaps)
{
    for (const auto& [widget, gap] : gaps)
        if (widget >= 0 && widget < WIDGET_COUNT) g_widgetGap[widget] = gap;
}

void SetWidgetSize(int widget, int width, int height)
{
    if (widget < 0 || widget >= WIDGET_COUNT) return;
    g_widgetWidth[widget] = width;
    g_widgetHeight[widget] = height;
}

void SetWidgetSizeAs(int widget, int model)
{
    if (model >= 0 && model < WIDGET_COUNT) SetWidgetSize(widget, g_widgetWidth[model], g_widgetHeight[model]);
}

void BuildOptionCaption(int panel, int widget, int item, double scale, int style)
{
    BuildWidgetCaption(widget, PanelText(panel, item), scale, OPTION_TEXT_SPACING, PanelLook(style), nullptr);
}

void BuildOptionButton(int panel, int widget, int item)
{
    const CaptionLook hot = HotLook(4);
    BuildWidgetCaption(widget, PanelText(panel, item), OPTION_BUTTON_SCALE, OPTION_TEXT_SPACING, PanelLook(2), &hot);
}

namespace {

constexpr double SUBHEADING_SCALE = 0.8;
constexpr double BOX_SCALE = 0.45;
constexpr int BOX_SPACING = 7;
constexpr double KNOB_SCALE = 0.7;
constexpr int KNOB_SPACING = 3;

constexpr int PIECE_SLIDER_WIDTH = 284;
constexpr int WHITE_RAMP = 255;
constexpr int GREY_RAMP = 125;

// Widgets of panel 2.
constexpr int GO_TITLE = 50, GO_STRENGTH = 51, GO_QUICK = 52, GO_BOX = CHECK_BOX_MODEL, GO_LEVEL2 = 54,
              GO_TICKED = 55, GO_LEVEL3 = 56, GO_LEVEL3_BOX = 57, GO_FIRST = 58, GO_PLAYER = 59,
              GO_PLAYER_BOX = 60, GO_COMPUTER = 61, GO_COMPUTER_BOX = 62, GO_INTERFACE = 63, GO_ANIMATIONS = 64,
              GO_ANIMATIONS_BOX = 65, GO_SIZE_LABEL = 66, GO_SLIDER = 67, GO_KNOB = 68, GO_OK = 69, GO_CANCEL = 70;
// Widgets of panel 3 (76 and 77 are gaps without a widget).
constexpr int GR_TITLE = 75, GR_AFTER_TITLE = 76, GR_SPARE_GAP = 77, GR_SHADOWS = 78, GR_SHADOWS_BOX = 79,
              GR_REFLECTION = 80, GR_REFLECTION_BOX = 81, GR_OWN = 82, GR_OWN_PREVIEW = 83, GR_OPPONENT = 84,
              GR_OPPONENT_PREVIEW = 85, GR_BOARD = 86, GR_BOARD_PREVIEW = 87, GR_MENU_COLOUR = 88,
              GR_MENU_PREVIEW = 89, GR_REFLECTION_SLIDER = 90, GR_REFLECTION_KNOB = KNOB_MODEL, GR_OK = 92,
              GR_CANCEL = 93, GR_BRIGHTNESS_SLIDER = 94, GR_BRIGHTNESS_KNOB = 95;

// A check-box glyph into a shared pair of textures; the widget takes its size.
void BoxGlyph(int widget, const char* glyph, GLuint* normal, GLuint* hot)
{
    BuildWidgetCaptionInto(widget, glyph, BOX_SCALE, BOX_SPACING, normal, PanelLook(2), hot, HotLook(2));
}

// The knob glyph. Both option builders make it; its name is made only once,
// the second build on the create pass refills it.
void KnobGlyph(int widget)
{
    const int createPass = g_textureCreatePass;
    if (g_sliderKnobTexture != 0) g_textureCreatePass = 0;
    BuildWidgetCaptionInto(widget, "#", KNOB_SCALE, KNOB_SPACING, &g_sliderKnobTexture, PanelLook(2), nullptr,
                           PanelLook(2));
    g_textureCreatePass = createPass;
}

// A label and the check box beside it: label at the column's start (or
// aligned with labelLeft), the box at the column's end (or aligned with boxLeft).
void PlaceCheckRow(int label, double labelLeft, double labelTop, int box, double boxLeft, const LayoutFrame& f)
{
    PlaceWidget(label, labelLeft, labelTop, f);
    PlaceWidget(box, boxLeft, BesideTop(label), f);
}

void PlaceSlider(int slider, int knob, double left, double top, const LayoutFrame& f)
{
    PlaceWidget(slider, left, top, f, SLIDER_HIT_INSET);
    PlaceWidget(knob, KnobLeft(slider), g_widgetTop[slider], f);
}

}  // namespace

void BuildGameOptionsTextures()
{
    constexpr int P = PANEL_GAME_OPTIONS;
    SetWidgetGaps({{GO_TITLE, 10}, {GO_STRENGTH, 20}, {GO_QUICK, 0}, {GO_BOX, 0}, {GO_LEVEL2, 5}, {GO_TICKED, 0},
                   {GO_LEVEL3, 5}, {GO_LEVEL3_BOX, 0}, {GO_FIRST, 15}, {GO_PLAYER, 0}, {GO_PLAYER_BOX, 0},
                   {GO_COMPUTER, 5}, {GO_COMPUTER_BOX, 0}, {GO_INTERFACE, 15}, {GO_ANIMATIONS, 0},
                   {GO_ANIMATIONS_BOX, 5}, {GO_SIZE_LABEL, 5}, {GO_SLIDER, 15}, {GO_KNOB, 5}, {GO_OK, 15},
                   {GO_CANCEL, 0}});
    PanelHeightSum height(P);

    BuildOptionCaption(P, GO_TITLE, 0, OPTION_TITLE_SCALE, 1);
    height.Add(GO_TITLE, GO_STRENGTH);
    BuildOptionCaption(P, GO_STRENGTH, 1, SUBHEADING_SCALE, 2);
    height.Add(GO_STRENGTH, GO_QUICK);
    BuildOptionCaption(P, GO_QUICK, 2, OPTION_LABEL_SCALE, 2);
    height.Add(GO_QUICK, GO_LEVEL2);
    BoxGlyph(GO_BOX, "^", &g_checkBoxTexture, &g_checkBoxHotTexture);
    BuildOptionCaption(P, GO_LEVEL2, 3, OPTION_LABEL_SCALE, 2);
    height.Add(GO_LEVEL2, GO_LEVEL3);
    BoxGlyph(GO_TICKED, "&", &g_checkBoxTickedTexture, &g_checkBoxTickedHotTexture);
    BuildOptionCaption(P, GO_LEVEL3, 4, OPTION_LABEL_SCALE, 2);
    height.Add(GO_LEVEL3, GO_FIRST);
    SetWidgetSizeAs(GO_LEVEL3_BOX, GO_BOX);

    BuildOptionCaption(P, GO_FIRST, 5, SUBHEADING_SCALE, 2);
    height.Add(GO_FIRST, GO_PLAYER);
    BuildOptionCaption(P, GO_PLAYER, 6, OPTION_LABEL_SCALE, 2);
    height.Add(GO_PLAYER, GO_COMPUTER);
    SetWidgetSizeAs(GO_PLAYER_BOX, GO_BOX);
    BuildOptionCaption(P, GO_COMPUTER, 7, OPTION_LABEL_SCALE, 2);
    height.Add(GO_COMPUTER, GO_INTERFACE);
    SetWidgetSizeAs(GO_COMPUTER_BOX, GO_BOX);

    BuildOptionCaption(P, GO_INTERFACE, 8, SUBHEADING_SCALE, 2);
    height.Add(GO_INTERFACE, GO_ANIMATIONS);
    BuildOptionCaption(P, GO_ANIMATIONS, 9, OPTION_LABEL_SCALE, 2);
    height.Add(GO_ANIMATIONS, GO_SIZE_LABEL);
    SetWidgetSizeAs(GO_ANIMATIONS_BOX, GO_BOX);
    BuildOptionCaption(P, GO_SIZE_LABEL, 10, OPTION_LABEL_SCALE, 2);
    height.Add(GO_SIZE_LABEL, GO_SLIDER);
    SetWidgetSize(GO_SLIDER, PIECE_SLIDER_WIDTH, OPTION_SLIDER_HEIGHT);
    KnobGlyph(GO_KNOB);
    height.Add(GO_KNOB, GO_OK);
    BuildOptionButton(P, GO_OK, 11);
    BuildOptionButton(P, GO_CANCEL, 12);
}

void LayoutGameOptionsPanel()
{
    constexpr int P = PANEL_GAME_OPTIONS, D = HALF_COLUMN_WIDE;
    const LayoutFrame f = CurrentLayoutFrame();
    PlaceWidget(GO_TITLE, CentredLeft(GO_TITLE, f), FirstTop(P, f), f);
    PlaceWidget(GO_STRENGTH, CentredLeft(GO_STRENGTH, f), StackedTop(GO_STRENGTH, GO_TITLE), f);
    PlaceCheckRow(GO_QUICK, ColumnStartLeft(f, D), StackedTop(GO_QUICK, GO_STRENGTH), GO_BOX,
                  ColumnEndLeft(GO_BOX, f, D), f);
    const double labelLeft = g_widgetLeft[GO_QUICK], boxLeft = g_widgetLeft[GO_BOX];
    PlaceCheckRow(GO_LEVEL2, labelLeft, StackedTop(GO_LEVEL2, GO_BOX), GO_TICKED, boxLeft, f);
    PlaceCheckRow(GO_LEVEL3, labelLeft, StackedTop(GO_LEVEL3, GO_TICKED), GO_LEVEL3_BOX, boxLeft, f);

    PlaceWidget(GO_FIRST, CentredLeft(GO_FIRST, f), StackedTop(GO_FIRST, GO_LEVEL3_BOX), f);
    PlaceCheckRow(GO_PLAYER, labelLeft, StackedTop(GO_PLAYER, GO_FIRST), GO_PLAYER_BOX, boxLeft, f);
    PlaceCheckRow(GO_COMPUTER, labelLeft, StackedTop(GO_COMPUTER, GO_PLAYER_BOX), GO_COMPUTER_BOX, boxLeft, f);

    PlaceWidget(GO_INTERFACE, CentredLeft(GO_INTERFACE, f), StackedTop(GO_INTERFACE, GO_COMPUTER_BOX), f);
    PlaceCheckRow(GO_ANIMATIONS, ColumnStartLeft(f, D), StackedTop(GO_ANIMATIONS, GO_INTERFACE), GO_ANIMATIONS_BOX,
                  ColumnEndLeft(GO_ANIMATIONS_BOX, f, D), f);
    PlaceWidget(GO_SIZE_LABEL, CentredLeft(GO_SIZE_LABEL, f), StackedTop(GO_SIZE_LABEL, GO_ANIMATIONS_BOX), f);
    PlaceSlider(GO_SLIDER, GO_KNOB, ColumnStartLeft(f, D), g_widgetBottom[GO_SIZE_LABEL], f);

    PlaceWidget(GO_OK, labelLeft, StackedTop(GO_OK, GO_KNOB), f);
    PlaceWidget(GO_CANCEL, RightAlignedLeft(GO_CANCEL, GO_BOX), g_widgetTop[GO_OK], f);
}

void BuildGraphicsOptionsTextures()
{
    constexpr int P = PANEL_GRAPHICS_OPTIONS;
    CreatePiecePreviewTextures();
    CreateBoardPreviewTextures();
    SetWidgetGaps({{GR_TITLE, 10}, {GR_AFTER_TITLE, 15}, {GR_SPARE_GAP, 0}, {GR_SHADOWS, 20}, {GR_SHADOWS_BOX, 0},
                   {GR_REFLECTION, 30}, {GR_REFLECTION_BOX, 0}, {GR_OWN, 29}, {GR_OWN_PREVIEW, g_previewHeight - 5},
                   {GR_OPPONENT, 0}, {GR_OPPONENT_PREVIEW, g_previewHeight}, {GR_BOARD, 0},
                   {GR_BOARD_PREVIEW, g_previewHeight}, {GR_MENU_COLOUR, 3}, {GR_MENU_PREVIEW, g_previewHeight},
                   {GR_REFLECTION_SLIDER, 0}, {GR_REFLECTION_KNOB, 10}, {GR_OK, 10}, {GR_CANCEL, 10},
                   {GR_BRIGHTNESS_SLIDER, 10}, {GR_BRIGHTNESS_KNOB, 10}});
    PanelHeightSum height(P);

    BuildOptionCaption(P, GR_TITLE, 0, OPTION_TITLE_SCALE, 1);
    height.Add(GR_TITLE, GR_AFTER_TITLE);
    BuildOptionCaption(P, GR_SHADOWS, 1, OPTION_LABEL_SCALE, 2);
    height.Add(GR_SHADOWS, GR_REFLECTION);
    SetWidgetSizeAs(GR_SHADOWS_BOX, GO_BOX);
    BuildOptionCaption(P, GR_REFLECTION, 2, OPTION_LABEL_SCALE, 2);
    height.Add(GR_REFLECTION, GR_OWN_PREVIEW);
    SetWidgetSizeAs(GR_REFLECTION_BOX, GO_BOX);

    // The preview rows: the sum runs ahead of the sizes, so the menu-colour
    // preview still counts 0 on the first build.
    BuildOptionCaption(P, GR_OWN, 3, OPTION_LABEL_SCALE, 2);
    SetWidgetSize(GR_OWN_PREVIEW, g_previewWidth, g_previewHeight);
    height.Add(GR_OWN_PREVIEW, GR_OWN_PREVIEW);
    BuildOptionCaption(P, GR_OPPONENT, 4, OPTION_LABEL_SCALE, 2);
    height.Add(GR_OPPONENT, GR_OPPONENT);
    SetWidgetSize(GR_OPPONENT_PREVIEW, g_previewWidth, g_previewHeight);
    BuildOptionCaption(P, GR_BOARD, 5, OPTION_LABEL_SCALE, 2);
    SetWidgetSize(GR_BOARD_PREVIEW, g_previewWidth, g_previewHeight);
    height.Add(GR_BOARD_PREVIEW, -1);
    BuildOptionCaption(P, GR_MENU_COLOUR, 6, OPTION_LABEL_SCALE, 2);
    height.Add(GR_MENU_PREVIEW, GR_OK);
    SetWidgetSize(GR_MENU_PREVIEW, g_previewWidth, g_previewHeight);

    SetWidgetSize(GR_REFLECTION_SLIDER, OPTION_SLIDER_WIDTH, OPTION_SLIDER_HEIGHT);
    MakeFrameTexture(&g_whiteSliderTexture[0], OPTION_SLIDER_WIDTH, OPTION_SLIDER_HEIGHT, 0, 0, 0, 0, FRAME_FIELD);
    MakeFrameTexture(&g_whiteSliderTexture[1], OPTION_SLIDER_WIDTH, OPTION_SLIDER_HEIGHT, WHITE_RAMP, WHITE_RAMP,
                     WHITE_RAMP, 255, FRAME_PLAIN_RAMP);
    KnobGlyph(GR_REFLECTION_KNOB);
    BuildOptionButton(P, GR_OK, 7);
    height.Add(GR_OK, -1);
    BuildOptionButton(P, GR_CANCEL, 8);
    SetWidgetSize(GR_BRIGHTNESS_SLIDER, OPTION_SLIDER_WIDTH, OPTION_SLIDER_HEIGHT);
    MakeFrameTexture(&g_greySliderTexture[0], OPTION_SLIDER_WIDTH, OPTION_SLIDER_HEIGHT, 0, 0, 0, 0, FRAME_FIELD);
    MakeFrameTexture(&g_greySliderTexture[1], OPTION_SLIDER_WIDTH, OPTION_SLIDER_HEIGHT, GREY_RAMP, GREY_RAMP,
                     GREY_RAMP, 255, FRAME_SPLIT_RAMP);
    SetWidgetSizeAs(GR_BRIGHTNESS_KNOB, GR_REFLECTION_KNOB);
}

void LayoutGraphicsOptionsPanel()
{
    constexpr int P = PANEL_GRAPHICS_OPTIONS, D = HALF_COLUMN_NARROW;
    const LayoutFrame f = CurrentLayoutFrame();
    PlaceWidget(GR_TITLE, CentredLeft(GR_TITLE, f), FirstTop(P, f), f);
    PlaceCheckRow(GR_SHADOWS, ColumnStartLeft(f, D), StackedTop(GR_SHADOWS, GR_TITLE), GR_SHADOWS_BOX,
                  ColumnEndLeft(GR_SHADOWS_BOX, f, D), f);
    PlaceCheckRow(GR_REFLECTION, ColumnStartLeft(f, D), StackedTop(GR_REFLECTION, GR_SHADOWS_BOX), GR_REFLECTION_BOX,
                  g_widgetLeft[GR_SHADOWS_BOX], f);

    // Each preview row's top is the row above's bottom less the label's gap;
    // the label is centred on its taller preview.
    struct PreviewRow {
        int label, preview, above, hitInset;
    };
    const PreviewRow rows[4] = {{GR_OWN, GR_OWN_PREVIEW, GR_REFLECTION_BOX, PREVIEW_HIT_INSET},
                                {GR_OPPONENT, GR_OPPONENT_PREVIEW, GR_OWN_PREVIEW, PREVIEW_HIT_INSET},
                                {GR_BOARD, GR_BOARD_PREVIEW, GR_OPPONENT_PREVIEW, 0},
                                {GR_MENU_COLOUR, GR_MENU_PREVIEW, GR_BOARD_PREVIEW, 0}};
    for (const PreviewRow& row : rows) {
        const double rowTop = g_widgetBottom[row.above] - g_widgetGap[row.label];
        PlaceWidget(row.preview, ColumnEndOutdentedLeft(row.preview, f, D), rowTop, f, row.hitInset);
        PlaceWidget(row.label, ColumnStartLeft(f, D), CentredOnTop(row.label, row.above, row.preview), f);
    }

    // The sliders sit in the gaps under their rows' labels.
    PlaceSlider(GR_REFLECTION_SLIDER, GR_REFLECTION_KNOB, ColumnStartLeft(f, D), g_widgetBottom[GR_REFLECTION], f);
    PlaceWidget(GR_OK, ColumnStartLeft(f, D), StackedTop(GR_OK, GR_MENU_PREVIEW), f);
    PlaceWidget(GR_CANCEL, ColumnEndOutdentedLeft(GR_CANCEL, f, D), g_widgetTop[GR_OK], f);
    PlaceSlider(GR_BRIGHTNESS_SLIDER, GR_BRIGHTNESS_KNOB, ColumnStartLeft(f, D), g_widgetBottom[GR_SHADOWS], f);
}
