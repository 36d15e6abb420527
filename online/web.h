// The web documents: the current version, the game server's address and the
// advertising line, fetched by a worker thread from the program's web site.
#pragma once

#include <atomic>
#include <cstddef>
#include <string>

#include "online/online_state.h"
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
// g_serverIp, which the fetch replaces with the ip.ip document's address.
extern const char* const NEWS_URL_DEFAULT;
// The product page: the updater's fallback and the about panel's link.
extern const char* const PRODUCT_PAGE_URL;
extern CString g_newsUrl;
extern CString g_newsText;

// The site the documents come from: "https://velmonar.example", or the
// scheme, host and port in VELMONAR_WEB_BASE when that is an http:// or
// https:// address without a path (tests point it at a local server).
std::string WebInfoBase();

// Readers of the three documents, for the bytes received (at most the first
// 3, 16 and 256 of them are looked at).
// vers.vs: three digits, hundreds first; a byte that is not a digit, or a
// missing one, counts 0 ("5" is 500).
int ParseVersionDocument(const char* bytes, size_t length);
// ip.ip: the bytes up to the first NUL without trailing blanks and line
// ends. True, with *address set, only when that is a dotted IPv4 quad;
// anything else (empty, a name, IPv6, octal, words after it) is no address
// and *address is left alone.
bool ParseServerAddress(const char* bytes, size_t length, CString* address);
// reklama: false (nothing to change) when empty or when neither its first
// byte is 'h' nor its second 't'; else the bytes before the first '!' are the
// address and everything after it the banner text.
bool ParseNewsDocument(const char* bytes, size_t length, CString* url, CString* text);

// True for an address that starts with "http://" or "https://" (any case).
bool IsWebLink(const char* url);
// Opens the news banner's address in the browser, only when it is a web link;
// anything else (it came from the network) is ignored. Returns whether it opened.
bool OpenNewsLink();

// Worker thread: fetches the three documents; param is unused. Does nothing
// while another fetch runs. Clears g_webFetchBusy on every way out.
UINT WebFetchThread(LPVOID param);
