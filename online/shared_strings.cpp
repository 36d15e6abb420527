#include "online/shared_strings.h"

std::mutex& SharedStringsMutex()
{
    static std::mutex lock;
    return lock;
}

CString SharedCopy(const CString& shared)
{
    std::lock_guard<std::mutex> hold(SharedStringsMutex());
    return shared;
}

void SharedAssign(CString& shared, const CString& value)
{
    std::lock_guard<std::mutex> hold(SharedStringsMutex());
    shared = value;
}

CString g_serverIp = "127.0.0.1";
