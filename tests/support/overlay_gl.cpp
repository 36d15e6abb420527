#include "tests/support/overlay_gl.h"

#include <gtest/gtest.h>  // before the X headers, whose macros clash with it

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "interface/caption_bar.h"
#include "interface/caption_colours.h"
#include "interface/extra_panels.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/online_panels.h"
#include "interface/option_panels.h"
#include "interface/overlay.h"
#include "interface/panel_textures.h"
#include "interface/widgets.h"
#include "platform/program_folder.h"
#include "rules/live_options.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "scene/image_buffer.h"
#include "scene/textures.h"
#include "tests/support/gl_dialog.h"

void RunWithOverlayGl(int width, int height, const std::function<void()>& body)
{
    GlTestDialog dialog(width, height, [&](GlTestDialog&) {
        glViewport(0, 0, width, height);
        g_aspect = static_cast<float>(width) / height;
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_CULL_FACE);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        body();
        glDisable(GL_LIGHTING);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

Rgba TexImage::At(int x, int y) const
{
    const unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

TexImage ReadTexture(GLuint name)
{
    TexImage image;
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &image.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &image.height);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
    if (!image.pixels.empty()) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels.data());
    return image;
}

GLuint MakeTexture(int width, int height, const std::function<Rgba(int, int)>& pixel)
{
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgba c = pixel(x, y);
            for (int k = 0; k < 4; ++k) pixels[(static_cast<size_t>(y) * width + x) * 4 + k] = c[k];
        }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return name;
}

GLuint SolidTexture(int r, int g, int b, int a)
{
    return MakeTexture(2, 2, [=](int, int) { return Rgba{r, g, b, a}; });
}

std::vector<TexImage> ReferenceCaption(const CString& text, int spacing, const std::vector<CaptionLook>& looks)
{
    int size[2] = {0, 0};
    MeasureText(text, size, g_texturePadX, g_texturePadY, spacing, 1);
    unsigned char* image = ImageBufferFor(static_cast<size_t>(size[0]) * size[1] * 4);
    FillImage(image, size[0], size[1], 4, g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2], 0);
    const int pass = g_textureCreatePass;
    g_textureCreatePass = 1;
    std::vector<TexImage> pictures;
    for (const CaptionLook& look : looks) {
        GLuint name = 0;
        BindOrCreateTexture(&name);
        BuildTextTexture(look.style, text, image, g_textOriginX, g_textOriginY, look.r, look.g, look.b, 255, size,
                         spacing);
        pictures.push_back(ReadTexture(name));
        glDeleteTextures(1, &name);
    }
    g_textureCreatePass = pass;
    return pictures;
}

void BuildOverlayAtStartUp(int language, int backdropWidth, int backdropHeight)
{
    g_appDir = VELMONAR_PROGRAM_DIR;
    LoadFont();
    BuildLanguageList();
    g_language[0] = language;
    LoadLanguage(language);
    for (int c = 0; c < 3; ++c) g_panelColour[c] = PANEL_COLOUR_DEFAULT[c];
    g_panelHeightsFixed = 0;
    g_textureCreatePass = 1;
    RebuildPanelTextures(REBUILD_ALL);
    g_textureCreatePass = 0;
    g_menuBackTex = SolidTexture(255, 255, 255, 255);
    g_menuEdgeTex = SolidTexture(0, 0, 0, 0);
    g_menuBackdropWidth = backdropWidth;
    g_menuBackdropHeight = backdropHeight;
    LayoutAll();
}

void ChangeOverlayLanguage(int language)
{
    g_language[0] = language;
    LoadLanguage(language);
    g_panelHeightsFixed = 1;
    RebuildPanelTextures(REBUILD_COLOUR);
    g_panelHeightsFixed = 0;
    LayoutAll();
}

std::vector<GLuint> OverlayTextureNames()
{
    std::vector<GLuint> names(g_widgetTexture, g_widgetTexture + WIDGET_COUNT);
    names.insert(names.end(), g_widgetHotTexture, g_widgetHotTexture + WIDGET_COUNT);
    names.insert(names.end(), {g_checkBoxTexture, g_checkBoxHotTexture, g_checkBoxTickedTexture,
                               g_checkBoxTickedHotTexture, g_sliderKnobTexture, g_whiteSliderTexture[0],
                               g_whiteSliderTexture[1], g_greySliderTexture[0], g_greySliderTexture[1],
                               g_colourPreviewFrameTexture, g_colourRampTexture[0], g_colourRampTexture[1],
                               g_colourRampTexture[2], g_menuButtonTexture[0], g_menuButtonTexture[1],
                               g_helpPageTexture, g_textWindowFrameTexture, g_textScrollTrackTexture,
                               g_textCloseTexture, g_textCloseHotTexture});
    names.insert(names.end(), g_saveSlotTexture + 1, g_saveSlotTexture + 7);
    names.insert(names.end(), g_saveSlotHotTexture + 1, g_saveSlotHotTexture + 7);
    for (const auto& line : g_onlineBannerTexture) names.insert(names.end(), line, line + 3);
    names.insert(names.end(), g_captionButtonTexture, g_captionButtonTexture + 2 * CAPTION_BUTTON_COUNT);
    return names;
}

