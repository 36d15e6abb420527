#include "scene/still_frame.h"

#include <GL/gl.h>

#include "scene/camera.h"

#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace {

bool g_keepAsked = false;
GLuint g_stillTexture = 0;
int g_stillWidth = 0;
int g_stillHeight = 0;

}  // namespace

void KeepNextFrame()
{
    g_keepAsked = true;
}

void KeepFrameIfAsked()
{
    if (!g_keepAsked) return;
    g_keepAsked = false;
    int width = 0, height = 0;
    ClientSize(&width, &height);
    if (width <= 0 || height <= 0) return;
    if (g_stillTexture == 0) glGenTextures(1, &g_stillTexture);
    glBindTexture(GL_TEXTURE_2D, g_stillTexture);
    // One level, sampled at texel centres: the picture comes back unchanged.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, width, height, 0);
    g_stillWidth = width;
    g_stillHeight = height;
}

bool StillFrameKept()
{
    return g_stillTexture != 0 && g_stillWidth > 0;
}

void DrawStillFrame()
{
    if (!StillFrameKept()) return;
    const double w = g_stillWidth, h = g_stillHeight;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, w, 0.0, h, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);

    glBindTexture(GL_TEXTURE_2D, g_stillTexture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 0.0);
    glVertex2d(0.0, 0.0);
    glTexCoord2d(1.0, 0.0);
    glVertex2d(w, 0.0);
    glTexCoord2d(1.0, 1.0);
    glVertex2d(w, h);
    glTexCoord2d(0.0, 1.0);
    glVertex2d(0.0, h);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
    LoadPerspectiveCamera();
}

void ReleaseStillFrame()
{
    g_keepAsked = false;
    if (g_stillTexture != 0) glDeleteTextures(1, &g_stillTexture);
    g_stillTexture = 0;
    g_stillWidth = g_stillHeight = 0;
}
