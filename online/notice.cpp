#include "online/notice.h"

#include "online/Tablichka.h"

void (*g_noticeHook)(const char* text) = nullptr;

void ShowNotice(const char* text)
{
    if (g_noticeHook) {
        g_noticeHook(text ? text : "");
        return;
    }
    CTablichka notice;
    notice.m_text = text;
    notice.DoModal();
}
