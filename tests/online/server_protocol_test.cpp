// The test game server keeps the protocol, checked with plain sockets, so a
// lenient server cannot hide a client fault.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>

#include "raw_client.h"
#include "test_server.h"

namespace {

std::string Exchange(const std::string& address, const std::string& request)
{
    const int fd = RawConnect(address);
    if (fd < 0) return "<no connection>";
    RawSend(fd, request);
    std::string reply = RawReceive(fd);
    // One exchange per connection: the server ends it gracefully.
    const std::string after = RawReceive(fd);
    if (!after.empty()) reply += "|then:" + after;
    close(fd);
    return reply;
}

TEST(GameServerProtocol, OneShotRequestsGetOneReplyAndAGracefulEnd)
{
    TestGameServer server({"--account", "anna:secret"});
    ASSERT_TRUE(server.Started());
    const std::string& at = server.Address();
    EXPECT_EQ(Exchange(at, std::string("&\0", 2)), std::string("&\0", 2));
    EXPECT_EQ(Exchange(at, "*"), "0");
    EXPECT_EQ(Exchange(at, "%anna+secret"), std::string("-\0", 2));
    EXPECT_EQ(Exchange(at, "%anna+wrong"), std::string("x\0", 2));
    EXPECT_EQ(Exchange(at, "+boris+pw+b@example.org"), std::string("+\0", 2));
    EXPECT_EQ(Exchange(at, "+anna+pw+a@example.org"), std::string("-\0", 2));
    EXPECT_EQ(Exchange(at, "%boris+pw"), std::string("-\0", 2));  // registered accounts log in
    // A winner report gets no reply at all, only the end.
    std::string report(22, '\0');
    report[0] = ')';
    report.replace(1, 4, "anna");
    EXPECT_EQ(Exchange(at, report), "");
    EXPECT_TRUE(server.WaitFor("REPORT anna ignored"));  // no game was played
}

TEST(GameServerProtocol, PairingLayoutMovesAndTheLeaving)
{
    TestGameServer server({"--account", "anna:secret"});
    ASSERT_TRUE(server.Started());
    const std::string setup = StandardSetupMessage();
    ASSERT_EQ(setup.size(), 83u);

    // A malformed request: "?" and never paired, the connection kept.
    const int bad = RawConnect(server.Address());
    RawSend(bad, "-qwe!$!");
    EXPECT_EQ(RawReceive(bad, 4000), "?");

    const int first = RawConnect(server.Address());
    RawSend(first, "anna+secret-qwe" + setup);
    EXPECT_EQ(RawReceive(first), "?");
    const auto queuedAt = std::chrono::steady_clock::now();
    std::string other = setup;
    other[1] = setup[3];  // another arrangement, the same army
    other[3] = setup[1];
    const int second = RawConnect(server.Address());
    RawSend(second, "-qwe" + other);
    const std::string toSecond = RawReceive(second);
    const std::string toFirst = RawReceive(first);
    // 200 ms after the last byte to the waiting side, less what "?" took to arrive.
    EXPECT_GE(std::chrono::steady_clock::now() - queuedAt, std::chrono::milliseconds(180));
    EXPECT_EQ(toSecond, setup + " anna" + std::string(1, '\0'));
    EXPECT_EQ(toFirst, other + " " + std::string(1, '\0'));
    EXPECT_EQ(RawReceive(bad, 300), "<timeout>");  // the malformed one stays unpaired
    EXPECT_TRUE(server.WaitFor("PAIRED anna (guest) first (guest)"));

    // Moves are relayed byte for byte, in one piece each.
    RawSend(second, "0312");
    EXPECT_EQ(RawReceive(first), "0312");
    RawSend(first, "9");
    RawSend(first, "876");
    EXPECT_EQ(RawReceiveAll(second, 4), "9876");

    // One side ends: the other gets "rrrr", then a graceful end, no reset.
    close(second);
    EXPECT_EQ(RawReceiveAll(first, 4), "rrrr");
    EXPECT_EQ(RawReceive(first), "");
    close(first);
    close(bad);
    EXPECT_EQ(server.Count("PAIRED"), 1);
}

}  // namespace
