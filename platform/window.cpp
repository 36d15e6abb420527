// Windows: the CWnd calls, their messages, timers and the life of a window's
// toolkit side.
#include <FL/Fl.H>
#include <FL/x.H>

#include <algorithm>
#include <string>

#include "platform/window.h"
#include "platform/window_native.h"

using window_layer::LayerWindow;
using window_layer::SetAbove;
using window_layer::SetUtf8Title;
using window_layer::TimerRecord;
using window_layer::WaitForWindow;
using window_layer::WindowIsViewable;

NativeWindow::NativeWindow(CWnd* owner) : owner(owner), dc{owner} {}

NativeWindow::~NativeWindow()
{
    // A control object that goes before its dialog unhooks itself.
    if (boundTo) {
        auto& list = boundTo->boundControls;
        list.erase(std::remove(list.begin(), list.end(), owner), list.end());
    }
}

namespace {

std::chrono::steady_clock::duration Interval(const TimerRecord* t)
{
    return std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(t->seconds));
}

void TimerTick(void* data)
{
    auto* t = static_cast<TimerRecord*>(data);
    const auto now = std::chrono::steady_clock::now();
    // The toolkit shortens a timeout re-armed inside a late callback by how
    // late it was; a tick that comes early is put off to its due time.
    if (now < t->due) {
        Fl::add_timeout(std::chrono::duration<double>(t->due - now).count(), TimerTick, t);
        return;
    }
    // Re-armed from now before the handler runs: a handler that blocks gets
    // one tick afterwards, never a backlog, and a nested loop inside the
    // handler keeps receiving ticks.
    t->due = now + Interval(t);
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

}  // namespace

namespace window_layer {

void Dispatch(CWnd* window, UINT message, WPARAM w, LPARAM l)
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
        // Off the screen now, not at the next event loop: the code after a
        // dialog may block for a while (a network exchange, a pause).
        XFlush(LayerDisplay());
    }
    if (n->colormap) XFreeColormap(LayerDisplay(), n->colormap);
    delete n;
    owner->m_native = nullptr;
}

}  // namespace window_layer

using window_layer::DestroyNative;
using window_layer::SendSize;
using window_layer::ShowTopLevel;

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
    } else if (m_native->control) window_layer::SetControlText(m_native->control, utf8);
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
    auto* record = new TimerRecord{this, id, std::max<UINT>(elapseMs, 10) / 1000.0, {}};
    record->due = std::chrono::steady_clock::now() + Interval(record);
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
