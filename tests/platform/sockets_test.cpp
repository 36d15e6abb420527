// The game connection's sockets: shutting the shared handle down from another
// thread, ownership of the close, sends that never raise SIGPIPE, receives
// that a signal neither ends nor lengthens.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <atomic>
#include <csignal>
#include <chrono>
#include <future>
#include <thread>

#include "platform/sockets.h"

namespace {

bool IsOpen(int fd)
{
    return fcntl(fd, F_GETFD) != -1;
}

TEST(Sockets, ShuttingTheSharedHandleDownWakesAReceiveAndLeavesTheCloseToItsOwner)
{
    const bool stdinOpen = IsOpen(0);
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    std::atomic<int> shared{pair[0]};
    auto receiver = std::async(std::launch::async, [fd = pair[0]] {
        char byte;
        return recv(fd, &byte, 1, 0);
    });
    ASSERT_EQ(receiver.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
    EXPECT_EQ(ShutdownSharedSocket(shared), 0);
    ASSERT_EQ(receiver.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_EQ(receiver.get(), 0);  // our own shutdown reads as an end
    EXPECT_EQ(shared.load(), INVALID_SOCKET);
    // Not closed: its number cannot be handed to another connection meanwhile.
    EXPECT_TRUE(IsOpen(pair[0]));
    // A second shutdown finds nothing and touches nothing.
    EXPECT_EQ(ShutdownSharedSocket(shared), -1);
    char byte = 0;
    EXPECT_EQ(recv(pair[1], &byte, 1, 0), 0);  // the peer saw the end
    // The owner closes once; the never-opened handle -1 closes nothing (fd 0 survives).
    EXPECT_EQ(closesocket(pair[0]), 0);
    EXPECT_FALSE(IsOpen(pair[0]));
    std::atomic<int> never{INVALID_SOCKET};
    EXPECT_EQ(ShutdownSharedSocket(never), -1);
    EXPECT_EQ(closesocket(INVALID_SOCKET), -1);
    EXPECT_EQ(IsOpen(0), stdinOpen);
    close(pair[1]);
}

TEST(Sockets, SendsToAClosedPeerFailWithoutSignalAndConnectsFailFast)
{
    WSADATA data{};
    EXPECT_EQ(WSAStartup(MAKEWORD(2, 2), &data), 0);
    EXPECT_EQ(data.wVersion, MAKEWORD(2, 2));
    std::signal(SIGPIPE, SIG_DFL);  // the wrapper alone must keep the process alive
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    close(pair[1]);
    EXPECT_EQ(send(pair[0], "x", 1, 0), SOCKET_ERROR);
    EXPECT_FALSE(SocketErrorIsTransient());
    EXPECT_EQ(closesocket(pair[0]), 0);

    // Nobody listens on this loopback address: refused at once, not after minutes.
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_NE(s, INVALID_SOCKET);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(1);
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(connect(s, reinterpret_cast<const sockaddr*>(&address), static_cast<int>(sizeof address)),
              SOCKET_ERROR);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(closesocket(s), 0);
    WSAStartup(MAKEWORD(2, 2), &data);
    EXPECT_EQ(WSACleanup(), 0);
}

// A receive with a limit waits in another thread while this one signals it
// every signalEveryMs until the receive ends; bytes, when given, follow the
// second signal. Returns the receive's result; *ms how long it took,
// *transient whether its failure may be tried again.
int ReceiveUnderSignals(int limitMs, int signalEveryMs, const char* bytes, char reply[2], long* ms,
                        bool* transient)
{
    struct sigaction sa {};
    sa.sa_handler = [](int) {};  // caught, and nothing done
    sa.sa_flags = SA_RESTART;  // as the program's own handlers
    sigemptyset(&sa.sa_mask);
    sigaction(SIGUSR1, &sa, nullptr);
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) return -2;
    SetReceiveTimeout(pair[0], static_cast<DWORD>(limitMs));
    std::atomic<bool> done{false};
    int result = -2;
    std::thread receiver([&] {
        const auto start = std::chrono::steady_clock::now();
        result = recv(pair[0], reply, 2, 0);
        *ms = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - start)
                                    .count());
        *transient = result < 0 && SocketErrorIsTransient();
        done = true;
    });
    for (int k = 1; !done && k < 100; ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(signalEveryMs));
        if (!done) pthread_kill(receiver.native_handle(), SIGUSR1);
        if (k == 2 && bytes) ::send(pair[1], bytes, 2, 0);
    }
    receiver.join();
    close(pair[0]);
    close(pair[1]);
    return result;
}

TEST(Sockets, ASignalDuringAReceiveNeitherLosesTheAnswerNorRestartsTheLimit)
{
    // The answer that comes after the signal is the receive's result.
    char reply[2] = {0, 0};
    long ms = 0;
    bool transient = false;
    EXPECT_EQ(ReceiveUnderSignals(5000, 150, "-", reply, &ms, &transient), 2);
    EXPECT_EQ(reply[0], '-');
    // Signals every 100 ms: the 600 ms limit still ends the wait, as a
    // time-out, and not before it.
    EXPECT_EQ(ReceiveUnderSignals(600, 100, nullptr, reply, &ms, &transient), SOCKET_ERROR);
    EXPECT_TRUE(transient);
    EXPECT_GE(ms, 590);
    EXPECT_LT(ms, 2000) << "a fresh limit after every signal would never end while they come";
}

}  // namespace
