// A stand-in for the browser: an xdg-open first on PATH, in a folder of its
// own, that notes every address it is given on a line of its log. PATH is
// put back when it goes.
#pragma once

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/temp_folder.h"

class FakeBrowser {
public:
    FakeBrowser() : m_folder("velmonar-browser"), m_path(std::getenv("PATH") ? std::getenv("PATH") : "")
    {
        const std::string script = m_folder.Path() + "/xdg-open";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << Log() << "'\n";
        chmod(script.c_str(), 0755);
        setenv("PATH", (m_folder.Path() + ":" + m_path).c_str(), 1);
    }
    ~FakeBrowser() { setenv("PATH", m_path.c_str(), 1); }
    FakeBrowser(const FakeBrowser&) = delete;
    FakeBrowser& operator=(const FakeBrowser&) = delete;

    // The addresses opened so far, one a line, once `lines` have come or 5 s have passed.
    std::string Opened(size_t lines = 0) const
    {
        std::string text;
        for (int i = 0; i < 100; ++i) {
            std::ifstream in(Log());
            std::stringstream all;
            all << in.rdbuf();
            text = all.str();
            if (static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) >= lines) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return text;
    }

private:
    std::string Log() const { return m_folder.Path() + "/opened.txt"; }
    TempFolder m_folder;
    std::string m_path;
};
