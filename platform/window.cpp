#define FL_INTERNALS 1
#include "platform/window.h"

#include <FL/Fl.H>
#include <FL/Fl_BMP_Image.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Secret_Input.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <X11/Xatom.h>
#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/process.h"
#include "platform/threads.h"
#include "platform/window_input.h"
#include "platform/window_native.h"

struct IconResource {
    std::unique_ptr<Fl_RGB_Image> image;
};
struct BrushResource {
    COLORREF colour;
};
struct BitmapResource {
    std::unique_ptr<Fl_RGB_Image> image;
};

namespace {

class LayerWindow;

struct TimerRecord {
    CWnd* window;
    UINT_PTR id;
    double seconds;
};

}  // namespace

// The toolkit side of a CWnd: a top-level FLTK window, or a dialog control.
struct NativeWindow {
    explicit NativeWindow(CWnd* owner) : owner(owner), dc{owner} {}
    ~NativeWindow()
    {
        // A control object that goes before its dialog unhooks itself.
        if (boundTo) {
            auto& list = boundTo->boundControls;
            list.erase(std::remove(list.begin(), list.end(), owner), list.end());
        }
    }

    CWnd* owner;
    DeviceContext dc;
    LayerWindow* window = nullptr;          // top-level windows
    Fl_Widget* control = nullptr;           // controls bound by DDX_Control
    NativeWindow* boundTo = nullptr;        // the dialog a control is bound in
    int pixelFormat = 0;
    Colormap colormap = 0;
    bool running = false;                   // between WM_INITDIALOG and WM_DESTROY
    bool minimised = false;
    bool topmost = false;
    bool hidingByProgram = false;
    bool programResize = false;
    int sizeW = -1, sizeH = -1;             // size of the last WM_SIZE
    std::map<UINT_PTR, TimerRecord*> timers;
    std::map<int, Fl_Widget*> controls;     // by control id
    std::map<int, std::unique_ptr<CWnd>> itemWrappers;
    std::vector<CWnd*> boundControls;
    CString title;
};

namespace {

std::string g_resourceFolder;
std::vector<CDialog*> g_runningDialogs;  // innermost last
volatile sig_atomic_t g_signalSeen = 0;
int g_signalPipe[2] = {-1, -1};
bool g_endAllBySignal = false;

const long kEventMask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask |
                        KeymapStateMask | FocusChangeMask | ButtonPressMask | ButtonReleaseMask |
                        EnterWindowMask | LeaveWindowMask | PropertyChangeMask | PointerMotionMask;

std::string ResourcePath(UINT id)
{
    std::string folder = g_resourceFolder.empty() ? GetProgramFolder() : g_resourceFolder;
    return folder + "/dialogs/" + std::to_string(id) + ".bmp";
}

// Reads a BMP picture; null when missing or unreadable.
std::unique_ptr<Fl_RGB_Image> LoadBmp(UINT id)
{
    const std::string path = ResourcePath(id);
    if (access(path.c_str(), R_OK) != 0) return nullptr;
    std::unique_ptr<Fl_RGB_Image> image(new Fl_BMP_Image(path.c_str()));
    if (image->w() <= 0 || image->h() <= 0 || image->d() == 0 || image->count() == 0) return nullptr;
    return image;
}

void Dispatch(CWnd* window, UINT message, WPARAM w = 0, LPARAM l = 0)
{
    if (window) window->SendMessage(message, w, l);
}

void SendSize(NativeWindow* n, UINT type, int cx, int cy)
{
    if (n->pixelFormat != 0) GlWindowResized(n->owner);
    if (type != SIZE_MINIMIZED) {
        n->sizeW = cx;
        n->sizeH = cy;
    }
    Dispatch(n->owner, WM_SIZE, type, MAKELPARAM(cx, cy));
}

bool MainWindowIsTopmost();

// Sets or clears _NET_WM_STATE_ABOVE: through the window manager when the
// window is on screen, as a property before it is mapped.
void SetAbove(Window xid, bool above, bool mapped)
{
    Display* d = LayerDisplay();
    Atom state = XInternAtom(d, "_NET_WM_STATE", False);
    Atom aboveAtom = XInternAtom(d, "_NET_WM_STATE_ABOVE", False);
    if (mapped) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = xid;
        e.xclient.message_type = state;
        e.xclient.format = 32;
        e.xclient.data.l[0] = above ? 1 : 0;
        e.xclient.data.l[1] = static_cast<long>(aboveAtom);
        e.xclient.data.l[2] = 0;
        e.xclient.data.l[3] = 1;
        XSendEvent(d, RootWindow(d, LayerScreen()), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &e);
        if (above) XRaiseWindow(d, xid);
    } else if (above) {
        XChangeProperty(d, xid, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&aboveAtom), 1);
    } else {
        XDeleteProperty(d, xid, state);
    }
    XFlush(d);
}

