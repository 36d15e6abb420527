#include "platform/files.h"

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

bool ReadLimitedLine(std::istream& in, std::string& line, size_t maxChars)
{
    std::string whole;
    if (!std::getline(in, whole)) return false;
    if (!whole.empty() && whole.back() == '\r') whole.pop_back();
    if (whole.size() > maxChars) whole.resize(maxChars);
    line = whole;
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        out.close();
        if (out.fail()) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool FileExists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
