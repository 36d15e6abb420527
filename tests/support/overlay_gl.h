// What the overlay's GL tests share: a GL window that runs a body, the
// overlay built as the start-up builds it from the shipped font and language
// files, textures made and read back, reference captions drawn from a look,
// and the frame an overlay pass leaves.
#pragma once

#include <GL/gl.h>

#include <array>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "interface/font.h"
#include "platform/strings.h"

// Runs body in a width x height GL window, with the viewport and camera
// aspect of that size, depth test, back-face culling and 2D texturing on,
// and byte-aligned pixel rows both ways.
void RunWithOverlayGl(int width, int height, const std::function<void()>& body);

// ---- textures ----
using Rgba = std::array<int, 4>;
using Rgb = std::array<int, 3>;

// Level 0 of a texture: RGBA, row 0 first.
struct TexImage {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    Rgba At(int x, int y) const;
    bool operator==(const TexImage& other) const
    {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const TexImage& other) const { return !(*this == other); }
};
TexImage ReadTexture(GLuint name);

// A new texture with nearest filters, pixel(x, y) giving each RGBA texel.
GLuint MakeTexture(int width, int height, const std::function<Rgba(int, int)>& pixel);
GLuint SolidTexture(int r, int g, int b, int a);

// The caption of text at the spacing, drawn the way every caption is: the
// work image filled with the panel colour at alpha 0, then each look's
// passes in turn over the same image; one picture per look, read back from
// a texture made for it (uploaded as the builders upload theirs).
std::vector<TexImage> ReferenceCaption(const CString& text, int spacing, const std::vector<CaptionLook>& looks);

// ---- the start-up build ----
// Font, the language files found, the language, the default panel colour,
// every overlay texture made on the create pass, then the layout; the menu
// backdrop is a plain white field of the given size (tinted by the panel
// colour) with clear edges.
void BuildOverlayAtStartUp(int language, int backdropWidth = 300, int backdropHeight = 300);
// A language change as a click on a language row makes it: the panel heights
// kept, every panel rebuilt into the same names, the layout.
void ChangeOverlayLanguage(int language);

// Every texture name the overlay's builders make, in a fixed order: the
// widgets' normal and hot captions, the option panels' shared boxes, knob,
// tracks and ramps, the save slots, the online banner's lines, the caption
// bar and the help window.
std::vector<GLuint> OverlayTextureNames();

// A widget laid out at left and top with the size its builder gave it, and
// its hit rectangle on those edges (inset at both ends) in a client area
// clientHeight high.
void ExpectPlaced(int widget, double left, double top, int clientHeight, int inset = 0);

// ---- the frame ----
struct Shot {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;  // RGB, row 0 at the bottom
    Rgb At(int x, int y) const;
    // The pixels of a widget's laid-out rectangle, inside the frame.
    std::vector<Rgb> Block(int widget) const;
    // The largest channel sum inside a rectangle of overlay coordinates (its
    // left and bottom edges left out), or a widget's.
    int InkIn(double left, double right, double bottom, double top) const;
    int Ink(int widget) const;
    // The largest per-channel difference to another shot inside a rectangle, or a widget's.
    int DiffersIn(const Shot& other, double left, double right, double bottom, double top) const;
    int Differs(const Shot& other, int widget) const;
    // With VELMONAR_SHOT_DIR naming a folder, the frame as name.ppm there, for a person to look at.
    void SaveIfAsked(const std::string& name) const;
};
// Clears to black, runs the overlay pass and reads back the frame.
Shot RenderOverlayShot(int width, int height);
// Only the given panel flags set (and the menu mode when open is not empty
// and menuMode is true).
void OpenPanels(std::initializer_list<int> flags, bool menuMode = true);
