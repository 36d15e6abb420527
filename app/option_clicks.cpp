// The rows of the settings panel and of the option panels. Edits work on the
// edited copies and take effect on OK; the sliders and the colour ramps act
// on the live values at once and are put back by cancel or by closing the menu.
#include "app/option_clicks.h"

#include "app/VelmonarDlg.h"
#include "app/flow_hooks.h"
#include "app/game_state.h"
#include "app/hover_tracking.h"
#include "app/panel_rows.h"
#include "interface/interface_state.h"
#include "interface/options.h"
#include "interface/panel_textures.h"
#include "interface/widgets.h"
#include "scene/frame_state.h"
#include "scene/fullscreen_image.h"
#include "scene/textures.h"

namespace {

// The knob offset of a slider at the click: whole pixels from the widget's left edge.
int OffsetFrom(int widget, CPoint point)
{
    return static_cast<int>(point.x - g_widgetLeft[widget]);
}

void Toggle(int& option)
{
    option = option == 0 ? 1 : 0;
}

// --- settings ---

void OpenGameOptions()
{
    g_editAiQuickSearch = g_aiQuickSearch;
    g_editAiLevel2 = g_aiLevel2;
    g_editAiLevel3 = g_aiLevel3;
    g_editSpareOption1 = g_spareOption1;
    g_editComputerMovesFirst = g_computerMovesFirst;
    g_editAnimationsOn = g_animationsOn;
    g_pieceScaleSliderPos[0] = g_pieceScaleSliderPos[1] = PieceScaleSliderOffset(g_pieceScale);
    BackTo(PANEL_FLAG_SETTINGS, PANEL_FLAG_GAME_OPTIONS);
}

void OpenGraphicsOptions()
{
    UpdatePiecePreviews(0);
    UpdateBoardPreviews();
    g_reflectionSliderPos[0] = g_reflectionSliderPos[1] = ReflectionSliderOffset(g_reflectionAlpha);
    g_brightnessSliderPos[0] = g_brightnessSliderPos[1] = BrightnessSliderOffset(g_pieceBrightness);
    g_editShadowsOn = g_shadowsOn;
    g_editReflectionOn = g_reflectionOn;
    BackTo(PANEL_FLAG_SETTINGS, PANEL_FLAG_GRAPHICS_OPTIONS);
}

void OpenExtraOptions()
{
    g_editSpareOption2 = g_spareOption2;
    g_editSpareOption3 = g_spareOption3;
    g_editSpareOption4 = g_spareOption4;
    BackTo(PANEL_FLAG_SETTINGS, PANEL_FLAG_EXTRA_OPTIONS);
}

void OpenLanguageList()
{
    g_language[1] = g_language[0];
    BackTo(PANEL_FLAG_SETTINGS, PANEL_FLAG_LANGUAGE_LIST);
}

// Every live option into its edited copy: the reset prompt's way back.
void KeepLiveOptions()
{
    g_editAiQuickSearch = g_aiQuickSearch;
    g_editAiLevel2 = g_aiLevel2;
    g_editAiLevel3 = g_aiLevel3;
    g_editSpareOption1 = g_spareOption1;
    g_editComputerMovesFirst = g_computerMovesFirst;
    g_editPieceScale = g_pieceScale;
    g_editAnimationsOn = g_animationsOn;
    g_editReflectionAlpha = g_reflectionAlpha;
    g_editPieceBrightness = g_pieceBrightness;
    g_editShadowsOn = g_shadowsOn;
    g_editReflectionOn = g_reflectionOn;
    g_editSpareOption2 = g_spareOption2;
    g_editSpareOption3 = g_spareOption3;
    g_editSpareOption4 = g_spareOption4;
    for (int slot = 0; slot < COLOUR_SLOT_COUNT; ++slot) {
        g_editTintR[slot] = g_tintR[slot];
        g_editTintG[slot] = g_tintG[slot];
        g_editTintB[slot] = g_tintB[slot];
    }
}

void UseDefaultOptions()
{
    g_aiQuickSearch = 0;
    g_aiLevel2 = 1;
    g_aiLevel3 = 0;
    g_spareOption1 = 1;
    g_computerMovesFirst = 0;
    g_pieceScale = 2.05;
    g_animationsOn = 1;
    g_reflectionAlpha = 0.31;
    g_pieceBrightness = 60;
    g_shadowsOn = 1;
    g_reflectionOn = 1;
    g_spareOption2 = g_spareOption3 = g_spareOption4 = 1;
    for (int slot = 0; slot < COLOUR_SLOT_COUNT; ++slot) {
        g_tintR[slot] = TINT_R_DEFAULT[slot];
        g_tintG[slot] = TINT_G_DEFAULT[slot];
        g_tintB[slot] = TINT_B_DEFAULT[slot];
    }
    for (int c = 0; c < 3; ++c) g_panelColour[c] = PANEL_COLOUR_DEFAULT[c];
    ScalePieceModels();
    ApplySideTint(1);
    ApplySideTint(2);
    g_flowHooks.rebuildPanelTextures(REBUILD_COLOUR);
    g_flowHooks.buildPieceTextures(0);
}

void ResetOptions()
{
    BackTo(PANEL_FLAG_SETTINGS, PANEL_FLAG_RESET_CONFIRM);
    KeepLiveOptions();
    UseDefaultOptions();
}

// --- game options ---

// One of a group of choices where exactly one is on: a choice that is off
// becomes the only one on (and loses its hover light); the chosen one is inert.
void Choose(int* const choices[], int count, int chosen)
{
    if (*choices[chosen] != 0) return;
    for (int i = 0; i < count; ++i) *choices[i] = i == chosen ? 1 : 0;
    g_hoverId = HOVER_NONE;
    g_prevHoverId = HOVER_NONE;
}

void UsePieceScaleOffset(int offset)
{
    g_pieceScaleSliderPos[0] = offset;
    g_pieceScale = PieceScaleFromSlider(offset);
    ScalePieceModels();
}

void ConfirmGameOptions()
{
    BackTo(PANEL_FLAG_GAME_OPTIONS, PANEL_FLAG_SETTINGS);
    g_aiQuickSearch = g_editAiQuickSearch;
    g_aiLevel2 = g_editAiLevel2;
    g_aiLevel3 = g_editAiLevel3;
    g_spareOption1 = g_editSpareOption1;
    g_computerMovesFirst = g_editComputerMovesFirst;
    g_animationsOn = g_editAnimationsOn;
    // The live scale follows the knob already; an unmoved knob keeps the
    // scale as it was (its whole-pixel offset would round it).
    g_pieceScaleSliderPos[1] = g_pieceScaleSliderPos[0];
}

void CancelGameOptions()
{
    if (g_pieceScaleSliderPos[0] != g_pieceScaleSliderPos[1]) UsePieceScaleOffset(g_pieceScaleSliderPos[1]);
    BackTo(PANEL_FLAG_GAME_OPTIONS, PANEL_FLAG_SETTINGS);
}

// --- graphics options ---

// The colour editor opens on a slot with its current colour, kept to go back to.
void OpenColourEditor(int slot)
{
    g_colourEditSlot = slot;
    const double* rgb[3] = {&g_tintR[slot], &g_tintG[slot], &g_tintB[slot]};
    if (slot == COLOUR_PANEL) rgb[0] = &g_panelColour[0], rgb[1] = &g_panelColour[1], rgb[2] = &g_panelColour[2];
    for (int c = 0; c < 3; ++c) g_colourEditValue[c] = g_colourEditValue[c + 3] = ColourEditValue(*rgb[c]);
    BackTo(PANEL_FLAG_GRAPHICS_OPTIONS, PANEL_FLAG_COLOUR_EDITOR);
}

void ConfirmGraphicsOptions()
{
    // The live values follow the knobs already; a knob not moved keeps its
    // value as it was (its whole-pixel offset would round it down).
    g_reflectionSliderPos[1] = g_reflectionSliderPos[0];
    g_brightnessSliderPos[1] = g_brightnessSliderPos[0];
    g_shadowsOn = g_editShadowsOn;
    g_reflectionOn = g_editReflectionOn;
    BackTo(PANEL_FLAG_GRAPHICS_OPTIONS, PANEL_FLAG_SETTINGS);
}

void CancelGraphicsOptions()
{
    PutBackGraphicsSliders();
    BackTo(PANEL_FLAG_GRAPHICS_OPTIONS, PANEL_FLAG_SETTINGS);
}

// --- colour editor ---

void ConfirmColour()
{
    for (int c = 0; c < 3; ++c) g_colourEditValue[c + 3] = g_colourEditValue[c];
    const int slot = g_colourEditSlot;
    UseEditedColour(slot == COLOUR_PANEL ? REBUILD_COLOUR : -1);
    if (slot == COLOUR_PLAYER_PIECES || slot == COLOUR_OPPONENT_PIECES) UpdatePiecePreviews(slot);
    if (slot == COLOUR_PANEL) UpdatePiecePreviews(0);
    if (slot == COLOUR_BOARD || slot == COLOUR_PANEL) UpdateBoardPreviews();
    BackTo(PANEL_FLAG_COLOUR_EDITOR, PANEL_FLAG_GRAPHICS_OPTIONS);
}

void CancelColour()
{
    for (int c = 0; c < 3; ++c) g_colourEditValue[c] = g_colourEditValue[c + 3];
    UseEditedColour(REBUILD_CAPTION_BAR);
    BackTo(PANEL_FLAG_COLOUR_EDITOR, PANEL_FLAG_GRAPHICS_OPTIONS);
}

}  // namespace

