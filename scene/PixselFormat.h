// Choosing the main window's pixel format: multisampled (4 samples, else 2)
// when the driver offers it, else a plain double-buffered RGB format.
#pragma once

#include "platform/gl_context.h"
#include "platform/window.h"

extern unsigned char g_multisampleSupported;  // 1 once a multisampled format was found
extern int g_multisampleFormat;               // that format

// A hidden dialog that makes a temporary GL context, asks the driver for the
// best format and ends itself inside its initialisation.
class CPixselFormat : public CDialog {
public:
    explicit CPixselFormat(CWnd* parent = nullptr);

    // The chosen format, 0 on failure.
    int SelectPixelFormat();

    int m_pixelFormat = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
};

// The plain descriptor: double-buffered RGB, 8 bits a colour, depth 16.
PIXELFORMATDESCRIPTOR PlainPixelFormatDescriptor();

// Chooses and sets the main window's format; 1 on success, 0 on failure.
BOOL SetupPixelFormat(HDC dc);
// Asks for a 4-sample format, then a 2-sample one; true when one was found.
bool ChooseMultisampleFormat(HDC dc);
// True when name is a whole word of the WGL (else GL) extension list.
bool IsWglExtensionSupported(const char* name);
// The whole-word test itself: name must start the list or follow a blank,
// and be followed by a blank or the end of the list.
bool ExtensionListHasWord(const char* list, const char* name);
