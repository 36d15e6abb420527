// The real main dialog after a real start-up, for the tests that drive it:
// the start-up on a quick fake clock (every look 250 ms later, no pause)
// against a program folder, a body run once the dialog is up, then the
// base dialog's end; and presses and keys as the toolkit delivers them.
#pragma once

#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
#include <FL/Fl.H>

#include <functional>
#include <string>

#include "app/VelmonarDlg.h"
#include "app/host_tables.h"
#include "app/startup_loader.h"
#include "interface/clock_hooks.h"
#include "platform/window_input.h"

inline DWORD QuickClock()
{
    static DWORD now = 0;
    return now += 250;
}
inline void NoSleep(DWORD) {}

// Runs the main dialog on folder: the program's host tables first (as the
// application installs them), the clock hooks, the start-up, body(dialog)
// delay seconds after the loop began, then EndDialog(IDCANCEL); returns what
// DoModal returned (a start-up that fails ends before the body runs). flyIn,
// when given, stands in for the start-up's fly-in of the first panel.
inline INT_PTR RunMainDialog(const std::string& folder, const std::function<void(CVelmonarDlg&)>& body,
                             double delay = 0.3, void (*flyIn)(bool) = nullptr)
{
    InstallHostTables();
    g_startupHooks.programFolder = folder;
    if (flyIn) g_startupHooks.flyIn = flyIn;
    g_clockHooks.tick = QuickClock;
    g_clockHooks.sleep = NoSleep;
    struct Run {
        explicit Run(const std::function<void(CVelmonarDlg&)>& b) : body(b) {}
        CVelmonarDlg dialog;
        const std::function<void(CVelmonarDlg&)>& body;
    } run(body);
    const Fl_Timeout_Handler then = [](void* data) {
        Run& r = *static_cast<Run*>(data);
        r.body(r.dialog);
        r.dialog.EndDialog(IDCANCEL);
    };
    Fl::add_timeout(delay, then, &run);
    const INT_PTR result = run.dialog.DoModal();
    Fl::remove_timeout(then, &run);
    ResetStartupHooks();
    return result;
}

// A left press at (x, y) in window coordinates, and its release.
inline void PressAt(CWnd& window, int x, int y, bool release = true)
{
    InputEvent e;
    e.kind = InputKind::Press;
    e.button = 1;
    e.x = x;
    e.y = y;
    DispatchInput(window, e);
    if (!release) return;
    e.kind = InputKind::Release;
    DispatchInput(window, e);
}
// A press at the centre of a rectangle.
inline void Press(CWnd& window, const RECT& r, bool release = true)
{
    PressAt(window, (r.left + r.right) / 2, (r.top + r.bottom) / 2, release);
}
inline void Key(CWnd& window, InputKey key)
{
    InputEvent e;
    e.kind = InputKind::Key;
    e.key = key;
    DispatchInput(window, e);
}