// Window titles as UTF-8 in every name property (the toolkit writes WM_NAME as
// Latin-1 text, which tools then read as mojibake).
void SetUtf8Title(Window xid, const std::string& utf8)
{
    if (xid == 0) return;
    Display* d = LayerDisplay();
    Atom utf8String = XInternAtom(d, "UTF8_STRING", False);
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.c_str());
    const int length = static_cast<int>(utf8.size());
    for (const char* name : {"WM_NAME", "WM_ICON_NAME", "_NET_WM_NAME", "_NET_WM_ICON_NAME"})
        XChangeProperty(d, xid, XInternAtom(d, name, False), utf8String, 8, PropModeReplace, bytes, length);
    XFlush(d);
}

bool WindowIsViewable(Window xid)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(LayerDisplay(), xid, &a)) return false;
    return a.map_state == IsViewable;
}

// Waits (without handling events) until the X server has the window mapped
// and at the wanted size, or a short while has passed (a window manager may
// decide otherwise).
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

class LayerWindow : public Fl_Window {
public:
    LayerWindow(NativeWindow* n, int x, int y, int w, int h) : Fl_Window(x, y, w, h), m_n(n)
    {
        end();
        border(0);
        box(FL_NO_BOX);
        callback(CloseRequested, n);
    }

    int handle(int event) override
    {
        switch (event) {
        case FL_SHOW: {
            int r = Fl_Window::handle(event);
            if (m_n->minimised && m_n->running) {
                m_n->minimised = false;
                SendSize(m_n, SIZE_RESTORED, w(), h());
            }
            return r;
        }
        case FL_HIDE: {
            int r = Fl_Window::handle(event);
            if (!m_n->hidingByProgram && !m_n->minimised && m_n->running) {
                m_n->minimised = true;
                SendSize(m_n, SIZE_MINIMIZED, 0, 0);
            }
            return r;
        }
        case FL_ENTER:
        case FL_LEAVE:
        case FL_FOCUS:
        case FL_UNFOCUS:
            Fl_Window::handle(event);
            return 1;
        default:
            break;
        }
        if (event != FL_MOUSEWHEEL && Fl_Window::handle(event)) return 1;
        InputEvent e;
        if (!Translate(event, e)) return 0;
        return DispatchInput(*m_n->owner, e) ? 1 : 0;
    }

    void flush() override
    {
        if (m_n->pixelFormat == 0) {
            Fl_Window::flush();
            return;
        }
        // A GL window: its owner paints with GL; nothing is drawn by the toolkit.
        GlMakeWindowContextCurrent(m_n->owner);
        Dispatch(m_n->owner, WM_PAINT);
    }

    void resize(int x, int y, int w, int h) override
    {
        bool sized = w != this->w() || h != this->h();
        Fl_Window::resize(x, y, w, h);
        if (sized && !m_n->programResize && m_n->running && !m_n->minimised &&
            (w != m_n->sizeW || h != m_n->sizeH))
            SendSize(m_n, SIZE_RESTORED, w, h);
    }

    void MarkShown() { set_visible(); }

private:
    static void CloseRequested(Fl_Widget*, void* data)
    {
        auto* n = static_cast<NativeWindow*>(data);
        Dispatch(n->owner, WM_CLOSE);
    }