void ExpectPlaced(int w, double left, double top, int clientHeight, int inset)
{
    SCOPED_TRACE("widget " + std::to_string(w));
    EXPECT_EQ(g_widgetLeft[w], left);
    EXPECT_EQ(g_widgetTop[w], top);
    EXPECT_EQ(g_widgetRight[w], left + g_widgetWidth[w]);
    EXPECT_EQ(g_widgetBottom[w], top - g_widgetHeight[w]);
    const RECT& r = g_widgetHitRect[w];
    EXPECT_EQ(r.left, static_cast<int>(left) + inset);
    EXPECT_EQ(r.right, static_cast<int>(g_widgetRight[w]) - inset);
    EXPECT_EQ(r.top, static_cast<int>(clientHeight - g_widgetTop[w]));
    EXPECT_EQ(r.bottom, static_cast<int>(clientHeight - g_widgetBottom[w]));
}

Rgb Shot::At(int x, int y) const
{
    const unsigned char* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

namespace {

// The whole pixels of a rectangle inside the frame, inset by `inset` at the
// bottom and left: x in [x0, x1), y in [y0, y1).
struct Span {
    int x0, x1, y0, y1;
};
Span SpanOf(const Shot& shot, double left, double right, double bottom, double top, int inset)
{
    return {std::max(0, int(left) + inset), std::min(shot.width, int(right)), std::max(0, int(bottom) + inset),
            std::min(shot.height, int(top))};
}
Span WidgetSpan(const Shot& shot, int widget, int inset)
{
    return SpanOf(shot, g_widgetLeft[widget], g_widgetRight[widget], g_widgetBottom[widget], g_widgetTop[widget],
                  inset);
}

}  // namespace

std::vector<Rgb> Shot::Block(int widget) const
{
    const Span s = WidgetSpan(*this, widget, 0);
    std::vector<Rgb> block;
    for (int y = s.y0; y < s.y1; ++y)
        for (int x = s.x0; x < s.x1; ++x) block.push_back(At(x, y));
    return block;
}

int Shot::InkIn(double left, double right, double bottom, double top) const
{
    const Span s = SpanOf(*this, left, right, bottom, top, 1);
    int most = 0;
    for (int y = s.y0; y < s.y1; ++y)
        for (int x = s.x0; x < s.x1; ++x) {
            const Rgb c = At(x, y);
            most = std::max(most, c[0] + c[1] + c[2]);
        }
    return most;
}

int Shot::Ink(int widget) const
{
    return InkIn(g_widgetLeft[widget], g_widgetRight[widget], g_widgetBottom[widget], g_widgetTop[widget]);
}

int Shot::DiffersIn(const Shot& other, double left, double right, double bottom, double top) const
{
    const Span s = SpanOf(*this, left, right, bottom, top, 0);
    int most = 0;
    for (int y = s.y0; y < s.y1; ++y)
        for (int x = s.x0; x < s.x1; ++x)
            for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(At(x, y)[c] - other.At(x, y)[c]));
    return most;
}

int Shot::Differs(const Shot& other, int widget) const
{
    return DiffersIn(other, g_widgetLeft[widget], g_widgetRight[widget], g_widgetBottom[widget], g_widgetTop[widget]);
}

void Shot::SaveIfAsked(const std::string& name) const
{
    const char* folder = std::getenv("VELMONAR_SHOT_DIR");
    if (!folder || !*folder) return;
    FILE* file = std::fopen((std::string(folder) + "/" + name + ".ppm").c_str(), "wb");
    if (!file) return;
    std::fprintf(file, "P6\n%d %d\n255\n", width, height);
    for (int y = height - 1; y >= 0; --y) std::fwrite(&pixels[static_cast<size_t>(y) * width * 3], 1, width * 3, file);
    std::fclose(file);
}

Shot RenderOverlayShot(int width, int height)
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawOverlay();
    glFinish();
    Shot shot;
    shot.width = width;
    shot.height = height;
    shot.pixels.resize(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, shot.pixels.data());
    return shot;
}

void OpenPanels(std::initializer_list<int> flags, bool menuMode)
{
    for (int& flag : g_panelVisible) flag = 0;
    for (int flag : flags) g_panelVisible[flag] = 1;
    if (menuMode && flags.size() > 0) g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
}
