// The steps every panel's caption builder shares: one widget's caption
// textures and size, and the panel height summed on the first build.
#pragma once

#include "interface/font.h"
#include "platform/strings.h"

// Text item of a panel's language group (an empty text for a panel without one).
CString PanelText(int panel, int item);

// A caption look in the panel colour bytes, and in the hovered colour.
CaptionLook PanelLook(int style);
CaptionLook HotLook(int style);

// Renders text into the widget's normal texture (and, unless hot is null, its
// hot texture over the same image) at the scale and letter spacing, and sets
// the widget's width and height: the texture size x scale, truncated, or 0 x 0
// for a text that shows nothing.
void BuildWidgetCaption(int widget, const CString& text, double scale, int spacing, const CaptionLook& normal,
                        const CaptionLook* hot);
// The same into textures of the caller's (shared glyphs, save slots) instead
// of the widget's own; a null hot skips the hot texture.
void BuildWidgetCaptionInto(int widget, const CString& text, double scale, int spacing, GLuint* normal,
                            const CaptionLook& normalLook, GLuint* hot, const CaptionLook& hotLook);

// True while panel heights are measured: the start-up build, outside a
// rebuild that keeps them.
bool PanelHeightsMeasured();

// Sums a panel's stacked column on the first build; does nothing otherwise.
class PanelHeightSum {
public:
    explicit PanelHeightSum(int panel);
    // Adds the widget's height and, for next >= 0, the gap of the widget
    // stacked under it.
    void Add(int widget, int next);

private:
    int m_panel;
    bool m_active;
};
