// Modal message boxes (OK button), shown above every other window of the program.
#pragma once

#include "platform/wintypes.h"

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr int IDOK = 1;

// Shows text in a modal box with the given caption and waits until it is
// closed. Texts are Windows-1251. Safe to call from any thread: a worker waits
// while the interface thread shows the box.
int MessageBoxA(void* owner, const char* text, const char* caption, UINT type);

// For tests and fuzz runs only: when set, MessageBoxA (and AfxMessageBox)
// hands the box to this function and shows nothing, so no run waits for a
// click. The program never sets it.
extern int (*g_messageBoxHook)(const char* text, const char* caption, UINT type);
int AfxMessageBox(const char* text, UINT type = MB_OK);