bool ClickSettings(CVelmonarDlg& dialog, CPoint point, void (*openAccount)(CVelmonarDlg& dialog))
{
    struct Row {
        int widget;
        void (*effect)();
    };
    static const Row rows[] = {{26, OpenGameOptions},  {27, OpenGraphicsOptions}, {28, OpenExtraOptions},
                               {29, OpenLanguageList}, {31, ResetOptions}};
    for (const Row& row : rows)
        if (OnWidget(row.widget, point)) {
            row.effect();
            return true;
        }
    if (OnWidget(30, point)) {
        openAccount(dialog);
        return true;
    }
    if (OnWidget(32, point)) {
        BackTo(PANEL_FLAG_SETTINGS, PANEL_FLAG_MAIN_MENU);
        return true;
    }
    return false;
}

bool ClickGameOptions(CPoint point)
{
    int* const levels[3] = {&g_editAiQuickSearch, &g_editAiLevel2, &g_editAiLevel3};
    int* const mover[2] = {&g_editSpareOption1, &g_editComputerMovesFirst};
    const int levelBoxes[3][2] = {{53, 52}, {55, 54}, {57, 56}};
    const int moverBoxes[2][2] = {{60, 59}, {62, 61}};
    for (int i = 0; i < 3; ++i)
        if (OnEither(levelBoxes[i][0], levelBoxes[i][1], point)) {
            Choose(levels, 3, i);
            return true;
        }
    for (int i = 0; i < 2; ++i)
        if (OnEither(moverBoxes[i][0], moverBoxes[i][1], point)) {
            Choose(mover, 2, i);
            return true;
        }
    if (OnEither(64, 65, point)) {
        Toggle(g_editAnimationsOn);
        return true;
    }
    if (OnWidget(WIDGET_PIECE_SCALE_SLIDER, point)) {
        UsePieceScaleOffset(OffsetFrom(WIDGET_PIECE_SCALE_SLIDER, point));
        return true;
    }
    if (OnWidget(69, point)) {
        ConfirmGameOptions();
        return true;
    }
    if (OnWidget(70, point)) {
        CancelGameOptions();
        return true;
    }
    return false;
}

