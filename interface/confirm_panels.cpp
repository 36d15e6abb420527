#include "interface/confirm_panels.h"

#include "interface/layout_rules.h"
#include "interface/panel_captions.h"
#include "interface/widgets.h"

namespace {

constexpr int PROMPT_SPACING = 3;
constexpr int BUTTON_HALF_ROW = 142;  // the buttons' outer edges stand this far from the centre
constexpr double ICON_DROP = 4.0;     // the "?" of the new-game, exit and reset prompts sits lower

// Caption kinds every prompt shares; the scale of the "?" differs per prompt.
void Title(int widget, const CString& text)
{
    BuildWidgetCaption(widget, text, 0.72, PROMPT_SPACING, PanelLook(1), nullptr);
}

void Label(int widget, const CString& text)
{
    BuildWidgetCaption(widget, text, 0.7, PROMPT_SPACING, PanelLook(2), nullptr);
}

// The slot's own label, in the hovered colour.
void PassedLabel(int widget, const CString& text)
{
    BuildWidgetCaption(widget, text, 0.7, PROMPT_SPACING, HotLook(3), nullptr);
}

void Icon(int widget, double scale)
{
    BuildWidgetCaption(widget, "?", scale, PROMPT_SPACING, PanelLook(2), nullptr);
}

void Button(int widget, const CString& text)
{
    const CaptionLook hot = HotLook(4);
    BuildWidgetCaption(widget, text, 0.9, PROMPT_SPACING, PanelLook(2), &hot);
}

// Places a prompt: the title, the label lines firstLabel .. lastLabel each on
// its own row, the icon beside the last label (iconDrop lower than its top),
// and the two buttons at the row's outer edges under the last label.
void LayoutPrompt(int panel, int firstLabel, int lastLabel, double iconDrop)
{
    const LayoutFrame f = CurrentLayoutFrame();
    const int title = WidgetIndex(panel, 0);
    const int icon = lastLabel + 1, yes = lastLabel + 2, no = lastLabel + 3;
    PlaceWidget(title, CentredLeft(title, f), FirstTop(panel, f), f);
    for (int w = firstLabel; w < lastLabel; ++w) PlaceWidget(w, CentredLeft(w, f), StackedTop(w, w - 1), f);

    const int labelWidth = g_widgetWidth[lastLabel], iconWidth = g_widgetWidth[icon];
    const double labelTop = StackedTop(lastLabel, lastLabel - 1);
    PlaceWidget(lastLabel, f.centreX - (labelWidth + iconWidth + iconWidth / 2) / 2, labelTop, f);
    PlaceWidget(icon, g_widgetRight[lastLabel] + iconWidth / 2, labelTop - iconDrop, f);

    const double buttonTop = StackedTop(yes, lastLabel);
    PlaceWidget(yes, f.centreX - BUTTON_HALF_ROW, buttonTop, f);
    PlaceWidget(no, f.centreX + BUTTON_HALF_ROW - g_widgetWidth[no], buttonTop, f);
}

}  // namespace

void BuildSaveConfirmTextures(CString label)
{
    g_widgetGap[176] = 20;
    g_widgetGap[177] = 15;
    g_widgetGap[178] = 0;
    g_widgetGap[179] = 20;
    PanelHeightSum height(PANEL_SAVE_CONFIRM);
    Title(175, PanelText(PANEL_SAVE_CONFIRM, 0));
    height.Add(175, 176);
    Label(176, PanelText(PANEL_SAVE_CONFIRM, 1));
    height.Add(176, 177);
    PassedLabel(177, label);
    height.Add(177, 179);
    Icon(178, 0.61);
    Button(179, PanelText(PANEL_SAVE_CONFIRM, 2));
    height.Add(179, -1);
    Button(180, PanelText(PANEL_SAVE_CONFIRM, 3));
}

void LayoutSaveConfirmPanel()
{
    LayoutPrompt(PANEL_SAVE_CONFIRM, 176, 177, 0.0);
}

