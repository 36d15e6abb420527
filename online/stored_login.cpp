#include "online/stored_login.h"

#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/process.h"

CString StoredLoginPath()
{
    char folder[1024] = {0};
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return CString();
    CString path(folder);
    path.Replace("\\", "/");
    return path + "/strlp.erg";
}

bool ReadStoredLogin(CString& name, CString& password)
{
    const CString path = StoredLoginPath();
    if (path.IsEmpty() || !FileExists(path.str())) return false;
    std::ifstream in(path.str(), std::ios::binary);
    if (!in) return false;
    std::string first, second;
    if (!ReadLimitedLine(in, first, STORED_LOGIN_FIELD_MAX)) return false;
    ReadLimitedLine(in, second, STORED_LOGIN_FIELD_MAX);
    name = CString(first);
    password = CString(second);
    return true;
}
