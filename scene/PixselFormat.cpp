#include "scene/PixselFormat.h"

#include <GL/gl.h>

#include <cstring>

unsigned char g_multisampleSupported = 0;
int g_multisampleFormat = 0;

namespace {

// The hidden dialog: a 0 x 0 pop-up at (0, 0), never shown, no controls.
const DialogTemplate kPixselFormatTemplate = {129, 0, 0, 0, 0, false, {}};

// Asks the driver for one format with `samples` samples; true when granted.
bool AskForSamples(PFNWGLCHOOSEPIXELFORMATARBPROC choose, HDC dc, int samples)
{
    const int attributes[] = {WGL_DRAW_TO_WINDOW_ARB, 1,
                              WGL_SUPPORT_OPENGL_ARB, 1,
                              WGL_ACCELERATION_ARB, WGL_FULL_ACCELERATION_ARB,
                              WGL_COLOR_BITS_ARB, 16,
                              WGL_ALPHA_BITS_ARB, 0,
                              WGL_DEPTH_BITS_ARB, 16,
                              WGL_STENCIL_BITS_ARB, 0,
                              WGL_DOUBLE_BUFFER_ARB, 1,
                              WGL_SAMPLE_BUFFERS_ARB, 1,
                              WGL_SAMPLES_ARB, samples,
                              0, 0};
    const FLOAT noFloatAttributes[] = {0, 0};
    int format = 0;
    UINT count = 0;
    if (choose(dc, attributes, noFloatAttributes, 1, &format, &count) && count >= 1) {
        g_multisampleSupported = 1;
        g_multisampleFormat = format;
        return true;
    }
    return false;
}

}  // namespace

PIXELFORMATDESCRIPTOR PlainPixelFormatDescriptor()
{
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = 40;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 16;
    pfd.cRedBits = 8;
    pfd.cRedShift = 16;
    pfd.cGreenBits = 8;
    pfd.cGreenShift = 8;
    pfd.cBlueBits = 8;
    pfd.cBlueShift = 0;
    pfd.cAlphaBits = 0;
    pfd.cAccumBits = 32;
    pfd.cAccumRedBits = 16;
    pfd.cAccumGreenBits = 16;
    pfd.cAccumBlueBits = 16;
    pfd.cAccumAlphaBits = 0;
    pfd.cDepthBits = 16;
    pfd.cStencilBits = 0;
    pfd.cAuxBuffers = 0;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

CPixselFormat::CPixselFormat(CWnd* parent) : CDialog(kPixselFormatTemplate, parent) {}

void CPixselFormat::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
}

BOOL CPixselFormat::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pixelFormat = SelectPixelFormat();
    EndDialog(IDCANCEL);
    return TRUE;
}

int CPixselFormat::SelectPixelFormat()
{
    m_pixelFormat = 0;
    CClientDC clientDc(this);
    HDC dc = clientDc.m_hDC;
    PIXELFORMATDESCRIPTOR pfd = PlainPixelFormatDescriptor();
    int format = ChoosePixelFormat(dc, &pfd);
    if (format == 0) {
        if (DescribePixelFormat(dc, 1, sizeof pfd, &pfd) == 0) return 0;
        format = 1;
    }
    if (!SetPixelFormat(dc, format, &pfd)) return 0;
    HGLRC context = wglCreateContext(dc);
    if (!context) return 0;
    if (!wglMakeCurrent(dc, context)) {
        wglDeleteContext(context);
        return 0;
    }
    ChooseMultisampleFormat(dc);
    const int chosen = g_multisampleSupported == 1 ? g_multisampleFormat : format;
    // The temporary context has served its purpose; nothing later uses it.
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
    return chosen;
}

BOOL SetupPixelFormat(HDC dc)
{
    int format = 0;
    {
        CPixselFormat chooser(nullptr);
        chooser.DoModal();
        format = chooser.m_pixelFormat;
    }
    PIXELFORMATDESCRIPTOR pfd = PlainPixelFormatDescriptor();
    if (format == 0) {
        if (DescribePixelFormat(dc, 1, sizeof pfd, &pfd) == 0) return 0;
        format = 1;
    }
    return SetPixelFormat(dc, format, &pfd) ? 1 : 0;
}

bool ChooseMultisampleFormat(HDC dc)
{
    auto choose = reinterpret_cast<PFNWGLCHOOSEPIXELFORMATARBPROC>(wglGetProcAddress("wglChoosePixelFormatARB"));
    if (!IsWglExtensionSupported("WGL_ARB_multisample") || !choose) {
        g_multisampleSupported = 0;
        return false;
    }
    if (AskForSamples(choose, dc, 4)) return true;
    if (AskForSamples(choose, dc, 2)) return true;
    return g_multisampleSupported != 0;
}

bool ExtensionListHasWord(const char* list, const char* name)
{
    if (!list || !name || !*name) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(list, name); at; at = std::strstr(at + 1, name)) {
        const bool startsWord = at == list || at[-1] == ' ';
        const bool endsWord = at[length] == ' ' || at[length] == '\0';
        if (startsWord && endsWord) return true;
    }
    return false;
}

bool IsWglExtensionSupported(const char* name)
{
    const char* list = nullptr;
    auto getExtensions =
        reinterpret_cast<PFNWGLGETEXTENSIONSSTRINGARBPROC>(wglGetProcAddress("wglGetExtensionsStringARB"));
    if (getExtensions) list = getExtensions(wglGetCurrentDC());
    if (!list) list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!list) return false;
    return ExtensionListHasWord(list, name);
}
