#include "interface/panel_captions.h"

#include "interface/language.h"
#include "interface/caption_colours.h"
#include "interface/widgets.h"
#include "scene/image_buffer.h"

CString PanelText(int panel, int item)
{
    const int group = TextGroupOfPanel(panel);
    if (group < 0 || item < 0 || item >= UI_TEXT_GROUP_SIZE) return CString();
    return g_uiText[UI_TEXT_GROUP_SIZE * group + item];
}

CaptionLook PanelLook(int style)
{
    return {style, g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2]};
}

CaptionLook HotLook(int style)
{
    return {style, HOT_R, HOT_G, HOT_B};
}

void BuildWidgetCaption(int widget, const CString& text, double scale, int spacing, const CaptionLook& normal,
                        const CaptionLook* hot)
{
    if (widget < 0 || widget >= WIDGET_COUNT) return;
    BuildWidgetCaptionInto(widget, text, scale, spacing, &g_widgetTexture[widget], normal,
                           hot ? &g_widgetHotTexture[widget] : nullptr, hot ? *hot : normal);
}

void BuildWidgetCaptionInto(int widget, const CString& text, double scale, int spacing, GLuint* normal,
                            const CaptionLook& normalLook, GLuint* hot, const CaptionLook& hotLook)
{
    if (widget < 0 || widget >= WIDGET_COUNT || !normal) return;
    g_currentText = text;
    g_textScale = scale;
    g_glyphScale = 1;
    g_letterSpacing = spacing;
    const CaptionSize size = BuildCaptionTextures(normal, normalLook, hot, hotLook);
    g_widgetWidth[widget] = static_cast<int>(size.width);
    g_widgetHeight[widget] = static_cast<int>(size.height);
}

bool PanelHeightsMeasured()
{
    return g_textureCreatePass == 1 && g_panelHeightsFixed == 0;
}

PanelHeightSum::PanelHeightSum(int panel)
    : m_panel(panel), m_active(PanelHeightsMeasured() && panel >= 0 && panel < PANEL_COUNT)
{
    if (m_active) g_panelHeight[m_panel] = 0;
}

void PanelHeightSum::Add(int widget, int next)
{
    if (!m_active || widget < 0 || widget >= WIDGET_COUNT) return;
    g_panelHeight[m_panel] += g_widgetHeight[widget];
    if (next >= 0 && next < WIDGET_COUNT) g_panelHeight[m_panel] += g_widgetGap[next];
}
