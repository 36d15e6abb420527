#include "online/stored_login.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/files.h"
#include "platform/process.h"

namespace {

// More than any stored log-in holds: a larger file is read only this far.
constexpr std::streamsize MAX_FILE_BYTES = 4096;

}  // namespace

std::string StoredLoginPath()
{
    char folder[256];
    if (GetWindowsDirectoryA(folder, sizeof folder) == 0) return std::string();
    std::string path(folder);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path + "/strlp.erg";
}

bool ParseStoredLogin(const char* bytes, size_t length, CString* name, CString* password)
{
    std::istringstream in(bytes ? std::string(bytes, length) : std::string());
    std::string first, second;
    if (!ReadLimitedLine(in, first, STORED_LOGIN_MAX_CHARS)) return false;
    ReadLimitedLine(in, second, STORED_LOGIN_MAX_CHARS);
    if (name) *name = CString(first);
    if (password) *password = CString(second);
    return true;
}

bool StoredLoginExists()
{
    const std::string path = StoredLoginPath();
    return !path.empty() && FileExists(path);
}

bool ReadStoredLogin(CString* name, CString* password)
{
    if (name) name->Empty();
    if (password) password->Empty();
    const std::string path = StoredLoginPath();
    if (path.empty() || !FileExists(path)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes(static_cast<size_t>(MAX_FILE_BYTES), '\0');
    in.read(&bytes[0], MAX_FILE_BYTES);
    bytes.resize(static_cast<size_t>(in.gcount()));
    return ParseStoredLogin(bytes.data(), bytes.size(), name, password);
}

bool WriteStoredLogin(const CString& name, const CString& password)
{
    const std::string path = StoredLoginPath();
    if (path.empty()) return false;
    return WritePrivateFileAtomically(path, name.str() + "\n" + password.str());
}

void RemoveStoredLogin()
{
    const std::string path = StoredLoginPath();
    if (path.empty()) return;
    { std::ofstream truncate(path, std::ios::binary | std::ios::trunc); }
    std::remove(path.c_str());
}
