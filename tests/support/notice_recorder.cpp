#include "notice_recorder.h"

#include <mutex>

#include "online/notice.h"

namespace {

std::mutex g_mutex;
std::vector<std::string> g_notices;

void Record(const CString& text)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_notices.push_back(text.str());
}

}  // namespace

void RecordNotices()
{
    g_noticeFunction = Record;
    g_errorBoxFunction = Record;
    ClearNotices();
}

std::vector<std::string> Notices()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_notices;
}

void ClearNotices()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_notices.clear();
}
