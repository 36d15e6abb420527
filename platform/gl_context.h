// Pixel formats and OpenGL contexts of windows, on GLX.
//
// A pixel format is a GLX framebuffer configuration of the display, numbered
// from 1 in the order the display lists them. Only formats that can draw to a
// 24-bit true-colour window are chosen, so colours read back are exact.
// Setting a format on a window creates its X window with that format's
// visual; a window's format is fixed once set. WGL extension names are
// answered from their GLX twins ("WGL_ARB_multisample" from
// "GLX_ARB_multisample").
#pragma once

#include "platform/window.h"

typedef float FLOAT;
typedef void (*PROC)();
struct GlContext;
typedef GlContext* HGLRC;

// Descriptor flags and types (our own values).
constexpr DWORD PFD_DRAW_TO_WINDOW = 0x0004;
constexpr DWORD PFD_SUPPORT_OPENGL = 0x0020;
constexpr DWORD PFD_DOUBLEBUFFER = 0x0001;
constexpr unsigned char PFD_TYPE_RGBA = 0;
constexpr unsigned char PFD_MAIN_PLANE = 0;

struct PIXELFORMATDESCRIPTOR {
    unsigned short nSize;
    unsigned short nVersion;
    DWORD dwFlags;
    unsigned char iPixelType;
    unsigned char cColorBits;
    unsigned char cRedBits;
    unsigned char cRedShift;
    unsigned char cGreenBits;
    unsigned char cGreenShift;
    unsigned char cBlueBits;
    unsigned char cBlueShift;
    unsigned char cAlphaBits;
    unsigned char cAlphaShift;
    unsigned char cAccumBits;
    unsigned char cAccumRedBits;
    unsigned char cAccumGreenBits;
    unsigned char cAccumBlueBits;
    unsigned char cAccumAlphaBits;
    unsigned char cDepthBits;
    unsigned char cStencilBits;
    unsigned char cAuxBuffers;
    unsigned char iLayerType;
    unsigned char bReserved;
    DWORD dwLayerMask;
    DWORD dwVisibleMask;
    DWORD dwDamageMask;
};

// The closest format with at least 8 bits per colour, the descriptor's depth
// (16 at least) and double buffering; 0 when there is none.
int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted);
// Fills out with format `format`; returns the number of formats, 0 when the
// format does not exist.
int DescribePixelFormat(HDC dc, int format, UINT bytes, PIXELFORMATDESCRIPTOR* out);
// Once per window: a second, different format fails.
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* descriptor);
int GetPixelFormat(HDC dc);

HGLRC wglCreateContext(HDC dc);  // a compatibility-profile context for dc's format
BOOL wglMakeCurrent(HDC dc, HGLRC context);  // (null, null) releases the current one
BOOL wglDeleteContext(HGLRC context);
HDC wglGetCurrentDC();
HGLRC wglGetCurrentContext();
PROC wglGetProcAddress(LPCSTR name);
BOOL SwapBuffers(HDC dc);  // never handles window events

// The WGL extension entry points, as wglGetProcAddress hands them out.
typedef const char* (*PFNWGLGETEXTENSIONSSTRINGARBPROC)(HDC dc);
typedef BOOL (*PFNWGLCHOOSEPIXELFORMATARBPROC)(HDC dc, const int* intAttributes,
                                               const FLOAT* floatAttributes, UINT maxFormats,
                                               int* formats, UINT* formatCount);

// Attribute names and values of wglChoosePixelFormatARB (our own values).
enum : int {
    WGL_DRAW_TO_WINDOW_ARB = 0x2001,
    WGL_ACCELERATION_ARB = 0x2003,
    WGL_SUPPORT_OPENGL_ARB = 0x2010,
    WGL_DOUBLE_BUFFER_ARB = 0x2011,
    WGL_COLOR_BITS_ARB = 0x2014,
    WGL_ALPHA_BITS_ARB = 0x201B,
    WGL_DEPTH_BITS_ARB = 0x2022,
    WGL_STENCIL_BITS_ARB = 0x2023,
    WGL_FULL_ACCELERATION_ARB = 0x2027,
    WGL_SAMPLE_BUFFERS_ARB = 0x2041,
    WGL_SAMPLES_ARB = 0x2042,
};

// Number of samples of a format (0 for a plain one), for checks and tests.
int PixelFormatSamples(int format);

// Tests replace the driver's WGL answers here: getExtensionsString null means
// the entry point is missing, likewise choosePixelFormat. Null restores GLX.
struct WglDriverOverride {
    PFNWGLGETEXTENSIONSSTRINGARBPROC getExtensionsString;
    PFNWGLCHOOSEPIXELFORMATARBPROC choosePixelFormat;
};
void SetWglDriverOverride(const WglDriverOverride* driver);