    static bool Translate(int event, InputEvent& e)
    {
        e.x = Fl::event_x();
        e.y = Fl::event_y();
        e.rootX = Fl::event_x_root();
        e.rootY = Fl::event_y_root();
        const int state = Fl::event_state();
        e.leftHeld = (state & FL_BUTTON1) != 0;
        e.rightHeld = (state & FL_BUTTON3) != 0;
        switch (event) {
        case FL_PUSH:
            e.kind = InputKind::Press;
            e.button = Fl::event_button();
            e.clicks = Fl::event_clicks();
            if (e.button == 1) e.leftHeld = true;
            if (e.button == 3) e.rightHeld = true;
            return true;
        case FL_RELEASE:
            e.kind = InputKind::Release;
            e.button = Fl::event_button();
            if (e.button == 1) e.leftHeld = false;
            if (e.button == 3) e.rightHeld = false;
            return true;
        case FL_MOVE:
        case FL_DRAG:
            e.kind = InputKind::Move;
            return true;
        case FL_MOUSEWHEEL:
            e.kind = InputKind::Wheel;
            e.wheelSteps = Fl::event_dy();
            return e.wheelSteps != 0;
        case FL_KEYBOARD:
        case FL_SHORTCUT: {
            e.kind = InputKind::Key;
            const int key = Fl::event_key();
            if (key == FL_Escape) e.key = InputKey::Escape;
            else if (key == FL_Enter || key == FL_KP_Enter) e.key = InputKey::Enter;
            else return false;
            return true;
        }
        default:
            return false;
        }
    }

    NativeWindow* m_n;
};

void TimerTick(void* data)
{
    auto* t = static_cast<TimerRecord*>(data);
    // Re-armed from now before the handler runs: a handler that blocks gets
    // one tick afterwards, never a backlog, and a nested loop inside the
    // handler keeps receiving ticks.
    Fl::add_timeout(t->seconds, TimerTick, t);
    t->window->SendMessage(WM_TIMER, t->id);
}

void RemoveTimers(NativeWindow* n)
{
    for (auto& entry : n->timers) {
        Fl::remove_timeout(TimerTick, entry.second);
        delete entry.second;
    }
    n->timers.clear();
}

void CentreOnPrimary(int w, int h, int& x, int& y)
{
    int sx, sy, sw, sh;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    x = sx + (sw - w) / 2;
    y = sy + (sh - h) / 2;
}

Fl_Color ToFlColour(COLORREF c)
{
    return fl_rgb_color(static_cast<uchar>(c & 0xFF), static_cast<uchar>((c >> 8) & 0xFF),
                        static_cast<uchar>((c >> 16) & 0xFF));
}

void ShowTopLevel(NativeWindow* n)
{
    LayerWindow* w = n->window;
    if (n->pixelFormat != 0 && fl_xid(w) != 0) {
        Window xid = fl_xid(w);
        XMapRaised(LayerDisplay(), xid);
        WaitForWindow(xid, w->w(), w->h(), true);
        w->MarkShown();
        return;
    }
    if (!w->shown()) {
        w->show();
        if (n->topmost || MainWindowIsTopmost()) SetAbove(fl_xid(w), true, true);
    } else {
        w->show();
    }
    WaitForWindow(fl_xid(w), w->w(), w->h(), true);
}

void DestroyNative(CWnd* owner)
{
    NativeWindow* n = owner->m_native;
    if (!n) return;
    RemoveTimers(n);
    std::vector<CWnd*> bound;
    bound.swap(n->boundControls);
    for (CWnd* c : bound)
        if (c->m_native) {
            c->m_native->boundTo = nullptr;
            delete c->m_native;
            c->m_native = nullptr;
        }
    if (n->window) {
        if (n->pixelFormat != 0) GlForgetWindow(owner);
        n->hidingByProgram = true;
        n->window->hide();
        delete n->window;
        n->window = nullptr;
    }
    if (n->colormap) XFreeColormap(LayerDisplay(), n->colormap);
    delete n;
    owner->m_native = nullptr;
}

bool MainWindowIsTopmost()
{
    CWnd* main = AfxGetMainWnd();
    return main && main->m_native && main->m_native->topmost;
}

void SignalArrived(int fd, void*)
{
    char buffer[16];
    while (read(fd, buffer, sizeof buffer) > 0) {
    }
    g_endAllBySignal = true;
    std::vector<CDialog*> running = g_runningDialogs;
    for (CDialog* d : running) d->EndDialog(IDCANCEL);
}

