#include "tests/support/window_pixels.h"

#define FL_INTERNALS 1
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <GL/gl.h>

std::vector<unsigned> WindowPixels(int x, int y, int w, int h)
{
    std::vector<unsigned> pixels(static_cast<size_t>(w) * h, 0);
    glFinish();
    Fl_Window* window = Fl::first_window();
    if (!window) return pixels;
    XSync(fl_display, False);
    XImage* image = XGetImage(fl_display, fl_xid(window), x, window->h() - y - h, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (!image) return pixels;
    for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
            pixels[static_cast<size_t>(row) * w + col] = XGetPixel(image, col, h - 1 - row) & 0xFFFFFF;
    XDestroyImage(image);
    return pixels;
}

unsigned WindowPixel(int x, int y)
{
    return WindowPixels(x, y, 1, 1)[0];
}
