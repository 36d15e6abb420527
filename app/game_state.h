// The game flow's own flags: what only the main window's handlers and the
// timer use. The flags other layers read live with them: the board and the
// phase in rules/board.h, the frame's state in scene/frame_state.h, the
// online game in online/online_state.h, the interface's in
// interface/interface_state.h.
#pragma once

extern int g_textWindowOpener;    // 1 caption help button, 2 the menu's rules entry
extern int g_newGameGoesOnline;   // 1 the new-game prompt came from the online banner
extern int g_mouseHeld;           // 1 from WM_LBUTTONDOWN to WM_LBUTTONUP

// --- drags of the option panels and of the help text ---
extern int g_dragKnob[4];         // [0..2] red, green, blue ramp grabbed
extern int g_dragScrollThumb;     // the help text's scroll thumb is grabbed

// --- polling of the server ---
extern int g_pollSuspended;       // 1 no ping until the start-up load is done
extern int g_pollTicks;           // ticks since the last server ping