bool ClickGraphicsOptions(CPoint point)
{
    if (OnEither(79, 78, point)) {
        Toggle(g_editShadowsOn);
        return true;
    }
    if (OnEither(81, 80, point)) {
        Toggle(g_editReflectionOn);
        return true;
    }
    // The four colour rows: the player's pieces, the opponent's, the board, the panels.
    const int colourRows[4][3] = {{83, 82, COLOUR_PLAYER_PIECES},
                                  {85, 84, COLOUR_OPPONENT_PIECES},
                                  {87, 86, COLOUR_BOARD},
                                  {89, 88, COLOUR_PANEL}};
    for (const auto& row : colourRows)
        if (OnEither(row[0], row[1], point)) {
            OpenColourEditor(row[2]);
            return true;
        }
    if (OnWidget(WIDGET_REFLECTION_SLIDER, point)) {
        g_reflectionSliderPos[0] = OffsetFrom(WIDGET_REFLECTION_SLIDER, point);
        g_reflectionAlpha = ReflectionFromSlider(g_reflectionSliderPos[0]);
        return true;
    }
    if (OnWidget(WIDGET_BRIGHTNESS_SLIDER, point)) {
        // Measured from the reflection slider's edge, which both sliders share.
        g_brightnessSliderPos[0] = OffsetFrom(WIDGET_REFLECTION_SLIDER, point);
        g_pieceBrightness = BrightnessFromSlider(g_brightnessSliderPos[0]);
        g_flowHooks.buildPieceTextures(0);
        return true;
    }
    if (OnWidget(92, point)) {
        ConfirmGraphicsOptions();
        return true;
    }
    if (OnWidget(93, point)) {
        CancelGraphicsOptions();
        return true;
    }
    return false;
}

