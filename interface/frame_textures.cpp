#include "interface/frame_textures.h"

#include <GL/gl.h>

#include <algorithm>

#include "interface/caption_colours.h"
#include "interface/font.h"
#include "scene/image_buffer.h"
#include "scene/mipmaps.h"

namespace {

constexpr int BEVEL_GREY = 155;

struct FrameImage {
    unsigned char* pixels;
    int width, height;

    void Set(int x, int y, int r, int g, int b, int a) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 4;
        p[0] = static_cast<unsigned char>(std::clamp(r, 0, 255));
        p[1] = static_cast<unsigned char>(std::clamp(g, 0, 255));
        p[2] = static_cast<unsigned char>(std::clamp(b, 0, 255));
        p[3] = static_cast<unsigned char>(std::clamp(a, 0, 255));
    }
    void Row(int y, int x0, int x1, int grey) const
    {
        for (int x = x0; x <= x1; ++x) Set(x, y, grey, grey, grey, 255);
    }
    void Column(int x, int y0, int y1, int grey) const
    {
        for (int y = y0; y <= y1; ++y) Set(x, y, grey, grey, grey, 255);
    }
    void Panel(int x, int y, int a) const
    {
        Set(x, y, g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2], a);
    }
};

// One row of a ramp: start + (x - 1) x step per column from x = 1 to w - 2.
void RampRow(const FrameImage& im, int y, const double start[3], const double step[3], int alpha)
{
    for (int x = 1; x <= im.width - 2; ++x) {
        int c[3];
        for (int k = 0; k < 3; ++k) c[k] = static_cast<int>(start[k] + (x - 1) * step[k]);
        im.Set(x, y, c[0], c[1], c[2], alpha);
    }
}

void FillByType(const FrameImage& im, int r, int g, int b, int alpha, int type)
{
    const int w = im.width, h = im.height;
    const double colour[3] = {double(r), double(g), double(b)};
    const double columns = std::max(w - 2, 1);
    const double up[3] = {r / columns, g / columns, b / columns};
    const double down[3] = {-up[0], -up[1], -up[2]};
    const double black[3] = {0, 0, 0};
    if (type == FRAME_FIELD) {
        for (int y = 1; y <= h - 2; ++y)
            for (int x = 1; x <= w - 2; ++x) im.Set(x, y, r, g, b, alpha);
    } else if (type == FRAME_RAMP || type == FRAME_PLAIN_RAMP) {
        for (int y = 1; y <= h - 2; ++y) RampRow(im, y, black, up, alpha);
    } else if (type == FRAME_SPLIT_RAMP) {
        for (int y = (h - 1) / 2; y <= h - 2; ++y) RampRow(im, y, colour, up, alpha);
        for (int y = 1; y < (h - 1) / 1.7; ++y) RampRow(im, y, colour, down, alpha);
    }
}

// Outer frame lit at the top and left, inner frame lit at the bottom and right.
void DrawDoubleBevel(const FrameImage& im)
{
    const int w = im.width, h = im.height;
    im.Row(3, 3, w - 5, BEVEL_GREY);
    im.Row(h - 1, 0, w - 1, BEVEL_GREY);
    im.Column(0, 2, h - 1, BEVEL_GREY);
    im.Column(w - 4, 3, h - 5, BEVEL_GREY);

    im.Row(0, 1, w - 1, 0);
    im.Row(h - 4, 3, w - 4, 0);
    im.Column(3, 4, h - 5, 0);
    im.Column(w - 1, 0, h - 1, 0);

    for (int y : {1, 2, h - 2, h - 3})
        for (int x = 1; x <= w - 2; ++x) im.Panel(x, y, 255);
    for (int x : {1, 2, w - 2, w - 3})
        for (int y = 1; y <= h - 2; ++y) im.Panel(x, y, 255);

    im.Panel(0, 0, 0);
    im.Panel(0, 1, 0);
}

}  // namespace

void DrawFrameImage(unsigned char* image, int width, int height, int r, int g, int b, int alpha, int type)
{
    if (!image || width <= 0 || height <= 0) return;
    UpdatePanelColourBytes();
    FillImage(image, width, height, 4, g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2], 0);
    const FrameImage im{image, width, height};
    FillByType(im, r, g, b, alpha, type);
    if (type == FRAME_FIELD || type == FRAME_RAMP) DrawDoubleBevel(im);
}

void MakeFrameTexture(GLuint* name, int width, int height, int r, int g, int b, int alpha, int type)
{
    if (!name || width <= 0 || height <= 0) return;
    unsigned char* image = ImageBufferFor(static_cast<size_t>(width) * height * 4);
    DrawFrameImage(image, width, height, r, g, b, alpha, type);
    BindOrCreateTexture(name);
    UploadMipmaps(4, width, height, image);
}
