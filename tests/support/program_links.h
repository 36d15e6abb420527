// A program folder of its own for one test: links to the built program
// folder's entries (those of resources/ one by one), without its options
// file and without the entries named in leaveOut (relative paths such as
// "language" or "resources/Fon.res"); removed when the test is done.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "tests/support/temp_folder.h"

class ProgramLinks {
public:
    explicit ProgramLinks(const std::set<std::string>& leaveOut = {}) : m_folder("velmonar_program")
    {
        namespace fs = std::filesystem;
        const fs::path source = VELMONAR_PROGRAM_DIR;
        fs::create_directory(Path() + "/resources");
        for (const std::string sub : {"", "resources/"})
            for (const auto& entry : fs::directory_iterator(source / sub)) {
                const std::string rel = sub + entry.path().filename().string();
                if (rel == "resources" || rel == "konfig.ini" || leaveOut.count(rel)) continue;
                symlink(entry.path().c_str(), (Path() + "/" + rel).c_str());
            }
    }
    const std::string& Path() const { return m_folder.Path(); }
    // Writes a file of the folder (a link of that name is replaced).
    void Write(const std::string& name, const std::string& text) const
    {
        std::filesystem::remove(Path() + "/" + name);
        std::ofstream(Path() + "/" + name) << text;
    }

private:
    TempFolder m_folder;
};
