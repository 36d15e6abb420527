// Reading web documents over HTTP(S) with WinINet's calls, on libcurl.
//
// Decisions the program relies on:
// - connections are direct: no proxy, even when the environment names one;
// - redirects are followed only to http:// or https://, at most 5 of them;
// - connecting and the whole transfer are each limited to 10 seconds;
// - a reply whose HTTP status is not 2xx is a failed open (an error page is
//   never taken for the document);
// - reading stops at the byte count asked for: the rest of a long document is
//   never downloaded, the transfer ends when the handle is closed.
// Every call is safe from any thread; each handle belongs to one thread.
#pragma once

#include "platform/wintypes.h"

typedef void* HINTERNET;
typedef unsigned long DWORD_PTR;

constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;

constexpr long INTERNET_CONNECT_LIMIT_SECONDS = 10;
constexpr long INTERNET_TOTAL_LIMIT_SECONDS = 10;

// Prepares the transfer library once for the whole process. The interface
// thread calls it before any worker starts; later calls do nothing.
void InternetStartup();

// A session handle; null only when the library cannot start.
HINTERNET InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR proxy, LPCSTR proxyBypass, DWORD flags);
// Opens an http:// or https:// address and waits for the reply's headers (and
// the first bytes of the body). Null on a bad address, a failed connection, a
// time-out or a status outside 200-299.
HINTERNET InternetOpenUrlA(HINTERNET session, LPCSTR url, LPCSTR headers, DWORD headersLength, DWORD flags,
                           DWORD_PTR context);
// Reads up to toRead bytes, waiting until that many have come or the document
// has ended; *read = 0 means the end. FALSE when the transfer failed (a
// time-out included) before any byte of this read came.
BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, DWORD* read);
// Closes a session or document handle (a document's transfer stops at once).
BOOL InternetCloseHandle(HINTERNET handle);
