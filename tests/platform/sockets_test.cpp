// Closing the shared game connection from another thread.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>

#include "platform/sockets.h"

namespace {

TEST(Sockets, ClosingTheSharedHandleWakesABlockedReceiveOnce)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    std::atomic<int> shared{pair[0]};
    auto receiver = std::async(std::launch::async, [fd = pair[0]] {
        char byte;
        return recv(fd, &byte, 1, 0);
    });
    ASSERT_EQ(receiver.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    EXPECT_EQ(closesocket(shared), 0);
    ASSERT_EQ(receiver.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_LE(receiver.get(), 0);
    EXPECT_EQ(shared.load(), INVALID_SOCKET);
    // A second close finds nothing to close and closes nothing else.
    EXPECT_EQ(closesocket(shared), -1);
    char byte = 0;
    EXPECT_EQ(recv(pair[1], &byte, 1, 0), 0);  // the peer saw the end
    close(pair[1]);
}

TEST(Sockets, StartupSucceedsAndWritesToAClosedPeerDoNotKill)
{
    WSADATA data{};
    EXPECT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(2, 2));
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    close(pair[1]);
    EXPECT_LT(send(pair[0], "x", 1, 0), 0);  // an error, not SIGPIPE
    EXPECT_EQ(closesocket(pair[0]), 0);
    EXPECT_EQ(WSACleanup(), 0);
}

}  // namespace
