// The web documents: their readers, and the fetch thread against a local web
// server (VELMONAR_WEB_BASE points the program at it).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "online/online_state.h"
#include "online/web.h"
#include "platform/threads.h"
#include "tests/support/fake_browser.h"
#include "tests/support/web_server.h"

namespace {

using Clock = std::chrono::steady_clock;

TEST(WebDocuments, ReadersTakeOnlyTheirBytesAndKeepTheirForms)
{
    EXPECT_EQ(ParseVersionDocument("1x9999", 6), 109);
    EXPECT_EQ(ParseVersionDocument("", 0), 0);
    EXPECT_EQ(ParseVersionDocument(nullptr, 5), 0);

    // Exactly 16 bytes with no terminator: all of them, nothing beyond.
    const char full[16] = {'2', '5', '5', '.', '2', '5', '5', '.', '2', '5', '5', '.', '2', '5', '5', '\n'};
    CString address = "keep";
    ASSERT_TRUE(ParseServerAddress(full, sizeof full, &address));
    EXPECT_EQ(std::string(address), "255.255.255.255");
    ASSERT_TRUE(ParseServerAddress("10.0.0.1\0junk", 13, &address));
    EXPECT_EQ(std::string(address), "10.0.0.1");

    CString url = "keep", text = "keep";
    EXPECT_FALSE(ParseNewsDocument("xx!text", 7, &url, &text));
    EXPECT_FALSE(ParseNewsDocument("", 0, &url, &text));
    EXPECT_EQ(std::string(url), "keep");
    ASSERT_TRUE(ParseNewsDocument("https://a.example/p!free!games", 30, &url, &text));
    EXPECT_EQ(std::string(url), "https://a.example/p");
    EXPECT_EQ(std::string(text), "free!games");
    ASSERT_TRUE(ParseNewsDocument("xt!text", 7, &url, &text));
    EXPECT_EQ(std::string(url), "xt");
    ASSERT_TRUE(ParseNewsDocument("http://no-bang", 14, &url, &text));
    EXPECT_EQ(std::string(url), "http://no-bang");
    EXPECT_EQ(std::string(text), "");
    // 300 bytes without a NUL: the walk stops at 256.
    const std::string longLine = "h!" + std::string(298, 'q');
    ASSERT_TRUE(ParseNewsDocument(longLine.data(), longLine.size(), &url, &text));
    EXPECT_EQ(text.GetLength(), 254);

    EXPECT_TRUE(IsWebLink("HTTPS://x"));
    EXPECT_TRUE(IsWebLink("http://x"));
    EXPECT_FALSE(IsWebLink("h:\\x.exe"));
    EXPECT_FALSE(IsWebLink("xt"));
    EXPECT_FALSE(IsWebLink("file:///etc"));
    EXPECT_FALSE(IsWebLink(nullptr));
}

// The program's state before a fetch, and a fake browser.
class WebFetch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GT(m_server.Port(), 0);
        setenv("VELMONAR_WEB_BASE", m_server.Base().c_str(), 1);
        g_webVersion = g_programVersion;
        g_updateAvailable = 0;
        g_webNewsPending = 0;
        g_webFetchBusy = 0;
        WriteSharedText(g_serverIp, "127.0.0.1");
        WriteSharedText(g_newsUrl, NEWS_URL_DEFAULT);
        WriteSharedText(g_newsText, "start");
    }
    void TearDown() override { unsetenv("VELMONAR_WEB_BASE"); }
    void Serve(const std::string& version, const std::string& address, const std::string& news)
    {
        m_server.Put("velmonar_vers.vs", version);
        m_server.Put("velmonar_ip.ip", address);
        m_server.Put("velmonar_reklama", news);
    }
    TestWebServer m_server;
    FakeBrowser m_browser;
};

