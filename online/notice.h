// The one way the program tells the player something that is not a
// validation message: the CTablichka notice box, from any thread; a worker
// waits while the interface thread shows it. Tests put a recorder in its place.
#pragma once

#include "platform/strings.h"

typedef void (*NoticeFunction)(const CString& text);

// The notice box itself (the default of g_noticeFunction).
void ShowNoticeBox(const CString& text);

extern NoticeFunction g_noticeFunction;

// Shows text (Windows-1251) through g_noticeFunction; returns once it is closed.
void ShowNotice(const CString& text);

// An error in the platform's message box (hand icon); tests swap it too.
extern NoticeFunction g_errorBoxFunction;
void ShowErrorBox(const CString& text);
