#include "online/notice.h"

#include "online/Tablichka.h"
#include "platform/message_box.h"

void ShowNoticeBox(const CString& text)
{
    CTablichka notice;
    notice.m_text = text;
    notice.DoModal();
}

NoticeFunction g_noticeFunction = ShowNoticeBox;

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
