// The X display: the connection, X windows made with a chosen visual for GL,
// the primary monitor's mode.
#define FL_INTERNALS 1
#include <FL/Fl.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/threads.h"
#include "platform/window.h"
#include "platform/window_native.h"

using window_layer::Atoms;
using window_layer::LayerWindow;
using window_layer::WindowManagerAtoms;

namespace {

// The toolkit would end with a bare "Can't open display"; say what is needed.
void OpenDisplayOrExplain()
{
    if (fl_display) return;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        const char* name = std::getenv("DISPLAY");
        std::fprintf(stderr,
                     "velmonar: no X display%s%s%s. The game needs one: start it from a desktop session, "
                     "or under a virtual display such as xvfb-run.\n",
                     name ? " (DISPLAY=" : "", name ? name : "", name ? ")" : "");
        _exit(1);
    }
    fl_open_display(display);
}

}  // namespace

Display* LayerDisplay()
{
    InitInterfaceThread();
    OpenDisplayOrExplain();
    static bool ioHandlerSet = false;
    if (!ioHandlerSet) {
        // A lost X connection ends the process at once: exit() would run the
        // static destructors under the feet of running worker threads.
        XSetIOErrorHandler([](Display*) -> int { _exit(1); });
        ioHandlerSet = true;
    }
    return fl_display;
}

int LayerScreen()
{
    LayerDisplay();
    return fl_screen;
}

Window NativeDrawable(CWnd* window)
{
    if (!window || !window->m_native || !window->m_native->window) return 0;
    return fl_xid(window->m_native->window);
}

int NativePixelFormat(CWnd* window)
{
    return window && window->m_native ? window->m_native->pixelFormat : 0;
}

bool NativeCreateWithVisual(CWnd* window, int format, const XVisualInfo* visual)
{
    if (!window || !window->m_native || !window->m_native->window || !visual) return false;
    NativeWindow* n = window->m_native;
    LayerWindow* w = n->window;
    if (w->shown()) return false;
    Display* d = LayerDisplay();
    Window root = RootWindow(d, LayerScreen());
    XSetWindowAttributes attr{};
    attr.event_mask = window_layer::kEventMask;
    attr.colormap = XCreateColormap(d, root, visual->visual, AllocNone);
    attr.border_pixel = 0;
    attr.bit_gravity = 0;
    Window xid = XCreateWindow(d, root, w->x(), w->y(), std::max(w->w(), 1), std::max(w->h(), 1), 0,
                               visual->depth, InputOutput, visual->visual,
                               CWBorderPixel | CWColormap | CWEventMask | CWBitGravity, &attr);
    if (xid == 0) {
        XFreeColormap(d, attr.colormap);
        return false;
    }
    n->colormap = attr.colormap;
    n->pixelFormat = format;
    Fl_X::set_xid(w, xid);
    XSetWMProperties(d, xid, nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr);
    const WindowManagerAtoms& atoms = Atoms();
    long pid = getpid();
    XChangeProperty(d, xid, atoms.pid, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
    Atom deleteWindow = atoms.deleteWindow;
    XChangeProperty(d, xid, atoms.protocols, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&deleteWindow), 1);
    static const char kClass[] = "velmonar\0Velmonar";
    XChangeProperty(d, xid, XA_WM_CLASS, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(kClass), sizeof kClass);
    XWMHints* hints = XAllocWMHints();
    hints->input = True;
    hints->flags = InputHint;
    XSetWMHints(d, xid, hints);
    XFree(hints);
    Fl_X::i(w)->sendxjunk();  // fixed size, no decorations
    if (w->label()) window_layer::SetUtf8Title(xid, w->label());
    if (n->topmost) window_layer::SetAbove(xid, true, false);
    XFlush(d);
    return true;
}

BOOL EnumDisplaySettingsA(LPCSTR, DWORD, DEVMODEA* settings)
{
    if (!settings) return FALSE;
    LayerDisplay();
    int x, y, w, h;
    Fl::screen_xywh(x, y, w, h, 0);
    settings->dmBitsPerPel = 24;
    settings->dmPelsWidth = static_cast<DWORD>(w);
    settings->dmPelsHeight = static_cast<DWORD>(h);
    settings->dmDisplayFrequency = 60;
    return TRUE;
}
