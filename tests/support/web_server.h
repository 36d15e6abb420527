// A local web server for one test (tests/support/web_server.py on 127.0.0.1 at
// a free port) serving the files of its own temporary folder. Documents are
// named after their path with '/' turned into '_' ("velmonar_vers.vs").
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/temp_folder.h"

class TestWebServer {
public:
    TestWebServer() : m_folder("velmonar-web")
    {
        int out[2];
        if (m_folder.Path().empty() || pipe(out) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(out[1], 1);
            close(out[0]);
            close(out[1]);
            const std::string script = std::string(VELMONAR_SOURCE_DIR) + "/tests/support/web_server.py";
            execlp("python3", "python3", script.c_str(), m_folder.Path().c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        char text[16] = {};
        size_t got = 0;
        while (got < sizeof text - 1) {
            const ssize_t n = read(out[0], text + got, 1);
            if (n <= 0 || text[got] == '\n') break;
            got += static_cast<size_t>(n);
        }
        close(out[0]);
        m_port = std::atoi(text);
    }
    ~TestWebServer()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    TestWebServer(const TestWebServer&) = delete;
    TestWebServer& operator=(const TestWebServer&) = delete;

    int Port() const { return m_port; }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(m_port); }
    const std::string& Folder() const { return m_folder.Path(); }

    // Writes a served file ("velmonar_ip.ip", "velmonar_ip.ip.status", ...).
    void Put(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(m_folder.Path() + "/" + name, std::ios::binary) << bytes;
    }
    // Every path asked for so far, one a line ("cut <path>" when the client
    // closed before the body was sent).
    std::string Requests() const
    {
        std::ifstream in(m_folder.Path() + "/requests.log");
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

private:
    TempFolder m_folder;
    pid_t m_pid = -1;
    int m_port = 0;
};