bool ClickExtraOptions(CPoint point)
{
    if (OnEither(104, 103, point)) {
        Toggle(g_editSpareOption3);
        return true;
    }
    if (OnEither(106, 105, point)) {
        Toggle(g_editSpareOption4);
        return true;
    }
    if (OnWidget(107, point)) {
        g_spareOption2 = g_editSpareOption2;
        g_spareOption3 = g_editSpareOption3;
        g_spareOption4 = g_editSpareOption4;
        BackTo(PANEL_FLAG_EXTRA_OPTIONS, PANEL_FLAG_SETTINGS);
        return true;
    }
    if (OnWidget(108, point)) {
        BackTo(PANEL_FLAG_EXTRA_OPTIONS, PANEL_FLAG_SETTINGS);
        return true;
    }
    return false;
}

bool ClickColourEditor(CPoint point)
{
    for (int& knob : g_dragKnob) knob = 0;
    for (int channel = 0; channel < 3; ++channel) {
        const int ramp = WIDGET_COLOUR_RAMP_FIRST + channel;
        if (!OnWidget(ramp, point)) continue;
        g_dragKnob[channel] = 1;
        g_colourEditValue[channel] = OffsetFrom(ramp, point);
        UseEditedColour(-1);
        return true;
    }
    if (OnWidget(133, point)) {
        ConfirmColour();
        return true;
    }
    if (OnWidget(134, point)) {
        CancelColour();
        return true;
    }
    return false;
}

void UseEditedColour(int rebuildMode)
{
    const int slot = g_colourEditSlot;
    if (slot < COLOUR_BOARD || slot > COLOUR_PANEL) return;
    g_tintR[slot] = g_colourEditValue[0] / 255.0;
    g_tintG[slot] = g_colourEditValue[1] / 255.0;
    g_tintB[slot] = g_colourEditValue[2] / 255.0;
    if (slot == COLOUR_PLAYER_PIECES || slot == COLOUR_OPPONENT_PIECES) ApplySideTint(slot);
    if (slot != COLOUR_PANEL) return;
    g_panelColour[0] = g_tintR[slot];
    g_panelColour[1] = g_tintG[slot];
    g_panelColour[2] = g_tintB[slot];
    if (rebuildMode >= 0) g_flowHooks.rebuildPanelTextures(rebuildMode);
}

void PutBackGraphicsSliders()
{
    // Only a moved knob springs back, so an unmoved one keeps its exact value.
    if (g_reflectionSliderPos[0] != g_reflectionSliderPos[1]) {
        g_reflectionSliderPos[0] = g_reflectionSliderPos[1];
        g_reflectionAlpha = ReflectionFromSlider(g_reflectionSliderPos[1]);
    }
    if (g_brightnessSliderPos[0] != g_brightnessSliderPos[1]) {
        g_brightnessSliderPos[0] = g_brightnessSliderPos[1];
        g_pieceBrightness = BrightnessFromSlider(g_brightnessSliderPos[1]);
        g_flowHooks.buildPieceTextures(0);  // the pieces were drawn with the dragged brightness
    }
}
