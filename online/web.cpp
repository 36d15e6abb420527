#include "online/web.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/http.h"
#include "platform/process.h"
#include "platform/sockets.h"

int g_programVersion = PROGRAM_VERSION;
std::atomic<int> g_webVersion{0};
std::atomic<int> g_webNewsPending{0};
std::atomic<int> g_updateAvailable{0};
std::atomic<int> g_webFetchBusy{0};

// The program's own web page, opened by a click on the news banner until the
// web fetch brings another address.
const char* const NEWS_URL_DEFAULT = "https://velmonar.example/";
const char* const PRODUCT_PAGE_URL = "https://velmonar.example/soft/Velmonar.php";
CString g_newsUrl;
CString g_newsText;

namespace {

const char* const WEB_INFO_SERVER = "https://velmonar.example";
const char* const WEB_BASE_VARIABLE = "VELMONAR_WEB_BASE";

constexpr size_t VERSION_BYTES = 3;
constexpr size_t ADDRESS_BYTES = 16;
constexpr size_t NEWS_BYTES = 256;

bool StartsWithNoCase(const char* text, const char* prefix)
{
    for (; *prefix; ++text, ++prefix) {
        const char a = (*text >= 'A' && *text <= 'Z') ? static_cast<char>(*text - 'A' + 'a') : *text;
        if (a != *prefix) return false;
    }
    return true;
}

// scheme://host[:port], nothing after the authority but slashes.
bool IsSiteBase(const std::string& base)
{
    if (!IsWebLink(base.c_str())) return false;
    const size_t authority = base.find("://") + 3;
    size_t end = base.find('/', authority);
    if (end == authority) return false;
    if (end == std::string::npos) return authority < base.size();
    return base.find_first_not_of('/', end) == std::string::npos;
}

// The document's bytes, read until limit bytes or its end. False when the
// session or the document could not be opened.
bool FetchDocument(const char* name, size_t limit, std::string& bytes)
{
    bytes.clear();
    HINTERNET session = InternetOpenA("", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!session) return false;
    const std::string url = WebInfoBase() + "/velmonar/" + name;
    HINTERNET document = InternetOpenUrlA(session, url.c_str(), nullptr, 0, 0, 0);
    if (!document) {
        InternetCloseHandle(session);
        return false;
    }
    std::vector<char> buffer(limit, 0);
    size_t got = 0;
    DWORD read = 0;
    while (got < limit && InternetReadFile(document, buffer.data() + got, static_cast<DWORD>(limit - got), &read) &&
           read > 0)
        got += read;
    InternetCloseHandle(document);
    InternetCloseHandle(session);
    bytes.assign(buffer.data(), got);
    return true;
}

// The fetch's steps after the busy flag is set; returns at the first
// document that cannot be opened, keeping what the earlier ones set.
void FetchAll()
{
    std::string bytes;
    if (!FetchDocument("vers.vs", VERSION_BYTES, bytes)) return;
    g_webVersion = ParseVersionDocument(bytes.data(), bytes.size());
    if (g_webVersion > g_programVersion) {
        g_updateAvailable = 1;
        g_webNewsPending = 1;
        return;
    }
    if (!FetchDocument("ip.ip", ADDRESS_BYTES, bytes)) return;
    // Anything but an address keeps the one in use: every later connection
    // would otherwise go nowhere for as long as the program runs.
    CString address;
    if (ParseServerAddress(bytes.data(), bytes.size(), &address)) WriteSharedText(g_serverIp, address);

    if (!FetchDocument("reklama", NEWS_BYTES, bytes)) return;
    CString url, text;
    if (!ParseNewsDocument(bytes.data(), bytes.size(), &url, &text)) return;
    {
        std::lock_guard<std::mutex> hold(g_sharedTextMutex);
        g_newsUrl = url;
        g_newsText = text;
    }
    g_webNewsPending = 1;
}

}  // namespace

std::string WebInfoBase()
{
    const char* override = std::getenv(WEB_BASE_VARIABLE);
    if (override && IsSiteBase(override)) {
        std::string base(override);
        while (base.back() == '/') base.pop_back();
        return base;
    }
    return WEB_INFO_SERVER;
}

int ParseVersionDocument(const char* bytes, size_t length)
{
    int value = 0;
    for (size_t i = 0; i < VERSION_BYTES; ++i) {
        const char c = (bytes && i < length) ? bytes[i] : '\0';
        value = value * 10 + ((c >= '0' && c <= '9') ? c - '0' : 0);
    }
    return value;
}

bool ParseServerAddress(const char* bytes, size_t length, CString* address)
{
    if (!bytes) return false;
    const size_t n = length < ADDRESS_BYTES ? length : ADDRESS_BYTES;
    std::string text(CString(bytes, static_cast<int>(n)).str());
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    in_addr parsed{};
    if (text.empty() || inet_pton(AF_INET, text.c_str(), &parsed) != 1) return false;
    if (address) *address = CString(text);
    return true;
}

bool ParseNewsDocument(const char* bytes, size_t length, CString* url, CString* text)
{
    if (!bytes) return false;
    const size_t n = length < NEWS_BYTES ? length : NEWS_BYTES;
    const CString line(bytes, static_cast<int>(n));
    if (line.IsEmpty() || (line[0] != 'h' && line[1] != 't')) return false;
    const int bang = line.Find('!');
    if (url) *url = bang < 0 ? line : line.Left(bang);
    if (text) *text = bang < 0 ? CString() : line.Mid(bang + 1);
    return true;
}

bool IsWebLink(const char* url)
{
    return url && (StartsWithNoCase(url, "http://") || StartsWithNoCase(url, "https://"));
}

bool OpenNewsLink()
{
    const CString url = ReadSharedText(g_newsUrl);
    if (!IsWebLink(url)) return false;
    ShellExecuteA(nullptr, "open", url, nullptr, nullptr, 1);
    return true;
}

UINT WebFetchThread(LPVOID)
{
    int idle = 0;
    if (!g_webFetchBusy.compare_exchange_strong(idle, 1)) return 0;
    FetchAll();
    g_webFetchBusy = 0;
    return 0;
}
