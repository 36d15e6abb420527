// The handful of Windows-style scalar types and constants the game code uses.
// Our own definitions, sized as the game code expects them.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef std::uint32_t DWORD;
typedef unsigned int UINT;
typedef void* LPVOID;
typedef const char* LPCSTR;
typedef const char* LPCTSTR;
typedef long LRESULT;
typedef unsigned long WPARAM;
typedef long LPARAM;
typedef long INT_PTR;
typedef unsigned long UINT_PTR;
typedef DWORD COLORREF;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Opaque handles the window and process calls pass around.
typedef void* HANDLE;
typedef void* HINSTANCE;
typedef void* HWND;
