#define FL_INTERNALS 1
#include "platform/message_box.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <string>

#include "platform/strings.h"
#include "platform/threads.h"
#include "platform/window_native.h"

namespace {

// Label text drawn as written: the toolkit reads '@' in a label as the start
// of a symbol and drops the text after it, so each '@' is doubled.
std::string LiteralLabel(const std::string& text)
{
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '@') out += '@';
    }
    return out;
}

void CloseBox(Fl_Widget* widget, void*)
{
    Fl_Window* window = widget->as_window() ? widget->as_window() : widget->window();
    if (window) window->hide();
}

// A modal box with the text, an icon for MB_ICONHAND and an OK button; runs
// its own loop (timers of other windows keep ticking) until it is closed.
void ShowBox(const std::string& text, const std::string& caption, UINT type)
{
    LayerDisplay();
    const bool stopIcon = (type & MB_ICONHAND) != 0;
    fl_font(FL_HELVETICA, 14);
    int textW = 0, textH = 0;
    fl_measure(text.c_str(), textW, textH, 0);
    const int iconW = stopIcon ? 56 : 0;
    const int w = std::min(std::max(textW + iconW + 40, 260), 900);
    const int h = std::max(textH, 40) + 80;

    Fl_Window window(w, h);
    window.copy_label(caption.c_str());
    window.set_modal();
    window.callback(CloseBox);
    if (stopIcon) {
        auto* icon = new Fl_Box(16, 16, 40, 40, "X");
        icon->box(FL_OVAL_BOX);
        icon->color(FL_RED);
        icon->labelcolor(FL_WHITE);
        icon->labelfont(FL_HELVETICA_BOLD);
        icon->labelsize(20);
    }
    auto* message = new Fl_Box(20 + iconW, 16, w - 40 - iconW, h - 70);
    message->copy_label(LiteralLabel(text).c_str());
    message->labelsize(14);
    message->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    auto* ok = new Fl_Return_Button((w - 90) / 2, h - 44, 90, 28, "OK");
    ok->callback(CloseBox);
    window.end();
    int sx, sy, sw, sh;
    Fl::screen_xywh(sx, sy, sw, sh, 0);
    window.position(sx + (sw - w) / 2, sy + (sh - h) / 2);
    window.show();
    KeepAboveWhenMainIsTopmost(fl_xid(&window));
    while (window.shown() && !EndRequestedBySignal()) Fl::wait(1.0);
    window.hide();
}

}  // namespace

int (*g_messageBoxHook)(const char*, const char*, UINT) = nullptr;

int MessageBoxA(void*, const char* text, const char* caption, UINT type)
{
    if (g_messageBoxHook) return g_messageBoxHook(text ? text : "", caption ? caption : "", type);
    const std::string utf8Text = Cp1251ToUtf8(text ? text : "");
    const std::string utf8Caption = Cp1251ToUtf8(caption ? caption : "");
    RunOnInterfaceThread([&] { ShowBox(utf8Text, utf8Caption, type); });
    return IDOK;
}

int AfxMessageBox(const char* text, UINT type)
{
    return MessageBoxA(nullptr, text, "Velmonar", type);
}
