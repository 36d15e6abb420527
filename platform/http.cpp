#include "platform/http.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

namespace {

constexpr unsigned SESSION_MAGIC = 0x53455353u;
constexpr unsigned DOCUMENT_MAGIC = 0x444F4355u;
constexpr long MAX_REDIRECTS = 5;
constexpr int POLL_MS = 100;

struct InternetHandle {
    unsigned magic;
};

struct Document : InternetHandle {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    std::string pending;  // received and not read yet
    bool done = false;
    CURLcode result = CURLE_OK;
};

size_t KeepBytes(char* data, size_t size, size_t count, void* user)
{
    static_cast<Document*>(user)->pending.append(data, size * count);
    return size * count;
}

// Lets the transfer run for one step (at most one poll interval).
void Step(Document& d)
{
    int running = 0;
    curl_multi_perform(d.multi, &running);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(d.multi, &left)) {
        if (message->msg == CURLMSG_DONE) {
            d.done = true;
            d.result = message->data.result;
        }
    }
    if (!d.done && running == 0) d.done = true;
    if (!d.done) curl_multi_poll(d.multi, nullptr, 0, POLL_MS, nullptr);
}

void Destroy(Document* d)
{
    if (d->multi && d->easy) curl_multi_remove_handle(d->multi, d->easy);
    if (d->easy) curl_easy_cleanup(d->easy);
    if (d->multi) curl_multi_cleanup(d->multi);
    d->magic = 0;
    delete d;
}

bool Configure(CURL* easy, const char* url, Document* d)
{
    return curl_easy_setopt(easy, CURLOPT_URL, url) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_MAXREDIRS, MAX_REDIRECTS) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_PROXY, "") == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_NOPROXY, "*") == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, INTERNET_CONNECT_LIMIT_SECONDS) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_TIMEOUT, INTERNET_TOTAL_LIMIT_SECONDS) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, 1024L) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, KeepBytes) == CURLE_OK &&
           curl_easy_setopt(easy, CURLOPT_WRITEDATA, d) == CURLE_OK;
}

bool IsDocument(HINTERNET h)
{
    return h && static_cast<InternetHandle*>(h)->magic == DOCUMENT_MAGIC;
}

}  // namespace

void InternetStartup()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

HINTERNET InternetOpenA(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD)
{
    InternetStartup();
    return new InternetHandle{SESSION_MAGIC};
}

HINTERNET InternetOpenUrlA(HINTERNET session, LPCSTR url, LPCSTR, DWORD, DWORD, DWORD_PTR)
{
    if (!session || static_cast<InternetHandle*>(session)->magic != SESSION_MAGIC || !url) return nullptr;
    auto* d = new Document{};
    d->magic = DOCUMENT_MAGIC;
    d->easy = curl_easy_init();
    d->multi = curl_multi_init();
    if (!d->easy || !d->multi || !Configure(d->easy, url, d) ||
        curl_multi_add_handle(d->multi, d->easy) != CURLM_OK) {
        Destroy(d);
        return nullptr;
    }
    // Wait for the status: the first body bytes, or the end of the transfer.
    while (!d->done && d->pending.empty()) Step(*d);
    long status = 0;
    curl_easy_getinfo(d->easy, CURLINFO_RESPONSE_CODE, &status);
    const bool failed = d->done && d->result != CURLE_OK && d->pending.empty();
    if (failed || status < 200 || status > 299) {
        Destroy(d);
        return nullptr;
    }
    return d;
}

BOOL InternetReadFile(HINTERNET file, LPVOID buffer, DWORD toRead, DWORD* read)
{
    if (read) *read = 0;
    if (!IsDocument(file) || (!buffer && toRead > 0)) return FALSE;
    Document& d = *static_cast<Document*>(file);
    while (d.pending.size() < toRead && !d.done) Step(d);
    const size_t n = std::min<size_t>(toRead, d.pending.size());
    if (n > 0) std::memcpy(buffer, d.pending.data(), n);
    d.pending.erase(0, n);
    if (read) *read = static_cast<DWORD>(n);
    return (n == 0 && d.result != CURLE_OK) ? FALSE : TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle)
{
    if (!handle) return FALSE;
    auto* h = static_cast<InternetHandle*>(handle);
    if (h->magic == DOCUMENT_MAGIC) {
        Destroy(static_cast<Document*>(h));
        return TRUE;
    }
    if (h->magic == SESSION_MAGIC) {
        h->magic = 0;
        delete h;
        return TRUE;
    }
    return FALSE;
}
