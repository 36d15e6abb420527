// The web documents: the current version, the game server's address and the
// advertising line, fetched by a worker thread.
#pragma once

#include <atomic>

#include "platform/strings.h"
#include "platform/wintypes.h"

constexpr int PROGRAM_VERSION = 5;

extern int g_programVersion;                 // the program's own version number
extern std::atomic<int> g_webVersion;        // the version the web reports
extern std::atomic<int> g_webNewsPending;    // 1: an update notice or a new banner text waits
extern std::atomic<int> g_updateAvailable;   // 1: the web version is newer
extern std::atomic<int> g_webFetchBusy;      // 1 while the fetch thread runs

// The news banner's address and text (the web fetch may replace both);
// read and written under g_sharedTextMutex (online/online_state.h), like
// g_serverIp, which the fetch replaces with the ip.ip document.
extern const char* const NEWS_URL_DEFAULT;
// The product page: the updater's fallback and the about panel's link.
extern const char* const PRODUCT_PAGE_URL;
extern CString g_newsUrl;
extern CString g_newsText;

// Worker thread: fetches the three documents; param is the main dialog.
UINT WebFetchThread(LPVOID param);