TEST_F(WebFetch, CurrentVersionSetsTheAddressAndTheBannerAndAClickOpensTheLink)
{
    Serve("005", "127.0.0.1", "https://velmonar.example/news!бесплатные игры");
    WriteSharedText(g_serverIp, "");
    WebFetchThread(nullptr);
    EXPECT_EQ(g_webVersion, 5);
    EXPECT_EQ(g_updateAvailable, 0);
    EXPECT_EQ(g_webNewsPending, 1);
    EXPECT_EQ(g_webFetchBusy, 0);
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "127.0.0.1");
    EXPECT_EQ(std::string(ReadSharedText(g_newsUrl)), "https://velmonar.example/news");
    EXPECT_EQ(std::string(ReadSharedText(g_newsText)), "бесплатные игры");
    EXPECT_EQ(m_server.Requests(), "/velmonar/vers.vs\n/velmonar/ip.ip\n/velmonar/reklama\n");
    EXPECT_TRUE(OpenNewsLink());
    EXPECT_EQ(m_browser.Opened(1), "https://velmonar.example/news\n");
}

TEST_F(WebFetch, OnlyADottedQuadReplacesTheServerAddress)
{
    // Anything else keeps the address in use, so the next connection still
    // goes where the last one did.
    const std::vector<std::string> refused = {
        "",          "::1",         "localhost",       "1.2.3.4 evil", "010.0.0.1",    "0x7f.0.0.1",
        "127.1",     "256.1.1.1",   " 10.0.0.2",       "1.2.3.4.5",    "10.0.0.2\tx", std::string(300, '9'),
        "\xff\xfe", "10.0.0.2\n9",
    };
    for (const std::string& document : refused) {
        SCOPED_TRACE(document);
        Serve("005", document, "http://x!y");
        WebFetchThread(nullptr);
        EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "127.0.0.1");
    }
    // Trailing blanks and line ends are not part of the address; the 16
    // bytes read end in the middle of the blanks.
    Serve("005", "10.20.30.40 \t\r\n", "http://x!y");
    WebFetchThread(nullptr);
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "10.20.30.40");
    Serve("005", "10.0.0.1" + std::string(20, ' ') + "junk", "http://x!y");
    WebFetchThread(nullptr);
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "10.0.0.1");
}

TEST_F(WebFetch, ANewerVersionOffersTheUpdateAndReadsNothingElse)
{
    Serve("006", "10.1.1.1", "http://x!y");
    WebFetchThread(nullptr);
    EXPECT_EQ(g_webVersion, 6);
    EXPECT_EQ(g_updateAvailable, 1);
    EXPECT_EQ(g_webNewsPending, 1);
    EXPECT_EQ(g_webFetchBusy, 0);
    EXPECT_EQ(m_server.Requests(), "/velmonar/vers.vs\n");
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "127.0.0.1");

    g_updateAvailable = 0;
    Serve("5", "10.1.1.1", "http://x!y");
    WebFetchThread(nullptr);
    EXPECT_EQ(g_webVersion, 500);
    EXPECT_EQ(g_updateAvailable, 1);
}

TEST_F(WebFetch, AnAddressThatIsNotAWebLinkIsShownButNeverOpened)
{
    Serve("005", "127.0.0.2", "xt!text");
    WebFetchThread(nullptr);
    EXPECT_EQ(std::string(ReadSharedText(g_newsText)), "text");
    EXPECT_FALSE(OpenNewsLink());
    // A line starting with neither 'h' nor a second 't' changes nothing.
    WriteSharedText(g_newsText, "start");
    g_webNewsPending = 0;
    Serve("005", "127.0.0.3", "xx!other");
    WebFetchThread(nullptr);
    EXPECT_EQ(std::string(ReadSharedText(g_newsText)), "start");
    EXPECT_EQ(g_webNewsPending, 0);
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "127.0.0.3");
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_EQ(m_browser.Opened(), "");
}

