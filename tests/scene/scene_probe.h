// What the scene tests share: the loaded scene in its window, reading the
// shown frame, and where squares, pieces and tray slots land on screen.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/support/scene_window.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

extern SceneWindow* g_sceneWindow;
extern bool g_sceneLoaded;

struct Rgb {
    int r = 0, g = 0, b = 0;
    int Sum() const { return r + g + b; }
};
// Largest channel difference.
int Difference(const Rgb& a, const Rgb& b);

struct Pixel {
    int x = 0, y = 0;
};

// The shown frame (what the window shows), window pixels with y up; and a
// frame rendered first.
Rgb FrontPixel(int x, int y);
Rgb FrontPixel(const Pixel& p);
std::vector<unsigned char> FrontFrame();
Rgb RenderedPixel(const Pixel& p);
std::vector<unsigned char> RenderedFrame();
// Mean channel difference of two frames over the window rectangle around
// (x, y) with the given half size.
double RegionDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int x, int y,
                        int half);

// Window pixel of a world point, through the program's camera.
Pixel ProjectWorld(double x, double y, double z);
// Centre of square (x, y) on the board top.
Pixel SquareCentre(int x, int y);
// A point on the board top between two neighbouring squares.
Pixel SquareEdge(int x1, int y1, int x2, int y2);
// Middle of the face quad of a piece standing on square (x, y); mirrored: of
// its mirror image in the board top (the height negated).
Pixel PieceFront(int x, int y, bool mirrored = false);
// Middle of the body of tray slot k.
Pixel TraySlotCentre(int k);

// Picks at a window pixel.
void PickAt(const Pixel& p);

// The GL state a frame or a pick must leave as it found it.
struct GlState {
    // Depth test, cull face, lighting, 2D texture, blend, multisample, scissor
    // test, polygon offset fill, light 0.
    std::array<GLboolean, 9> enabled{};
    GLboolean depthWrites = GL_FALSE;
    std::array<GLint, 4> viewport{}, scissorBox{};
    std::array<GLfloat, 4> clearColour{};
    std::array<GLdouble, 16> projection{}, modelview{};
    GLint cullMode = 0, blendSrc = 0, blendDst = 0, readBuffer = 0, drawBuffer = 0;
};
GlState ReadGlState();

// Every test starts from a new game in setup at 1920 x 1080: board active,
// menu closed, no fade, shadows on, reflection off, nothing hovered.
class SceneTest : public testing::Test {
protected:
    void SetUp() override;
    void Resize(int width, int height);
};
