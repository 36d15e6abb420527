#include "online/notice.h"

#include "platform/message_box.h"

void ShowNoticeInMessageBox(const CString& text)
{
    MessageBoxA(nullptr, text, "", MB_OK);
}

NoticeFunction g_noticeFunction = ShowNoticeInMessageBox;

void ShowNotice(const CString& text)
{
    g_noticeFunction(text);
}

namespace {
void ShowErrorInMessageBox(const CString& text)
{
    AfxMessageBox(text, MB_ICONHAND);
}
}  // namespace

NoticeFunction g_errorBoxFunction = ShowErrorInMessageBox;

void ShowErrorBox(const CString& text)
{
    g_errorBoxFunction(text);
}
