// How toolkit input becomes the messages the handlers expect.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/window.h"
#include "platform/window_input.h"

namespace {

// Writes down each message as the handlers would see it.
class Listener : public CWnd {
public:
    std::vector<std::string> log;

protected:
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
    {
        std::string name;
        switch (message) {
        case WM_LBUTTONDOWN: name = "ldown"; break;
        case WM_LBUTTONUP: name = "lup"; break;
        case WM_LBUTTONDBLCLK: name = "ldbl"; break;
        case WM_RBUTTONDOWN: name = "rdown"; break;
        case WM_RBUTTONUP: name = "rup"; break;
        case WM_RBUTTONDBLCLK: name = "rdbl"; break;
        case WM_MOUSEMOVE: name = "move"; break;
        case WM_MOUSEWHEEL: name = "wheel"; break;
        case WM_COMMAND: name = "command"; break;
        default: name = "other"; break;
        }
        if (message == WM_MOUSEWHEEL)
            name += " " + std::to_string(static_cast<short>((w >> 16) & 0xFFFF)) + " flags " +
                    std::to_string(w & 0xFFFF);
        else if (message == WM_COMMAND)
            name += " " + std::to_string(w);
        else
            name += " " + std::to_string(LparamX(l)) + "," + std::to_string(LparamY(l)) + " flags " +
                    std::to_string(w);
        log.push_back(name);
        return CWnd::WindowProc(message, w, l);
    }
};

InputEvent Press(int button, int clicks, int x = 5, int y = 7)
{
    InputEvent e;
    e.kind = InputKind::Press;
    e.button = button;
    e.clicks = clicks;
    e.x = x;
    e.y = y;
    e.leftHeld = button == 1;
    e.rightHeld = button == 3;
    return e;
}

InputEvent Release(int button, int x = 5, int y = 7)
{
    InputEvent e;
    e.kind = InputKind::Release;
    e.button = button;
    e.x = x;
    e.y = y;
    return e;
}

TEST(MouseInput, TheSecondPressOfADoubleClickIsNotAPress)
{
    Listener w;
    // Three quick presses: down, double click, and a plain down again.
    for (int clicks = 0; clicks < 3; ++clicks) {
        DispatchInput(w, Press(1, clicks));
        DispatchInput(w, Release(1));
    }
    const std::vector<std::string> expected = {"ldown 5,7 flags 1", "lup 5,7 flags 0", "ldbl 5,7 flags 1",
                                               "lup 5,7 flags 0", "ldown 5,7 flags 1", "lup 5,7 flags 0"};
    EXPECT_EQ(w.log, expected);
}

TEST(MouseInput, RightDoubleClicksAndOtherButtons)
{
    Listener w;
    DispatchInput(w, Press(3, 0));
    DispatchInput(w, Press(3, 1));
    EXPECT_FALSE(DispatchInput(w, Press(2, 0)));
    EXPECT_EQ(w.log, (std::vector<std::string>{"rdown 5,7 flags 2", "rdbl 5,7 flags 2"}));
}

TEST(MouseInput, MovesWithAButtonHeldAreMouseMoves)
{
    Listener w;
    InputEvent move;
    move.kind = InputKind::Move;
    move.x = -3;  // a drag may leave the window
    move.y = 2000;
    DispatchInput(w, move);
    move.leftHeld = true;
    DispatchInput(w, move);
    EXPECT_EQ(w.log, (std::vector<std::string>{"move -3,2000 flags 0", "move -3,2000 flags 1"}));
}

TEST(MouseInput, TheWheelGives120PerNotchAwayFromTheUser)
{
    Listener w;
    InputEvent wheel;
    wheel.kind = InputKind::Wheel;
    wheel.wheelSteps = -1;  // away from the user
    DispatchInput(w, wheel);
    wheel.wheelSteps = 2;  // two notches towards the user
    DispatchInput(w, wheel);
    wheel.wheelSteps = 0;
    EXPECT_FALSE(DispatchInput(w, wheel));
    EXPECT_EQ(w.log, (std::vector<std::string>{"wheel 120 flags 0", "wheel -240 flags 0"}));
}

TEST(KeyboardInput, EnterAndEscapeAreTheDialogCommands)
{
    Listener w;
    InputEvent key;
    key.kind = InputKind::Key;
    key.key = InputKey::Enter;
    DispatchInput(w, key);
    key.key = InputKey::Escape;
    DispatchInput(w, key);
    key.key = InputKey::Other;
    EXPECT_FALSE(DispatchInput(w, key));
    EXPECT_EQ(w.log, (std::vector<std::string>{"command " + std::to_string(IDOK),
                                               "command " + std::to_string(IDCANCEL)}));
}

TEST(Rectangles, TheRightAndBottomEdgesAreOutside)
{
    CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(29, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(29, 40)));
    CRect empty(0, 50, 0, 50);
    EXPECT_FALSE(empty.PtInRect(CPoint(0, 50)));
}

}  // namespace
