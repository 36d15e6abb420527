// Inside the platform layer: what the window, dialog, application and GL parts
// share about a window's toolkit and X side. Not for game code.
#pragma once

#include <chrono>

#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/strings.h"
#include "platform/window_input.h"
#include "platform/wintypes.h"

class CWnd;    // platform/window.h
class CDialog;

struct DeviceContext {
    CWnd* window;
};

struct IconResource {
    std::unique_ptr<Fl_RGB_Image> image;
};
struct BrushResource {
    COLORREF colour;
};
struct BitmapResource {
    std::unique_ptr<Fl_RGB_Image> image;
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

namespace window_layer {

class LayerWindow;

struct TimerRecord {
    CWnd* window;
    UINT_PTR id;
    double seconds;
    std::chrono::steady_clock::time_point due;  // no tick before this
};

}  // namespace window_layer

// The toolkit side of a CWnd: a top-level FLTK window, or a dialog control.
struct NativeWindow {
    explicit NativeWindow(CWnd* owner);
    ~NativeWindow();

    CWnd* owner;
    DeviceContext dc;
    window_layer::LayerWindow* window = nullptr;  // top-level windows
    Fl_Widget* control = nullptr;                 // controls bound by DDX_Control
    NativeWindow* boundTo = nullptr;              // the dialog a control is bound in
    int pixelFormat = 0;
    Colormap colormap = 0;
    bool running = false;                         // between WM_INITDIALOG and WM_DESTROY
    bool minimised = false;
    bool topmost = false;
    bool hidingByProgram = false;
    bool programResize = false;
    int sizeW = -1, sizeH = -1;                   // size of the last WM_SIZE
    bool pointerKnown = false;                    // a move has been reported ...
    int pointerX = 0, pointerY = 0;               // ... at this client point
    std::map<UINT_PTR, window_layer::TimerRecord*> timers;
    std::map<int, Fl_Widget*> controls;           // by control id
    std::map<int, std::unique_ptr<CWnd>> itemWrappers;
    std::vector<CWnd*> boundControls;
    CString title;
};

namespace window_layer {

// The events every X window of ours listens to.
constexpr long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                            KeymapStateMask | FocusChangeMask | ButtonPressMask | ButtonReleaseMask |
                            EnterWindowMask | LeaveWindowMask | PropertyChangeMask | PointerMotionMask;

// A top-level window: its toolkit events become the owner's messages.
class LayerWindow : public Fl_Window {
public:
    LayerWindow(NativeWindow* n, int x, int y, int w, int h);

    int handle(int event) override;
    void flush() override;
    void resize(int x, int y, int w, int h) override;
    void MarkShown() { set_visible(); }

private:
    static void CloseRequested(Fl_Widget*, void* data);
    // A press or release away from the last reported move: that move first.
    void ReportPointerAt(const InputEvent& e);

    NativeWindow* m_n;
};

// --- messages and window life (window.cpp) ---
void Dispatch(CWnd* window, UINT message, WPARAM w = 0, LPARAM l = 0);
// WM_SIZE, remembering the size (a GL window's viewport follows first).
void SendSize(NativeWindow* n, UINT type, int cx, int cy);
// Maps a top-level window and waits until it is on screen.
void ShowTopLevel(NativeWindow* n);
// Removes a window's toolkit side with its timers and bound controls.
void DestroyNative(CWnd* owner);

// --- window-manager requests (window_manager.cpp) ---
// X atoms of the window-manager protocols, looked up once per display.
struct WindowManagerAtoms {
    Atom state;          // _NET_WM_STATE
    Atom stateAbove;     // _NET_WM_STATE_ABOVE
    Atom utf8String;     // UTF8_STRING
    Atom name;           // WM_NAME
    Atom iconName;       // WM_ICON_NAME
    Atom netName;        // _NET_WM_NAME
    Atom netIconName;    // _NET_WM_ICON_NAME
    Atom pid;            // _NET_WM_PID
    Atom protocols;      // WM_PROTOCOLS
    Atom deleteWindow;   // WM_DELETE_WINDOW
};
const WindowManagerAtoms& Atoms();
// Sets or clears _NET_WM_STATE_ABOVE: through the window manager when the
// window is on screen, as a property before it is mapped.
void SetAbove(Window xid, bool above, bool mapped);
// The title as UTF-8 in every name property.
void SetUtf8Title(Window xid, const std::string& utf8);
bool WindowIsViewable(Window xid);
// Waits (without handling events) until the window is mapped and at the
// wanted size, or a short while has passed.
void WaitForWindow(Window xid, int w, int h, bool mapped);
bool MainWindowIsTopmost();

// --- pictures (resources.cpp) ---
// Picture id of the dialogs folder through g_pictureReader; null when it
// cannot be read. Never throws.
std::unique_ptr<Fl_RGB_Image> LoadPicture(UINT id);

// --- dialogs (dialog.cpp) ---
// The dialogs whose modal loop runs, innermost last.
std::vector<CDialog*>& RunningDialogs();

// Sets a control's text. A static's text is drawn at the dialogs' size, or
// smaller when that is too wide for its box, so a long label is not cut off.
void SetControlText(Fl_Widget* control, const std::string& utf8);

}  // namespace window_layer
