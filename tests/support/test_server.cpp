#include "test_server.h"

#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#ifndef VELMONAR_SOURCE_DIR
#define VELMONAR_SOURCE_DIR "."
#endif

namespace {

int CountEntries(const char* folder)
{
    DIR* dir = opendir(folder);
    if (!dir) return -1;
    int count = 0;
    while (dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.') ++count;
    closedir(dir);
    return count - 1;  // the directory stream's own descriptor or nothing
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

int OpenDescriptorCount()
{
    return CountEntries("/proc/self/fd");
}

int ThreadCount()
{
    return CountEntries("/proc/self/task") + 1;
}

TestGameServer::TestGameServer(const std::vector<std::string>& switches)
{
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 10 && m_address.empty(); ++attempt) {
        const std::string address = "127." + std::to_string(random() % 250 + 2) + "." +
                                    std::to_string(random() % 250 + 1) + "." + std::to_string(random() % 250 + 1);
        if (Launch(address, switches)) m_address = address;
    }
}

bool TestGameServer::Launch(const std::string& address, const std::vector<std::string>& switches)
{
    int out[2];
    if (pipe(out) != 0) return false;
    std::vector<std::string> argv = {"python3", "-u", std::string(VELMONAR_SOURCE_DIR) + "/tests/online/game_server.py",
                                     "--address", address};
    argv.insert(argv.end(), switches.begin(), switches.end());
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        dup2(out[1], 2);
        for (int fd = 3; fd < 1024; ++fd) close(fd);  // no test connection stays open in the server
        std::vector<char*> args;
        for (auto& a : argv) args.push_back(a.data());
        args.push_back(nullptr);
        execvp("python3", args.data());
        _exit(127);
    }
    close(out[1]);
    if (pid < 0) {
        close(out[0]);
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.clear();
        m_ended = false;
    }
    m_pid = pid;
    m_reader = std::thread(&TestGameServer::ReadLog, this, out[0]);
    if (WaitFor("LISTEN", 1, std::chrono::seconds(10))) return true;
    Kill();
    return false;
}

void TestGameServer::ReadLog(int fd)
{
    std::string pending;
    char buffer[4096];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) {
        pending.append(buffer, static_cast<size_t>(got));
        for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lines.push_back(pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    close(fd);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ended = true;
}

std::vector<std::string> TestGameServer::Lines()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lines;
}

int TestGameServer::Count(const std::string& prefix)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int count = 0;
    for (const auto& line : m_lines)
        if (line.compare(0, prefix.size(), prefix) == 0) ++count;
    return count;
}

bool TestGameServer::WaitFor(const std::string& prefix, int count, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (Count(prefix) >= count) return true;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_ended) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Count(prefix) >= count;
}

void TestGameServer::Kill()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    if (m_reader.joinable()) m_reader.join();
}

TestGameServer::~TestGameServer()
{
    Kill();
}
