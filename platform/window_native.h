// Inside the platform layer: what the window and GL parts share about a
// window's X side. Not for game code.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "platform/window.h"

struct DeviceContext {
    CWnd* window;
};

// The display the toolkit uses (opened on first use, interface thread only).
Display* LayerDisplay();
int LayerScreen();

// The window's X drawable, 0 when it has none yet.
Window NativeDrawable(CWnd* window);
int NativePixelFormat(CWnd* window);
// Creates the window's X window (unmapped) with this visual; false when the
// window already has one or does not exist.
bool NativeCreateWithVisual(CWnd* window, int format, const XVisualInfo* visual);

// GL side hooks: called before a GL window paints and before it goes away.
void GlMakeWindowContextCurrent(CWnd* window);
void GlForgetWindow(CWnd* window);
void GlWindowResized(CWnd* window);

// True once SIGINT or SIGTERM asked every modal loop to end.
bool EndRequestedBySignal();
// Keeps a toolkit window above the others while the main window is topmost.
void KeepAboveWhenMainIsTopmost(Window xid);