void OnSignal(int sig)
{
    if (g_signalSeen) _exit(128 + sig);  // a second signal while the first waits: leave now
    const int savedErrno = errno;  // the interrupted code may be looking at errno
    g_signalSeen = 1;
    char c = 1;
    ssize_t ignored = write(g_signalPipe[1], &c, 1);
    (void)ignored;
    errno = savedErrno;
}

void InstallSignalHandlers()
{
    if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    Fl::add_fd(g_signalPipe[0], FL_READ, SignalArrived);
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

CWinApp* g_app = nullptr;

}  // namespace

bool TerminationRequested()
{
    return g_signalSeen != 0;
}

// ---------------------------------------------------------------- display

Display* LayerDisplay()
{
    InitInterfaceThread();
    fl_open_display();
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

bool EndRequestedBySignal()
{
    return g_endAllBySignal;
}

void KeepAboveWhenMainIsTopmost(Window xid)
{
    if (xid != 0 && MainWindowIsTopmost()) SetAbove(xid, true, WindowIsViewable(xid));
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
    attr.event_mask = kEventMask;
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
    long pid = getpid();
    XChangeProperty(d, xid, XInternAtom(d, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&pid), 1);
    Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    XChangeProperty(d, xid, XInternAtom(d, "WM_PROTOCOLS", False), XA_ATOM, 32, PropModeReplace,
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
    if (w->label()) SetUtf8Title(xid, w->label());
    if (n->topmost) SetAbove(xid, true, false);
    XFlush(d);
    return true;
}

// ---------------------------------------------------------------- input

bool DispatchInput(CWnd& window, const InputEvent& e)
{
    const UINT held = (e.leftHeld ? MK_LBUTTON : 0) | (e.rightHeld ? MK_RBUTTON : 0);
    const LPARAM point = MAKELPARAM(e.x, e.y);
    switch (e.kind) {
    case InputKind::Press: {
        const bool second = (e.clicks % 2) == 1;
        if (e.button == 1) window.SendMessage(second ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, held, point);
        else if (e.button == 3) window.SendMessage(second ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN, held, point);
        else return false;
        return true;
    }
    case InputKind::Release:
        if (e.button == 1) window.SendMessage(WM_LBUTTONUP, held, point);
        else if (e.button == 3) window.SendMessage(WM_RBUTTONUP, held, point);
        else return false;
        return true;
    case InputKind::Move:
        window.SendMessage(WM_MOUSEMOVE, held, point);
        return true;
    case InputKind::Wheel: {
        if (e.wheelSteps == 0) return false;
        const int delta = -WHEEL_DELTA * e.wheelSteps;
        const WPARAM w = (held & 0xFFFFu) | ((static_cast<WPARAM>(delta) & 0xFFFFu) << 16);
        window.SendMessage(WM_MOUSEWHEEL, w, MAKELPARAM(e.rootX, e.rootY));
        return true;
    }
    case InputKind::Key: {
        if (e.key == InputKey::Escape) {
            window.SendMessage(WM_COMMAND, IDCANCEL);
            return true;
        }
        if (e.key == InputKey::Enter) {
            window.SendMessage(WM_COMMAND, IDOK);  // a dialog passes it to its default button
            return true;
        }
        return false;
    }
    }
    return false;
}

// ---------------------------------------------------------------- small things

int GetSystemMetrics(int index)
{
    return index == SM_CXICON || index == SM_CYICON ? 32 : 0;
}

COLORREF CDC::SetBkColor(COLORREF colour)
{
    COLORREF old = m_bkColour;
    m_bkColour = colour;
    return old;
}

COLORREF CDC::SetTextColor(COLORREF colour)
{
    COLORREF old = m_textColour;
    m_textColour = colour;
    return old;
}

BOOL CDC::DrawIcon(int, int, HICON)
{
    return TRUE;
}

CClientDC::CClientDC(CWnd* window)
{
    if (window && window->m_native) m_hDC = &window->m_native->dc;
}
CClientDC::~CClientDC() = default;

CPaintDC::CPaintDC(CWnd* window)
{
    if (window && window->m_native) m_hDC = &window->m_native->dc;
}
CPaintDC::~CPaintDC() = default;

HBRUSH CreateSolidBrush(COLORREF colour)
{
    return new BrushResource{colour};
}

COLORREF BrushColour(HBRUSH brush)
{
    return brush ? brush->colour : RGB(0, 0, 0);
}

HBITMAP LoadImageA(HINSTANCE, LPCSTR name, UINT type, int, int, UINT)
{
    if (type != IMAGE_BITMAP) return nullptr;
    const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
    auto image = LoadBmp(id);
    if (!image) return nullptr;
    auto* bitmap = new BitmapResource;
    bitmap->image = std::move(image);
    return bitmap;
}

void SetResourceFolder(const char* folder)
{
    g_resourceFolder = folder ? folder : "";
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

int DialogUnitsToPixelsX(int units)
{
    return units * 3 / 2;
}

int DialogUnitsToPixelsY(int units)
{
    return units * 13 / 8;
}

// ---------------------------------------------------------------- CWnd

const CWnd CWnd::wndTopMost;
const CWnd CWnd::wndNoTopMost;

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_native && m_native->control) {
        delete m_native;
        m_native = nullptr;
    } else {
        DestroyNative(this);
    }
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    NativeWindow* n = m_native;
    if (!n || !n->window) return FALSE;
    LayerWindow* w = n->window;
    const bool wasShown = w->shown() && WindowIsViewable(fl_xid(w));
    if (insertAfter == &wndTopMost) n->topmost = true;
    if (insertAfter == &wndNoTopMost) n->topmost = false;

    int nx = (flags & SWP_NOMOVE) ? w->x() : x;
    int ny = (flags & SWP_NOMOVE) ? w->y() : y;
    int nw = (flags & SWP_NOSIZE) ? w->w() : std::max(cx, 0);
    int nh = (flags & SWP_NOSIZE) ? w->h() : std::max(cy, 0);
    n->programResize = true;
    w->resize(nx, ny, std::max(nw, 1), std::max(nh, 1));
    n->programResize = false;

    if (w->shown()) {
        if (insertAfter == &wndTopMost || insertAfter == &wndNoTopMost)
            SetAbove(fl_xid(w), n->topmost, wasShown);
        else if (insertAfter == nullptr && wasShown)
            XRaiseWindow(LayerDisplay(), fl_xid(w));
    }
    if ((flags & SWP_SHOWWINDOW) && !wasShown) {
        ShowTopLevel(n);
        if (n->topmost) SetAbove(fl_xid(w), true, true);
    } else if (w->shown()) {
        WaitForWindow(fl_xid(w), w->w(), w->h(), false);
    }
    // The size message arrives before SetWindowPos returns, as on Windows.
    if (nw != n->sizeW || nh != n->sizeH) SendSize(n, SIZE_RESTORED, nw, nh);
    return TRUE;
}

BOOL CWnd::ShowWindow(int command)
{
    NativeWindow* n = m_native;
    if (!n || !n->window) return FALSE;
    const BOOL wasVisible = n->window->shown() && n->window->visible();
    switch (command) {
    case SW_HIDE:
        n->hidingByProgram = true;
        if (n->window->shown()) XUnmapWindow(LayerDisplay(), fl_xid(n->window));
        n->hidingByProgram = false;
        break;
    case SW_SHOWMINIMIZED:
        if (!n->window->shown()) ShowTopLevel(n);
        n->minimised = true;
        n->window->iconize();
        XFlush(LayerDisplay());
        SendSize(n, SIZE_MINIMIZED, 0, 0);
        break;
    default:
        ShowTopLevel(n);
        if (n->minimised) {
            n->minimised = false;
            SendSize(n, SIZE_RESTORED, n->window->w(), n->window->h());
        }
        break;
    }
    return wasVisible;
}

void CWnd::GetWindowRect(LPRECT rect) const
{
    if (!rect) return;
    if (!m_native || !m_native->window) {
        *rect = RECT{0, 0, 0, 0};
        return;
    }
    const LayerWindow* w = m_native->window;
    *rect = RECT{w->x(), w->y(), w->x() + w->w(), w->y() + w->h()};
}

void CWnd::GetClientRect(LPRECT rect) const
{
    if (!rect) return;
    if (!m_native || !m_native->window) {
        *rect = RECT{0, 0, 0, 0};
        return;
    }
    *rect = RECT{0, 0, m_native->window->w(), m_native->window->h()};
}

BOOL CWnd::IsIconic() const
{
    return m_native && m_native->minimised;
}

void CWnd::SetWindowText(LPCTSTR text)
{
    if (!m_native) return;
    m_native->title = text;
    const std::string utf8 = Cp1251ToUtf8(m_native->title.str());
    if (m_native->window) {
        m_native->window->copy_label(utf8.c_str());
        if (m_native->window->shown()) SetUtf8Title(fl_xid(m_native->window), utf8);
    } else if (m_native->control) m_native->control->copy_label(utf8.c_str());
}

CString CWnd::GetWindowText() const
{
    return m_native ? m_native->title : CString();
}

HICON CWnd::SetIcon(HICON icon, BOOL)
{
    if (m_native && m_native->window && icon && icon->image) m_native->window->icon(icon->image.get());
    return icon;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*)
{
    if (!m_native) return 0;
    KillTimer(id);
    auto* record = new TimerRecord{this, id, std::max<UINT>(elapseMs, 10) / 1000.0};
    m_native->timers[id] = record;
    Fl::add_timeout(record->seconds, TimerTick, record);
    return id;
}

BOOL CWnd::KillTimer(UINT_PTR id)
{
    if (!m_native) return FALSE;
    auto it = m_native->timers.find(id);
    if (it == m_native->timers.end()) return FALSE;
    Fl::remove_timeout(TimerTick, it->second);
    delete it->second;
    m_native->timers.erase(it);
    return TRUE;
}

CWnd* CWnd::GetDlgItem(int id) const
{
    if (!m_native) return nullptr;
    auto it = m_native->controls.find(id);
    if (it == m_native->controls.end()) return nullptr;
    auto& wrapper = m_native->itemWrappers[id];
    if (!wrapper) {
        wrapper.reset(new CWnd);
        wrapper->m_native = new NativeWindow(wrapper.get());
        wrapper->m_native->control = it->second;
        wrapper->m_native->boundTo = m_native;
        m_native->boundControls.push_back(wrapper.get());
    }
    return wrapper.get();
}

void CWnd::Invalidate(BOOL)
{
    if (m_native && m_native->window) m_native->window->redraw();
}

HDC CWnd::GetDC()
{
    return m_native ? &m_native->dc : nullptr;
}

int CWnd::ReleaseDC(HDC)
{
    return 1;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(LparamX(lParam), LparamY(lParam));
    const UINT flags = static_cast<UINT>(wParam & 0xFFFF);
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<void*>(lParam));
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), static_cast<int>(lParam & 0xFFFF),
               static_cast<int>((lParam >> 16) & 0xFFFF));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(flags, point);
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, point);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, point);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(flags, point);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, point);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, point);
        return 0;
    case WM_RBUTTONDBLCLK:
        OnRButtonDblClk(flags, point);
        return 0;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(flags, static_cast<short>((wParam >> 16) & 0xFFFF), point);
    case WM_COMMAND:
        return OnCommand(flags);
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    case WM_CTLCOLOR:
        return reinterpret_cast<LRESULT>(
            OnCtlColor(reinterpret_cast<CDC*>(wParam), this, static_cast<UINT>(lParam)));
    default:
        return 0;
    }
}

