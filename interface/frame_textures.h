// Procedural frames: the bevelled fields and the ramps that the option
// panels' sliders, previews and colour ramps are made of.
#pragma once

#include <GL/gl.h>

enum FrameType {
    FRAME_FIELD = 0,         // a flat field in the colour, double bevel
    FRAME_RAMP = 1,          // a ramp from black to the colour, double bevel
    FRAME_PLAIN_RAMP = 2,    // the ramp without the bevel
    FRAME_SPLIT_RAMP = 3,    // upper rows brighten, lower rows darken, no bevel
};
// Draws a frame of the type into image (width x height RGBA, row 0 at the
// bottom). Every pixel is written: what the type leaves is the panel colour
// at alpha 0; ramps are limited to 0..255 per channel.
void DrawFrameImage(unsigned char* image, int width, int height, int r, int g, int b, int alpha, int type);
// Draws the frame into the work image and uploads it into *name (made on the
// create pass, refilled after it). A size under 1 x 1 makes nothing.
void MakeFrameTexture(GLuint* name, int width, int height, int r, int g, int b, int alpha, int type);
