// A dialog with a GL context of its own (the first pixel format with a 16-bit
// depth buffer), sized and shown, that runs a body and ends: for tests and
// benchmarks that need a real GL window without the main dialog.
#pragma once

#include <functional>

#include "platform/gl_context.h"
#include "platform/window.h"

class GlTestDialog : public CDialog {
public:
    // width or height 0: the size of the display.
    GlTestDialog(int width, int height, std::function<void(GlTestDialog&)> body);
    ~GlTestDialog() override;

    HDC Dc() const { return m_dc ? m_dc->m_hDC : nullptr; }
    HGLRC Context() const { return m_context; }
    int PixelFormat() const { return m_pixelFormat; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The context stays the caller's to delete after DoModal (the window
    // releases it, it does not delete it).
    void KeepContext() { m_keepContext = true; }

protected:
    int OnCreate(void* createStruct) override;
    BOOL OnInitDialog() override;

private:
    int m_width;
    int m_height;
    std::function<void(GlTestDialog&)> m_body;
    CClientDC* m_dc = nullptr;
    HGLRC m_context = nullptr;
    int m_pixelFormat = 0;
    bool m_keepContext = false;
};