TEST_F(WebFetch, HostileDocumentsAreCutToTheirSizesAndErrorPagesAreNotDocuments)
{
    // 10 MB each: 3, 16 and 256 bytes are read and the fetch ends early.
    const std::string tail(10 * 1024 * 1024, '7');
    Serve("005" + tail, "255.255.255.255\n" + tail, std::string("ht\x01\xff!") + tail);
    auto start = Clock::now();
    WebFetchThread(nullptr);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(g_webVersion, 5);
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "255.255.255.255");
    EXPECT_EQ(std::string(ReadSharedText(g_newsUrl)), "ht\x01\xff");
    EXPECT_EQ(ReadSharedText(g_newsText).GetLength(), 256 - 5);

    // A 404 page is not the address; what vers.vs set stays.
    WriteSharedText(g_serverIp, "127.0.0.1");
    g_webVersion = 0;
    Serve("004", "x", "http://evil!page");
    m_server.Put("velmonar_ip.ip", "<html>404</html>");
    m_server.Put("velmonar_ip.ip.status", "404");
    WebFetchThread(nullptr);
    EXPECT_EQ(g_webVersion, 4);
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "127.0.0.1");
    EXPECT_EQ(g_webFetchBusy, 0);

    // A 500 for the advertising line leaves the banner alone.
    std::remove((m_server.Folder() + "/velmonar_ip.ip.status").c_str());
    m_server.Put("velmonar_ip.ip", "127.0.0.9");
    m_server.Put("velmonar_reklama.status", "500");
    WebFetchThread(nullptr);
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "127.0.0.9");
    EXPECT_EQ(std::string(ReadSharedText(g_newsText)), std::string(256 - 5, '7'));
    const std::string log = m_server.Requests();
    EXPECT_NE(log.find("/velmonar/reklama\n", log.rfind("/velmonar/ip.ip")), std::string::npos);

    // Nothing listening: the fetch ends at once with nothing changed.
    setenv("VELMONAR_WEB_BASE", "http://127.0.0.1:9", 1);
    start = Clock::now();
    WebFetchThread(nullptr);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "127.0.0.9");
    EXPECT_EQ(g_webFetchBusy, 0);
}

TEST_F(WebFetch, AStalledDocumentEndsTheFetchWithinTheLimit)
{
    Serve("005", "10.9.9.9", "http://x!y");
    m_server.Put("velmonar_ip.ip.stall", "30");
    m_server.Put("velmonar_ip.ip", "");
    const auto start = Clock::now();
    WebFetchThread(nullptr);
    const auto took = Clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(13));
    EXPECT_EQ(g_webFetchBusy, 0);
    EXPECT_EQ(std::string(ReadSharedText(g_serverIp)), "127.0.0.1");
}

TEST_F(WebFetch, OneFetchAtATimeAndReadersNeverSeeATornText)
{
    // The first document is slow; a second fetch started meanwhile (a
    // language change) does nothing, while the interface reads the texts.
    Serve("005", "127.0.0.5", "http://a.example/" + std::string(100, 'u') + "!" + std::string(120, 'v'));
    m_server.Put("velmonar_vers.vs.slow", "1");
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (!stop) {
            const std::string text(ReadSharedText(g_newsText));
            if (text != "start" && text != std::string(120, 'v')) ++torn;
        }
    });
    ASSERT_NE(AfxBeginThread(WebFetchThread, nullptr), nullptr);
    while (g_webFetchBusy == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    WebFetchThread(nullptr);  // returns at once: one fetch runs already
    const std::string early = m_server.Requests();
    for (int i = 0; i < 1000 && g_webFetchBusy == 1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    stop = true;
    reader.join();
    EXPECT_EQ(g_webFetchBusy, 0);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(std::string(ReadSharedText(g_newsText)), std::string(120, 'v'));
    EXPECT_EQ(m_server.Requests(), "/velmonar/vers.vs\n/velmonar/ip.ip\n/velmonar/reklama\n");
    EXPECT_EQ(early.find("ip.ip"), std::string::npos);
}

TEST(WebBase, TheOverrideTakesOnlyASiteAddress)
{
    unsetenv("VELMONAR_WEB_BASE");
    EXPECT_EQ(WebInfoBase(), "https://velmonar.example");
    setenv("VELMONAR_WEB_BASE", "http://127.0.0.1:8080/", 1);
    EXPECT_EQ(WebInfoBase(), "http://127.0.0.1:8080");
    for (const char* bad : {"ftp://127.0.0.1", "http://", "http://h/path", "127.0.0.1:80"}) {
        setenv("VELMONAR_WEB_BASE", bad, 1);
        EXPECT_EQ(WebInfoBase(), "https://velmonar.example") << bad;
    }
    unsetenv("VELMONAR_WEB_BASE");
}

}  // namespace
