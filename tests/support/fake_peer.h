// A stand-in for the game server's account replies on the loopback, for one
// test: it records each request and answers it with a fixed reply, or keeps
// the connection silent when the reply is empty.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// reply: the answer's first byte ("-", "+", "x"), sent with a NUL after it.
class FakePeer {
public:
    explicit FakePeer(std::string reply) : m_reply(std::move(reply))
    {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in at{};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof at;
        if (bind(m_listener, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 || listen(m_listener, 8) != 0 ||
            getsockname(m_listener, reinterpret_cast<sockaddr*>(&at), &size) != 0)
            return;
        m_port = ntohs(at.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~FakePeer()
    {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        close(m_listener);
    }
    unsigned short Port() const { return m_port; }
    std::vector<std::string> Requests()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_requests;
    }

private:
    void Serve()
    {
        std::vector<int> held;
        while (!m_stop) {
            pollfd p{m_listener, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) continue;
            const int c = accept(m_listener, nullptr, nullptr);
            if (c < 0) continue;
            std::string request;
            char buffer[256];
            pollfd r{c, POLLIN, 0};
            while (poll(&r, 1, 300) > 0) {
                const ssize_t n = recv(c, static_cast<void*>(buffer), sizeof buffer, 0);
                if (n <= 0) break;
                request.append(buffer, static_cast<size_t>(n));
            }
            {
                std::lock_guard<std::mutex> hold(m_lock);
                m_requests.push_back(request);
            }
            if (m_reply.empty()) {
                held.push_back(c);
                continue;
            }
            send(c, static_cast<const void*>(m_reply.c_str()), m_reply.size() + 1, MSG_NOSIGNAL);  // the reply and its NUL
            close(c);
        }
        for (int c : held) close(c);
    }
    std::string m_reply;
    int m_listener = -1;
    unsigned short m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_lock;
    std::vector<std::string> m_requests;
};

