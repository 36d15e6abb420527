#include "scene/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

int g_sizeType = 0;
float g_aspect = 0.0f;
double g_fovY = 20.0;
double g_eyeY = 712.0;
double g_eyeZ = 1250.0;
double g_centerY = -48.0;

void LoadPerspectiveCamera()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(g_fovY, static_cast<double>(g_aspect), CAMERA_NEAR_PLANE, CAMERA_FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, g_eyeY, g_eyeZ, 0.0, g_centerY, 0.0, 0.0, 0.0, -1.0);
}

void ClientSize(int* width, int* height)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    *width = viewport[2];
    *height = viewport[3];
}

void WindowQuad(double width, double height)
{
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 1.0);
    glVertex2d(0.0, height);
    glTexCoord2d(0.0, 0.0);
    glVertex2d(0.0, 0.0);
    glTexCoord2d(1.0, 0.0);
    glVertex2d(width, 0.0);
    glTexCoord2d(1.0, 1.0);
    glVertex2d(width, height);
    glEnd();
}
