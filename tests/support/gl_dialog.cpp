#include "tests/support/gl_dialog.h"

#include <GL/gl.h>

namespace {

const DialogTemplate kGlTestTemplate = {910, 0, 0, 100, 60, true, {}};

}  // namespace

GlTestDialog::GlTestDialog(int width, int height, std::function<void(GlTestDialog&)> body)
    : CDialog(kGlTestTemplate), m_width(width), m_height(height), m_body(std::move(body))
{
}

GlTestDialog::~GlTestDialog()
{
    if (m_context && !m_keepContext) wglDeleteContext(m_context);
    delete m_dc;
}

int GlTestDialog::OnCreate(void*)
{
    m_dc = new CClientDC(this);
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.cDepthBits = 16;
    m_pixelFormat = ChoosePixelFormat(m_dc->m_hDC, &pfd);
    if (!SetPixelFormat(m_dc->m_hDC, m_pixelFormat, &pfd)) return -1;
    m_context = wglCreateContext(m_dc->m_hDC);
    return m_context && wglMakeCurrent(m_dc->m_hDC, m_context) ? 0 : -1;
}

BOOL GlTestDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_width == 0 || m_height == 0) {
        DEVMODEA mode{};
        EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
        m_width = static_cast<int>(mode.dmPelsWidth);
        m_height = static_cast<int>(mode.dmPelsHeight);
    }
    SetWindowPos(nullptr, 0, 0, m_width, m_height, SWP_SHOWWINDOW);
    glViewport(0, 0, m_width, m_height);
    m_body(*this);
    EndDialog(IDOK);
    return TRUE;
}
