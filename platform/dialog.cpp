// Modal dialogs: the nested event loop, EndDialog, data exchange with the
// controls, bitmap buttons.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Secret_Input.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <string>

#include "platform/threads.h"
#include "platform/window.h"
#include "platform/window_native.h"

using window_layer::DestroyNative;
using window_layer::LayerWindow;
using window_layer::RunningDialogs;
using window_layer::SendSize;
using window_layer::ShowTopLevel;

namespace {

const int CONTROL_TEXT_SIZE = 12;    // pixels: the text of every dialog control
const int SMALLEST_LABEL_SIZE = 8;   // a long static label shrinks no further

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

struct ButtonBinding {
    CDialog* dialog;
    int id;
};

void ButtonCallback(Fl_Widget*, void* data)
{
    auto* b = static_cast<ButtonBinding*>(data);
    // lParam 1: a click on the button itself, never redirected to the default button.
    b->dialog->SendMessage(WM_COMMAND, static_cast<WPARAM>(b->id), 1);
}

}  // namespace

std::vector<CDialog*>& window_layer::RunningDialogs()
{
    static std::vector<CDialog*> running;
    return running;
}

void window_layer::SetControlText(Fl_Widget* control, const std::string& utf8)
{
    control->copy_label(utf8.c_str());
    if (!dynamic_cast<Fl_Box*>(control)) return;
    int size = CONTROL_TEXT_SIZE;
    for (; size > SMALLEST_LABEL_SIZE; --size) {
        fl_font(control->labelfont(), size);
        if (fl_width(utf8.c_str()) <= control->w() - 6) break;  // the toolkit insets a label by 3 each side
    }
    control->labelsize(size);
    control->redraw();
}

int DialogUnitsToPixelsX(int units)
{
    return units * 3 / 2;
}

int DialogUnitsToPixelsY(int units)
{
    return units * 13 / 8;
}

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
    if (message == WM_COMMAND && (wParam & 0xFFFF) == static_cast<WPARAM>(IDOK) && lParam == 0) {
        // Enter presses the template's default button (IDOK unless another is
        // marked); a click on the IDOK button itself stays IDOK.
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
        window_layer::SetControlText(it->second, Cp1251ToUtf8(value.str()));
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
    RunningDialogs().push_back(this);

    if (SendMessage(WM_CREATE) == -1) {
        RunningDialogs().pop_back();
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
                window_layer::SetControlText(box, text);
                box->align(((c.style & CONTROL_CENTRE) ? FL_ALIGN_CENTER : FL_ALIGN_LEFT) | FL_ALIGN_INSIDE |
                           FL_ALIGN_CLIP);
                HBRUSH b = OnCtlColor(&controlDc, this, CTLCOLOR_STATIC);
                if (b) box->labelcolor(ToFlColour(controlDc.m_textColour));
                widget = box;
            } else if (c.kind == CONTROL_EDIT) {
                Fl_Input* input = (c.style & CONTROL_PASSWORD) ? new Fl_Secret_Input(cx, cy, cw, ch)
                                                               : new Fl_Input(cx, cy, cw, ch);
                input->textsize(CONTROL_TEXT_SIZE);
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
                button->labelsize(CONTROL_TEXT_SIZE);
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
    auto& running = RunningDialogs();
    running.erase(std::remove(running.begin(), running.end(), this), running.end());
    DestroyNative(this);
    return m_result;
}
