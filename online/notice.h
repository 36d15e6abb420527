// The one way the program shows a notice (not a validation message): the
// CTablichka box, from any thread; a worker waits while the interface thread
// shows it.
#pragma once

// Shows text (Windows-1251) and returns once the box is closed.
void ShowNotice(const char* text);

// When set, ShowNotice calls this instead of opening the box (tests record
// the notices with it). Null in the program.
extern void (*g_noticeHook)(const char* text);
