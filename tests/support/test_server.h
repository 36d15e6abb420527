// Runs tests/online/game_server.py on a free loopback address (127.x.y.z,
// port 10002) and collects its event log.
#pragma once

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestGameServer {
public:
    // Starts the server with extra switches; retries on another address when
    // the chosen one is busy. Started() tells whether it listens.
    explicit TestGameServer(const std::vector<std::string>& switches = {});
    ~TestGameServer();
    TestGameServer(const TestGameServer&) = delete;
    TestGameServer& operator=(const TestGameServer&) = delete;

    bool Started() const { return !m_address.empty(); }
    const std::string& Address() const { return m_address; }

    // The log lines so far.
    std::vector<std::string> Lines();
    // Waits until a line starting with prefix has appeared count times.
    bool WaitFor(const std::string& prefix, int count = 1,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10));
    int Count(const std::string& prefix);

    // Ends the server at once (SIGKILL), as a crash would.
    void Kill();

private:
    bool Launch(const std::string& address, const std::vector<std::string>& switches);
    void ReadLog(int fd);

    std::string m_address;
    int m_pid = -1;
    std::thread m_reader;
    std::mutex m_mutex;
    std::vector<std::string> m_lines;
    bool m_ended = false;
};

// Polls done every 5 ms until it holds; false when ms passed first.
bool WaitUntil(const std::function<bool()>& done, int ms = 8000);

// Counts this process's open file descriptors.
int OpenDescriptorCount();
// Counts this process's threads.
int ThreadCount();
