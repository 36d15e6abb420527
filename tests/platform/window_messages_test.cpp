// Message order, modal loops, placement and timers of the window layer.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/window.h"
#include "platform/window_input.h"

namespace {

DialogTemplate Template(UINT id, int cx, int cy, bool visible = true)
{
    return DialogTemplate{id, 0, 0, cx, cy, visible, {}};
}

// Records every message it gets; the test decides in OnInitDialog and
// OnTimer what happens next.
class Recorder : public CDialog {
public:
    explicit Recorder(const DialogTemplate& t) : CDialog(t) {}
    std::vector<std::string> log;
    std::function<void(Recorder&)> onInit;
    std::function<void(Recorder&)> onTimer;
    UINT lastSizeType = 99;
    int lastCx = -1, lastCy = -1;

protected:
    int OnCreate(void* cs) override
    {
        log.push_back("create");
        return CDialog::OnCreate(cs);
    }
    void OnSize(UINT type, int cx, int cy) override
    {
        log.push_back("size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy));
        lastSizeType = type;
        lastCx = cx;
        lastCy = cy;
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        log.push_back("init");
        if (onInit) onInit(*this);
        return TRUE;
    }
    void OnTimer(UINT_PTR) override
    {
        log.push_back("timer");
        if (onTimer) onTimer(*this);
    }
    void OnMouseMove(UINT flags, CPoint point) override { Log("move", point, (flags & MK_LBUTTON) ? " held" : ""); }
    void OnLButtonDown(UINT, CPoint point) override { Log("press", point); }
    void OnLButtonUp(UINT, CPoint point) override { Log("release", point); }
    void OnOK() override { log.push_back("ok"); }
    void OnCancel() override { log.push_back("cancel"); }
    void OnDestroy() override { log.push_back(Fl::first_window() ? "destroy shown" : "destroy never shown"); }

private:
    void Log(const char* what, CPoint point, const char* tail = "")
    {
        log.push_back(std::string(what) + " " + std::to_string(point.x) + "," + std::to_string(point.y) + tail);
    }
};

// Runs body once the dialog's loop runs (from its first tick), then ends it.
void RunShown(Recorder& d, const std::function<void(Recorder&)>& body)
{
    d.onInit = [](Recorder& r) { r.SetTimer(1, 20, nullptr); };
    d.onTimer = [&body](Recorder& r) {
        r.KillTimer(1);
        body(r);
        r.EndDialog(IDOK);
    };
    d.DoModal();
}

TEST(DialogMessages, CreateSizeInitThenTheLoopThenDestroy)
{
    Recorder d(Template(901, 100, 60));
    d.onInit = [](Recorder& r) { r.SetTimer(1, 20, nullptr); };
    d.onTimer = [](Recorder& r) {
        r.KillTimer(1);
        r.EndDialog(IDOK);
        r.log.push_back("after EndDialog");  // the handler goes on after EndDialog
    };
    EXPECT_EQ(d.DoModal(), IDOK);
    const std::vector<std::string> expected = {"create", "size 0 150x97", "init", "timer", "after EndDialog",
                                               "destroy shown"};
    EXPECT_EQ(d.log, expected);
}

TEST(DialogMessages, ADialogEndedWhileInitialisingIsNeverShownAndAFailedCreationNeverInitialises)
{
    Recorder ended(Template(902, 100, 60));
    ended.onInit = [](Recorder& r) { r.EndDialog(IDCANCEL); };
    EXPECT_EQ(ended.DoModal(), IDCANCEL);
    ASSERT_FALSE(ended.log.empty());
    EXPECT_EQ(ended.log.back(), "destroy never shown");

    class Failing : public Recorder {
    public:
        Failing() : Recorder(Template(903, 50, 50)) {}
        int OnCreate(void*) override
        {
            log.push_back("create");
            return -1;
        }
    } failing;
    EXPECT_EQ(failing.DoModal(), -1);
    EXPECT_EQ(failing.log, std::vector<std::string>{"create"});
}

// Enter and Escape are the dialog's OK and Cancel commands (other keys are
// not passed on), and so is the window manager's close button Cancel.
TEST(DialogMessages, KeysAndTheCloseRequestBecomeCommands)
{
    Recorder d(Template(904, 100, 60));
    RunShown(d, [](Recorder& r) {
        for (const InputKey key : {InputKey::Enter, InputKey::Escape, InputKey::Other}) {
            InputEvent press;
            press.kind = InputKind::Key;
            press.key = key;
            EXPECT_EQ(DispatchInput(r, press), key != InputKey::Other);
        }
        // The window manager's close button: the toolkit window's callback.
        Fl_Window* window = Fl::first_window();
        ASSERT_NE(window, nullptr);
        window->do_callback();
    });
    std::vector<std::string> commands;
    for (const auto& entry : d.log)
        if (entry == "ok" || entry == "cancel") commands.push_back(entry);
    EXPECT_EQ(commands, (std::vector<std::string>{"ok", "cancel", "cancel"}));
}

TEST(DialogMessages, PointerMovesReachTheHandlerAndAlwaysLeadToAPress)
{
    Recorder d(Template(906, 100, 60));
    RunShown(d, [](Recorder&) {
        Fl_Window* window = Fl::first_window();
        ASSERT_NE(window, nullptr);
        const auto send = [window](int event, int x, int y, int state) {
            Fl::e_x = x;
            Fl::e_y = y;
            Fl::e_state = state;
            Fl::e_keysym = FL_Button + 1;
            Fl::e_clicks = 0;
            window->handle(event);
        };
        send(FL_MOVE, 40, 30, 0);
        send(FL_PUSH, 40, 30, FL_BUTTON1);    // where the pointer was reported: no move
        send(FL_DRAG, 41, 30, FL_BUTTON1);
        send(FL_RELEASE, 45, 33, 0);          // the move to it first, still held
        send(FL_PUSH, 60, 70, FL_BUTTON1);    // a move the toolkit has not delivered yet
        send(FL_RELEASE, 60, 70, 0);
    });
    std::vector<std::string> input;
    for (const auto& entry : d.log)
        if (entry.rfind("move", 0) == 0 || entry.rfind("press", 0) == 0 || entry.rfind("release", 0) == 0)
            input.push_back(entry);
    EXPECT_EQ(input, (std::vector<std::string>{"move 40,30", "press 40,30", "move 41,30 held", "move 45,33 held",
                                               "release 45,33", "move 60,70", "press 60,70", "release 60,70"}));
}

TEST(WindowPlacement, SetWindowPosAndMinimiseSendTheSizeBeforeReturning)
{
    Recorder d(Template(905, 100, 60));
    d.onInit = [](Recorder& r) {
        r.SetWindowPos(nullptr, 10, 20, 400, 300, SWP_SHOWWINDOW);
        EXPECT_EQ(r.lastSizeType, SIZE_RESTORED);
        EXPECT_EQ(r.lastCx, 400);
        EXPECT_EQ(r.lastCy, 300);
        CRect rect;
        r.GetWindowRect(&rect);
        EXPECT_EQ(rect.Width(), 400);
        EXPECT_EQ(rect.Height(), 300);
        CRect client;
        r.GetClientRect(&client);
        EXPECT_EQ(client.Width(), 400);
        ASSERT_NE(Fl::first_window(), nullptr);  // on screen already

        r.ShowWindow(SW_SHOWMINIMIZED);
        EXPECT_EQ(r.lastSizeType, SIZE_MINIMIZED);
        EXPECT_EQ(r.lastCx, 0);
        EXPECT_EQ(r.lastCy, 0);
        EXPECT_TRUE(r.IsIconic());
        r.ShowWindow(SW_RESTORE);
        EXPECT_EQ(r.lastSizeType, SIZE_RESTORED);
        EXPECT_FALSE(r.IsIconic());
        r.EndDialog(IDOK);
    };
    d.DoModal();
    EXPECT_EQ(d.lastCx, 400);
}

TEST(WindowPlacement, TheDisplaySizeIsThePrimaryScreen)
{
    DEVMODEA mode{};
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(mode.dmPelsWidth, 1920u);   // the size tests/xvfb-exec gives its server
    EXPECT_EQ(mode.dmPelsHeight, 1080u);
}

TEST(Timers, TicksKeepComingInsideANestedModalDialog)
{
    Recorder outer(Template(906, 100, 60));
    Recorder inner(Template(907, 60, 30));
    int depth = 0, nestedTicks = 0;
    outer.onInit = [](Recorder& r) { r.SetTimer(1, 15, nullptr); };
    outer.onTimer = [&](Recorder& r) {
        if (depth > 0) {
            // Re-entered while the inner dialog's loop runs.
            if (++nestedTicks == 3) inner.EndDialog(IDOK);
            return;
        }
        ++depth;
        EXPECT_EQ(inner.DoModal(), IDOK);
        --depth;
        r.KillTimer(1);
        r.EndDialog(IDOK);
    };
    outer.DoModal();
    EXPECT_EQ(nestedTicks, 3);
}

TEST(Timers, ABlockingHandlerIsFollowedByOneTickNotABacklog)
{
    Recorder d(Template(908, 100, 60));
    std::vector<DWORD> ticks;
    DWORD blockEnded = 0;
    d.onInit = [](Recorder& r) { r.SetTimer(1, 20, nullptr); };
    d.onTimer = [&](Recorder& r) {
        ticks.push_back(GetTickCount());
        if (ticks.size() == 1) {
            Sleep(500);  // 25 intervals without an event loop
            blockEnded = GetTickCount();
        }
        if (ticks.size() == 4) {
            r.KillTimer(1);
            r.EndDialog(IDOK);
        }
    };
    d.DoModal();
    ASSERT_EQ(ticks.size(), 4u);
    int soonAfterBlock = 0;
    for (size_t i = 1; i < ticks.size(); ++i)
        if (ticks[i] - blockEnded < 12) ++soonAfterBlock;
    EXPECT_LE(soonAfterBlock, 1);
}

}  // namespace
