// How toolkit input becomes the messages the handlers expect.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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
        static const std::map<UINT, std::string> kNames = {
            {WM_LBUTTONDOWN, "ldown"}, {WM_LBUTTONUP, "lup"},   {WM_LBUTTONDBLCLK, "ldbl"}, {WM_RBUTTONDOWN, "rdown"},
            {WM_RBUTTONUP, "rup"},     {WM_RBUTTONDBLCLK, "rdbl"}, {WM_MOUSEMOVE, "move"},  {WM_MOUSEWHEEL, "wheel"}};
        const auto known = kNames.find(message);
        std::string name = known != kNames.end() ? known->second : "other";
        if (message == WM_MOUSEWHEEL)
            name += " " + std::to_string(static_cast<short>((w >> 16) & 0xFFFF)) + " flags " +
                    std::to_string(w & 0xFFFF);
        else
            name += " " + std::to_string(LparamX(l)) + "," + std::to_string(LparamY(l)) + " flags " +
                    std::to_string(w);
        log.push_back(name);
        return CWnd::WindowProc(message, w, l);
    }
};

// A press (clicks: 0 a first press, 1 the second of a double click) or,
// with clicks -1, a release of the button at x, y.
InputEvent Button(int button, int clicks, int x = 5, int y = 7)
{
    InputEvent e;
    e.kind = clicks < 0 ? InputKind::Release : InputKind::Press;
    e.button = button;
    e.clicks = std::max(clicks, 0);
    e.x = x;
    e.y = y;
    e.leftHeld = clicks >= 0 && button == 1;
    e.rightHeld = clicks >= 0 && button == 3;
    return e;
}

// Three quick presses (down, double click, a plain down again), the right
// button, a drag that leaves the window, then the wheel.
TEST(MouseInput, TheSecondPressOfADoubleClickIsNoPressMovesKeepTheButtonAndTheWheelGives120PerNotch)
{
    Listener w;
    for (int clicks = 0; clicks < 3; ++clicks) {
        DispatchInput(w, Button(1, clicks));
        DispatchInput(w, Button(1, -1));
    }
    DispatchInput(w, Button(3, 0));
    DispatchInput(w, Button(3, 1));
    EXPECT_FALSE(DispatchInput(w, Button(2, 0)));  // other buttons are not passed on
    InputEvent move;
    move.kind = InputKind::Move;
    move.x = -3;  // a drag may leave the window
    move.y = 2000;
    DispatchInput(w, move);
    move.leftHeld = true;
    DispatchInput(w, move);
    InputEvent wheel;
    wheel.kind = InputKind::Wheel;
    wheel.wheelSteps = -1;  // away from the user
    DispatchInput(w, wheel);
    wheel.wheelSteps = 2;  // two notches towards the user
    DispatchInput(w, wheel);
    wheel.wheelSteps = 0;
    EXPECT_FALSE(DispatchInput(w, wheel));
    const std::vector<std::string> expected = {
        "ldown 5,7 flags 1",    "lup 5,7 flags 0",      "ldbl 5,7 flags 1",  "lup 5,7 flags 0",
        "ldown 5,7 flags 1",    "lup 5,7 flags 0",      "rdown 5,7 flags 2", "rdbl 5,7 flags 2",
        "move -3,2000 flags 0", "move -3,2000 flags 1", "wheel 120 flags 0", "wheel -240 flags 0"};
    EXPECT_EQ(w.log, expected);
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
