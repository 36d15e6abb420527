// Requests to the window manager: keeping a window above the others, UTF-8
// titles, waiting until a window is on screen.
#include <FL/x.H>
#include <X11/Xatom.h>

#include <chrono>
#include <thread>

#include "platform/window.h"
#include "platform/window_native.h"

namespace window_layer {

const WindowManagerAtoms& Atoms()
{
    static WindowManagerAtoms atoms{};
    static Display* internedFor = nullptr;
    Display* d = LayerDisplay();
    if (internedFor != d) {
        // One round trip for all of them, in the order of the struct.
        static const char* const kNames[] = {"_NET_WM_STATE", "_NET_WM_STATE_ABOVE", "UTF8_STRING",
                                             "WM_NAME",       "WM_ICON_NAME",        "_NET_WM_NAME",
                                             "_NET_WM_ICON_NAME", "_NET_WM_PID",    "WM_PROTOCOLS",
                                             "WM_DELETE_WINDOW"};
        constexpr int kCount = sizeof kNames / sizeof kNames[0];
        static_assert(kCount * sizeof(Atom) == sizeof(WindowManagerAtoms), "one name per atom");
        char* names[kCount];
        for (int i = 0; i < kCount; ++i) names[i] = const_cast<char*>(kNames[i]);  // Xlib wants char**
        Atom found[kCount] = {};
        XInternAtoms(d, names, kCount, False, found);
        atoms = WindowManagerAtoms{found[0], found[1], found[2], found[3], found[4],
                                   found[5], found[6], found[7], found[8], found[9]};
        internedFor = d;
    }
    return atoms;
}

void SetAbove(Window xid, bool above, bool mapped)
{
    Display* d = LayerDisplay();
    const WindowManagerAtoms& a = Atoms();
    Atom aboveAtom = a.stateAbove;
    if (mapped) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = xid;
        e.xclient.message_type = a.state;
        e.xclient.format = 32;
        e.xclient.data.l[0] = above ? 1 : 0;
        e.xclient.data.l[1] = static_cast<long>(aboveAtom);
        e.xclient.data.l[2] = 0;
        e.xclient.data.l[3] = 1;
        XSendEvent(d, RootWindow(d, LayerScreen()), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &e);
        if (above) XRaiseWindow(d, xid);
    } else if (above) {
        XChangeProperty(d, xid, a.state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&aboveAtom), 1);
    } else {
        XDeleteProperty(d, xid, a.state);
    }
    XFlush(d);
}

// Every name property gets the UTF-8 text: the toolkit writes WM_NAME as
// Latin-1 text, which tools then read as mojibake.
void SetUtf8Title(Window xid, const std::string& utf8)
{
    if (xid == 0) return;
    Display* d = LayerDisplay();
    const WindowManagerAtoms& a = Atoms();
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.c_str());
    const int length = static_cast<int>(utf8.size());
    for (Atom name : {a.name, a.iconName, a.netName, a.netIconName})
        XChangeProperty(d, xid, name, a.utf8String, 8, PropModeReplace, bytes, length);
    XFlush(d);
}

bool WindowIsViewable(Window xid)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(LayerDisplay(), xid, &a)) return false;
    return a.map_state == IsViewable;
}

// Gives up after a short while: a window manager may decide otherwise.
void WaitForWindow(Window xid, int w, int h, bool mapped)
{
    Display* d = LayerDisplay();
    XSync(d, False);
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (std::chrono::steady_clock::now() < until) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, xid, &a)) return;
        bool mapOk = !mapped || a.map_state == IsViewable;
        bool sizeOk = w <= 0 || (a.width == w && a.height == h);
        if (mapOk && sizeOk) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

bool MainWindowIsTopmost()
{
    CWnd* main = AfxGetMainWnd();
    return main && main->m_native && main->m_native->topmost;
}

}  // namespace window_layer

void KeepAboveWhenMainIsTopmost(Window xid)
{
    using namespace window_layer;
    if (xid != 0 && MainWindowIsTopmost()) SetAbove(xid, true, WindowIsViewable(xid));
}