BOOL CWnd::OnCommand(UINT)
{
    return FALSE;
}
int CWnd::OnCreate(void*)
{
    return 0;
}
void CWnd::OnSize(UINT, int, int) {}
void CWnd::OnPaint() {}
void CWnd::OnDestroy() {}
void CWnd::OnTimer(UINT_PTR) {}
void CWnd::OnMouseMove(UINT, CPoint) {}
void CWnd::OnLButtonDown(UINT, CPoint) {}
void CWnd::OnLButtonUp(UINT, CPoint) {}
void CWnd::OnLButtonDblClk(UINT, CPoint) {}
void CWnd::OnRButtonDown(UINT, CPoint) {}
void CWnd::OnRButtonUp(UINT, CPoint) {}
void CWnd::OnRButtonDblClk(UINT, CPoint) {}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return FALSE;
}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    return nullptr;
}
HCURSOR CWnd::OnQueryDragIcon()
{
    return nullptr;
}
void CWnd::OnClose() {}

// ---------------------------------------------------------------- CButton

HBITMAP CButton::SetBitmap(HBITMAP bitmap)
{
    HBITMAP old = m_bitmap;
    m_bitmap = bitmap;
    if (m_native && m_native->control && bitmap && bitmap->image) {
        m_native->control->label(nullptr);
        m_native->control->image(bitmap->image.get());
        m_native->control->redraw();
    }
    return old;
}

