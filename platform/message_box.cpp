#include "platform/message_box.h"

#include <cstdio>

#include "platform/strings.h"

// Stands in until the window layer shows real boxes: the text goes to stderr.
int MessageBoxA(void*, const char* text, const char* caption, UINT)
{
    std::fprintf(stderr, "%s: %s\n", Cp1251ToUtf8(caption ? caption : "").c_str(),
                 Cp1251ToUtf8(text ? text : "").c_str());
    return IDOK;
}

int AfxMessageBox(const char* text, UINT type)
{
    return MessageBoxA(nullptr, text, "Velmonar", type);
}
