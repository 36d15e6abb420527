// The one way the online code tells the player something: a modal notice
// shown by the interface thread while the calling worker waits for it to be
// closed. Tests put a recorder in its place.
#pragma once

#include "platform/strings.h"

typedef void (*NoticeFunction)(const CString& text);

// The platform's message box until the notice dialog exists.
void ShowNoticeInMessageBox(const CString& text);

extern NoticeFunction g_noticeFunction;

// Shows text through g_noticeFunction.
void ShowNotice(const CString& text);

// An error in the platform's message box (hand icon); tests swap it too.
extern NoticeFunction g_errorBoxFunction;
void ShowErrorBox(const CString& text);
