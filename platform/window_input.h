// Inside the platform layer: how toolkit input becomes window messages.
// Kept apart from the toolkit so tests can feed events directly.
#pragma once

class CWnd;  // platform/window.h

enum class InputKind { Press, Release, Move, Wheel, Key };
enum class InputKey { Other, Enter, Escape };

struct InputEvent {
    InputKind kind = InputKind::Move;
    int button = 0;        // 1 left, 2 middle, 3 right
    int clicks = 0;        // presses before this one in a quick series (0 a single press)
    int x = 0, y = 0;      // client coordinates
    int rootX = 0, rootY = 0;  // screen coordinates
    int wheelSteps = 0;    // notches; positive towards the user
    InputKey key = InputKey::Other;
    bool leftHeld = false;   // buttons down after this event
    bool rightHeld = false;
};

// Sends the messages one event stands for: a quick second press is a double
// click (the press itself is not delivered), a third press is a plain press
// again; moves with or without a button are WM_MOUSEMOVE; a wheel notch away
// from the user is +WHEEL_DELTA; Enter is the default button's command
// (IDOK), Esc is IDCANCEL. Returns whether the event meant anything.
bool DispatchInput(CWnd& window, const InputEvent& event);
