// The toolkit's top-level window and how its input becomes Windows-style
// messages.
#include <FL/Fl.H>

#include "platform/threads.h"
#include "platform/window.h"
#include "platform/window_input.h"
#include "platform/window_native.h"

namespace window_layer {

namespace {

bool Translate(int event, InputEvent& e)
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

}  // namespace

LayerWindow::LayerWindow(NativeWindow* n, int x, int y, int w, int h) : Fl_Window(x, y, w, h), m_n(n)
{
    end();
    border(0);
    box(FL_NO_BOX);
    callback(CloseRequested, n);
}

int LayerWindow::handle(int event)
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
    case FL_MOVE:
    case FL_DRAG:
        // The group keeps track of the widget under the mouse and reports
        // every move as used; the window's owner gets it all the same.
        Fl_Window::handle(event);
        break;
    default:
        if (event != FL_MOUSEWHEEL && Fl_Window::handle(event)) return 1;
        break;
    }
    InputEvent e;
    if (!Translate(event, e)) return 0;
    ReportPointerAt(e);
    return DispatchInput(*m_n->owner, e) ? 1 : 0;
}

void LayerWindow::flush()
{
    if (m_n->pixelFormat == 0) {
        Fl_Window::flush();
        return;
    }
    // A GL window: its owner paints with GL; nothing is drawn by the toolkit.
    GlMakeWindowContextCurrent(m_n->owner);
    Dispatch(m_n->owner, WM_PAINT);
}

void LayerWindow::resize(int x, int y, int w, int h)
{
    bool sized = w != this->w() || h != this->h();
    Fl_Window::resize(x, y, w, h);
    if (sized && !m_n->programResize && m_n->running && !m_n->minimised &&
        (w != m_n->sizeW || h != m_n->sizeH))
        SendSize(m_n, SIZE_RESTORED, w, h);
}

// The toolkit may hold a move back and deliver it after a press that came
// in the same batch of events; the handlers expect the move to the press's
// point first (they act on what the move picked), so it is sent first.
void LayerWindow::ReportPointerAt(const InputEvent& e)
{
    const bool button = e.kind == InputKind::Press || e.kind == InputKind::Release;
    if (button && (!m_n->pointerKnown || e.x != m_n->pointerX || e.y != m_n->pointerY)) {
        InputEvent move = e;
        move.kind = InputKind::Move;
        // The buttons as they were before this event.
        if (e.kind == InputKind::Press) {
            if (e.button == 1) move.leftHeld = false;
            if (e.button == 3) move.rightHeld = false;
        } else {
            if (e.button == 1) move.leftHeld = true;
            if (e.button == 3) move.rightHeld = true;
        }
        DispatchInput(*m_n->owner, move);
    }
    if (button || e.kind == InputKind::Move) {
        m_n->pointerKnown = true;
        m_n->pointerX = e.x;
        m_n->pointerY = e.y;
    }
}

void LayerWindow::CloseRequested(Fl_Widget*, void* data)
{
    auto* n = static_cast<NativeWindow*>(data);
    Dispatch(n->owner, WM_CLOSE);
}

}  // namespace window_layer

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

void DrawPendingWindows()
{
    if (IsInterfaceThread()) Fl::flush();
}