// ---------------------------------------------------------------- CDialog

CDialog::CDialog(const DialogTemplate& dialogTemplate, CWnd* parent)
    : m_pParentWnd(parent), m_template(dialogTemplate)
{
}

CDialog::~CDialog()
{
    DestroyNative(this);
}

void CDialog::EndDialog(int result)
{
    m_ending = true;
    m_result = result;
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCommand(UINT id)
{
    if (id == static_cast<UINT>(IDOK)) {
        OnOK();
        return TRUE;
    }
    if (id == static_cast<UINT>(IDCANCEL)) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return OnInitDialog();
    if (message == WM_CLOSE) return OnCommand(IDCANCEL);
    if (message == WM_COMMAND && (wParam & 0xFFFF) == static_cast<WPARAM>(IDOK)) {
        // Enter presses the template's default button (IDOK unless another is marked).
        for (const DialogControl& c : m_template.controls)
            if (c.kind == CONTROL_BUTTON && (c.style & CONTROL_DEFAULT)) return OnCommand(c.id);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    if (!dx || !dx->m_pDlgWnd || !dx->m_pDlgWnd->m_native) return;
    auto& controls = dx->m_pDlgWnd->m_native->controls;
    auto it = controls.find(id);
    if (it == controls.end()) return;
    if (auto* input = dynamic_cast<Fl_Input*>(it->second)) {
        if (dx->m_bSaveAndValidate) value = CString(Utf8ToCp1251(input->value()));
        else input->value(Cp1251ToUtf8(value.str()).c_str());
        return;
    }
    if (dx->m_bSaveAndValidate) value = CString(Utf8ToCp1251(it->second->label() ? it->second->label() : ""));
    else {
        it->second->copy_label(Cp1251ToUtf8(value.str()).c_str());
        it->second->redraw();
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (!dx || !dx->m_pDlgWnd || !dx->m_pDlgWnd->m_native || control.m_native) return;
    NativeWindow* dialog = dx->m_pDlgWnd->m_native;
    auto it = dialog->controls.find(id);
    if (it == dialog->controls.end()) return;
    control.m_native = new NativeWindow(&control);
    control.m_native->control = it->second;
    control.m_native->boundTo = dialog;
    dialog->boundControls.push_back(&control);
}

namespace {

struct ButtonBinding {
    CDialog* dialog;
    int id;
};

void ButtonCallback(Fl_Widget*, void* data)
{
    auto* b = static_cast<ButtonBinding*>(data);
    b->dialog->SendMessage(WM_COMMAND, static_cast<WPARAM>(b->id));
}

}  // namespace

INT_PTR CDialog::DoModal()
{
    if (!IsInterfaceThread()) {
        INT_PTR result = -1;
        RunOnInterfaceThread([&] { result = RunModalHere(); });
        return result;
    }
    return RunModalHere();
}

INT_PTR CDialog::RunModalHere()
{
    InitInterfaceThread();
    LayerDisplay();
    m_ending = false;
    m_result = IDCANCEL;

    const int w = DialogUnitsToPixelsX(m_template.cx);
    const int h = DialogUnitsToPixelsY(m_template.cy);
    int x = 0, y = 0;
    CentreOnPrimary(std::max(w, 1), std::max(h, 1), x, y);
    DestroyNative(this);
    m_native = new NativeWindow(this);
    m_native->window = new LayerWindow(m_native, x, y, std::max(w, 1), std::max(h, 1));
    m_native->window->set_modal();
    g_runningDialogs.push_back(this);

    if (SendMessage(WM_CREATE) == -1) {
        g_runningDialogs.pop_back();
        DestroyNative(this);
        return -1;
    }
    SendSize(m_native, SIZE_RESTORED, w, h);

    // Controls, coloured as OnCtlColor asks.
    std::vector<std::unique_ptr<ButtonBinding>> bindings;
    if (!m_template.controls.empty()) {
        CDC dc;
        HBRUSH back = OnCtlColor(&dc, this, CTLCOLOR_DLG);
        if (back) {
            m_native->window->box(FL_FLAT_BOX);
            m_native->window->color(ToFlColour(BrushColour(back)));
        } else {
            m_native->window->box(FL_FLAT_BOX);
        }
        m_native->window->begin();
        for (const DialogControl& c : m_template.controls) {
            const int cx = DialogUnitsToPixelsX(c.x), cy = DialogUnitsToPixelsY(c.y);
            const int cw = DialogUnitsToPixelsX(c.cx), ch = DialogUnitsToPixelsY(c.cy);
            const std::string text = Cp1251ToUtf8(c.text ? c.text : "");
            Fl_Widget* widget = nullptr;
            CDC controlDc;
            if (c.kind == CONTROL_STATIC) {
                auto* box = new Fl_Box(cx, cy, cw, ch);
                box->copy_label(text.c_str());
                box->labelsize(12);
                box->align(((c.style & CONTROL_CENTRE) ? FL_ALIGN_CENTER : FL_ALIGN_LEFT) | FL_ALIGN_INSIDE |
                           FL_ALIGN_CLIP);
                HBRUSH b = OnCtlColor(&controlDc, this, CTLCOLOR_STATIC);
                if (b) box->labelcolor(ToFlColour(controlDc.m_textColour));
                widget = box;
            } else if (c.kind == CONTROL_EDIT) {
                Fl_Input* input = (c.style & CONTROL_PASSWORD) ? new Fl_Secret_Input(cx, cy, cw, ch)
                                                               : new Fl_Input(cx, cy, cw, ch);
                input->textsize(12);
                if (c.style & CONTROL_READONLY) input->readonly(1);
                HBRUSH b = OnCtlColor(&controlDc, this, CTLCOLOR_EDIT);
                if (b) {
                    input->color(ToFlColour(controlDc.m_bkColour));
                    input->textcolor(ToFlColour(controlDc.m_textColour));
                    input->cursor_color(ToFlColour(controlDc.m_textColour));
                }
                widget = input;
            } else {
                auto* button = new Fl_Button(cx, cy, cw, ch);
                button->copy_label(text.c_str());
                button->labelsize(12);
                auto binding = std::make_unique<ButtonBinding>(ButtonBinding{this, c.id});
                button->callback(ButtonCallback, binding.get());
                bindings.push_back(std::move(binding));
                widget = button;
            }
            m_native->controls[c.id] = widget;
        }
        m_native->window->end();
    }

    m_native->running = true;
    SendMessage(WM_INITDIALOG);
    if (!m_ending && m_template.visible && m_native && m_native->window) ShowTopLevel(m_native);
    while (!m_ending) Fl::wait(1.0);
    if (m_native) m_native->running = false;
    SendMessage(WM_DESTROY);
    g_runningDialogs.erase(std::remove(g_runningDialogs.begin(), g_runningDialogs.end(), this),
                           g_runningDialogs.end());
    DestroyNative(this);
    return m_result;
}

// ---------------------------------------------------------------- CWinApp

CWinApp::CWinApp(LPCTSTR)
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

HICON CWinApp::LoadIcon(UINT id) const
{
    auto image = LoadBmp(id);
    if (!image) return nullptr;
    auto* icon = new IconResource;
    icon->image = std::move(image);
    return icon;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return nullptr;
}

CWnd* AfxGetMainWnd()
{
    if (g_app && g_app->m_pMainWnd) return g_app->m_pMainWnd;
    return g_runningDialogs.empty() ? nullptr : g_runningDialogs.front();
}

void AfxWinMain(CWinApp& app)
{
    InitInterfaceThread();
    InstallSignalHandlers();
    app.InitInstance();
    // Worker threads may still wait on the network: leave without running
    // static destructors under them.
    std::fflush(nullptr);
    _exit(ExitStatus());
}
