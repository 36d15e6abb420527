#include "raw_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "online/setup_code.h"
#include "rules/board.h"

int RawConnect(const std::string& address)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(10002);
    a.sin_addr.s_addr = inet_addr(address.c_str());
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), static_cast<socklen_t>(sizeof a)) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool RawSend(int fd, const std::string& bytes)
{
    return ::send(fd, static_cast<const void*>(bytes.data()), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
}

std::string RawReceive(int fd, int timeoutMs)
{
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) != 1) return "<timeout>";
    char buffer[4096];
    const ssize_t got = ::recv(fd, static_cast<void*>(buffer), sizeof buffer, 0);
    if (got < 0) return "<error>";
    return std::string(buffer, static_cast<size_t>(got));
}

std::string RawReceiveAll(int fd, size_t count, int timeoutMs)
{
    std::string all;
    while (all.size() < count) {
        const std::string part = RawReceive(fd, timeoutMs);
        if (part.empty() || part[0] == '<') break;
        all += part;
    }
    return all;
}

std::string StandardSetupMessage()
{
    int ranks[40];
    int i = 0;
    for (int rank = 0; rank < RANK_KINDS; ++rank)
        for (int k = 0; k < PIECE_SET[rank]; ++k) ranks[i++] = rank;
    return EncodeSetupMessage(ranks).str();
}

std::string OtherSetupMessage()
{
    std::string s = StandardSetupMessage();
    std::swap(s[1], s[3]);  // two one-character codes
    return s;
}

std::vector<int> RanksOf(const std::string& setup)
{
    std::vector<int> ranks;
    for (size_t p = 1; p < setup.size();) {
        const size_t end = setup.find('!', p);
        if (end == std::string::npos) break;
        int value = 0;
        for (size_t k = p; k < end; ++k) value = value * 10 + SetupCodeDigit(setup[k]);
        ranks.push_back(value);
        p = end + 1;
    }
    return ranks;
}

std::string HexOf(const std::string& bytes)
{
    std::string hex;
    for (unsigned char c : bytes) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", c);
        hex += two;
    }
    return hex;
}

int RequestingPeer(const std::string& address, const std::string& credentials)
{
    const int peer = RawConnect(address);
    if (peer >= 0) RawSend(peer, credentials + "qwe" + OtherSetupMessage());
    return peer;
}

int QueuedPeer(const std::string& address, const std::string& credentials)
{
    const int peer = RequestingPeer(address, credentials);
    if (peer < 0) return -1;
    if (RawReceive(peer) == "?") return peer;
    close(peer);
    return -1;
}