void BuildLoadConfirmTextures(CString label)
{
    g_widgetGap[226] = 20;
    g_widgetGap[227] = 0;
    g_widgetGap[228] = 15;
    g_widgetGap[229] = 0;
    g_widgetGap[230] = 20;
    PanelHeightSum height(PANEL_LOAD_CONFIRM);
    Title(225, PanelText(PANEL_LOAD_CONFIRM, 0));
    height.Add(225, 226);
    Label(226, PanelText(PANEL_LOAD_CONFIRM, 1));
    height.Add(226, 227);
    Label(227, PanelText(PANEL_LOAD_CONFIRM, 2));
    height.Add(227, 228);
    PassedLabel(228, label);
    height.Add(228, 230);
    Icon(229, 0.61);
    Button(230, PanelText(PANEL_LOAD_CONFIRM, 3));
    height.Add(230, -1);
    Button(231, PanelText(PANEL_LOAD_CONFIRM, 4));
}

void LayoutLoadConfirmPanel()
{
    LayoutPrompt(PANEL_LOAD_CONFIRM, 226, 228, 0.0);
}

void BuildNewGameConfirmTextures()
{
    g_widgetGap[251] = 20;
    g_widgetGap[252] = 0;
    g_widgetGap[253] = 0;
    g_widgetGap[254] = 20;
    PanelHeightSum height(PANEL_NEW_GAME_CONFIRM);
    Title(250, PanelText(PANEL_NEW_GAME_CONFIRM, 0));
    height.Add(250, 251);
    Label(251, PanelText(PANEL_NEW_GAME_CONFIRM, 1));
    height.Add(251, 252);
    Label(252, PanelText(PANEL_NEW_GAME_CONFIRM, 2));
    height.Add(252, 254);
    Icon(253, 0.51);
    Button(254, PanelText(PANEL_NEW_GAME_CONFIRM, 3));
    height.Add(254, -1);
    Button(255, PanelText(PANEL_NEW_GAME_CONFIRM, 4));
}

void LayoutNewGameConfirmPanel()
{
    LayoutPrompt(PANEL_NEW_GAME_CONFIRM, 251, 252, ICON_DROP);
}

void BuildExitConfirmTextures()
{
    g_widgetGap[276] = 20;
    g_widgetGap[277] = 0;
    g_widgetGap[278] = 20;
    PanelHeightSum height(PANEL_EXIT_CONFIRM);
    Title(275, PanelText(PANEL_EXIT_CONFIRM, 0));
    height.Add(275, 276);
    Label(276, PanelText(PANEL_EXIT_CONFIRM, 1));
    height.Add(276, 278);
    Icon(277, 0.51);
    Button(278, PanelText(PANEL_EXIT_CONFIRM, 2));
    height.Add(278, -1);
    Button(279, PanelText(PANEL_EXIT_CONFIRM, 3));
}

void LayoutExitConfirmPanel()
{
    LayoutPrompt(PANEL_EXIT_CONFIRM, 276, 276, ICON_DROP);
}

void BuildResetConfirmTextures()
{
    g_widgetGap[301] = 20;
    g_widgetGap[302] = 0;
    g_widgetGap[303] = 0;
    g_widgetGap[304] = 20;
    PanelHeightSum height(PANEL_RESET_CONFIRM);
    Title(300, PanelText(PANEL_RESET_CONFIRM, 0));
    height.Add(300, 301);
    Label(301, PanelText(PANEL_RESET_CONFIRM, 1));
    height.Add(301, 302);
    Label(302, PanelText(PANEL_RESET_CONFIRM, 2));
    height.Add(302, 304);
    Icon(303, 0.51);
    Button(304, PanelText(PANEL_RESET_CONFIRM, 3));
    height.Add(304, -1);
    Button(305, PanelText(PANEL_RESET_CONFIRM, 4));
}

void LayoutResetConfirmPanel()
{
    LayoutPrompt(PANEL_RESET_CONFIRM, 301, 302, ICON_DROP);
}
