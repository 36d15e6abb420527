// Web documents over HTTP against a local server: statuses, redirects, the
// byte limit of a read, the proxy that must not be used.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "platform/http.h"
#include "tests/support/web_server.h"

namespace {

using Clock = std::chrono::steady_clock;

// Opens url; "" when the open failed, else up to limit bytes read in reads
// of at most step bytes.
std::string Fetch(HINTERNET session, const std::string& url, size_t limit, DWORD step, bool* opened)
{
    HINTERNET document = InternetOpenUrlA(session, url.c_str(), nullptr, 0, 0, 0);
    *opened = document != nullptr;
    if (!document) return std::string();
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (bytes.size() < limit && InternetReadFile(document, buffer, std::min<DWORD>(step, limit - bytes.size()), &read) &&
           read > 0)
        bytes.append(buffer, read);
    EXPECT_TRUE(InternetCloseHandle(document));
    return bytes;
}

TEST(Http, OnlyTwoHundredsOpenAndReadsStopAtTheirLimit)
{
    TestWebServer server;
    ASSERT_GT(server.Port(), 0);
    const std::string big(10 * 1024 * 1024, 'z');
    server.Put("doc", "0123456789");
    server.Put("big", "head" + big);
    server.Put("broken", "500 body");
    server.Put("broken.status", "500");
    server.Put("moved.redirect", server.Base() + "/doc");
    server.Put("tofile.redirect", "file:///etc/hostname");
    for (int i = 1; i <= 6; ++i) server.Put("hop" + std::to_string(i) + ".redirect", server.Base() + "/hop" + std::to_string(i - 1));
    server.Put("hop0", "end of hops");
    // A proxy named by the environment is never used (this one is closed).
    setenv("http_proxy", "http://127.0.0.1:9", 1);
    setenv("HTTP_PROXY", "http://127.0.0.1:9", 1);

    HINTERNET session = InternetOpenA("", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    ASSERT_NE(session, nullptr);
    bool opened = false;
    // Whole document in small reads, through the proxy-free path.
    EXPECT_EQ(Fetch(session, server.Base() + "/doc", 100, 3, &opened), "0123456789");
    EXPECT_TRUE(opened);
    // 10 MB: only what is asked for is read, and closing ends the transfer early.
    const auto start = Clock::now();
    EXPECT_EQ(Fetch(session, server.Base() + "/big", 16, 16, &opened), "headzzzzzzzzzzzz");
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
    // Redirects: to http and at most 5 hops.
    EXPECT_EQ(Fetch(session, server.Base() + "/moved", 100, 100, &opened), "0123456789");
    EXPECT_EQ(Fetch(session, server.Base() + "/hop5", 100, 100, &opened), "end of hops");
    // Failed opens, never the document: an error page, a sixth hop, a
    // redirect away from http, an address that is not http(s).
    for (const std::string& url : {server.Base() + "/broken", server.Base() + "/hop6", server.Base() + "/tofile",
                                   std::string("file:///etc/hostname")}) {
        EXPECT_EQ(Fetch(session, url, 100, 100, &opened), "") << url;
        EXPECT_FALSE(opened) << url;
    }
    EXPECT_EQ(InternetOpenUrlA(session, nullptr, nullptr, 0, 0, 0), nullptr);
    EXPECT_TRUE(InternetCloseHandle(session));
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");

    const std::string log = server.Requests();
    // Five hops reached the end once; the six-hop chain stopped before it.
    const size_t first = log.find("/hop0\n");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("/hop0\n", first + 1), std::string::npos) << "a sixth redirect was followed";
    // Bad handles are refused.
    DWORD read = 7;
    char byte;
    EXPECT_FALSE(InternetReadFile(nullptr, &byte, 1, &read));
    EXPECT_EQ(read, 0u);
    EXPECT_FALSE(InternetCloseHandle(nullptr));
}

TEST(Http, AServerThatStallsAfterItsHeadersIsGivenUpWithinTheLimit)
{
    TestWebServer server;
    ASSERT_GT(server.Port(), 0);
    server.Put("slow", "ab");
    server.Put("slow.stall", "30");
    HINTERNET session = InternetOpenA("", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    const auto start = Clock::now();
    HINTERNET document = InternetOpenUrlA(session, (server.Base() + "/slow").c_str(), nullptr, 0, 0, 0);
    ASSERT_NE(document, nullptr);  // the status and the first bytes came
    char buffer[64];
    DWORD read = 0;
    std::string bytes;
    while (InternetReadFile(document, buffer, sizeof buffer, &read) && read > 0) bytes.append(buffer, read);
    const auto took = Clock::now() - start;
    EXPECT_EQ(bytes, "ab");
    EXPECT_GE(took, std::chrono::seconds(INTERNET_TOTAL_LIMIT_SECONDS - 1));
    EXPECT_LT(took, std::chrono::seconds(INTERNET_TOTAL_LIMIT_SECONDS + 3));
    EXPECT_FALSE(InternetReadFile(document, buffer, sizeof buffer, &read));
    InternetCloseHandle(document);
    InternetCloseHandle(session);
}

}  // namespace
