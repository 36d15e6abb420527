// The frame probe: a window at the game's size and pixel format (the game's
// own choice: 4 samples when the driver has them) that clears, draws one
// textured full-window quad and swaps, N times. What the software renderer
// gives a frame that does nothing else: the ceiling of the game's frame rate.
//
//   frame_probe [frames] [--plain] [--size WxH]
//
// Prints "probe_samples: S", "probe_cpu_ms: C" (processor time of a frame
// over all threads), "probe_rss_mb: R" (resident memory after the frames: a
// bare window of this format) and last "probe_fps: F".
#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/gl_context.h"
#include "platform/window.h"
#include "scene/PixselFormat.h"
#include "scene/camera.h"
#include "tools/frame_probe/probe_run.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

namespace {

const DialogTemplate kProbeTemplate = {911, 0, 0, 100, 60, true, {}};

struct Settings {
    int frames = 300;
    int width = 1920;
    int height = 1080;
    bool plain = false;
};

class ProbeWindow : public CDialog {
public:
    explicit ProbeWindow(const Settings& settings) : CDialog(kProbeTemplate), m_settings(settings) {}
    ~ProbeWindow() override
    {
        wglMakeCurrent(nullptr, nullptr);
        if (m_context) wglDeleteContext(m_context);
        delete m_dc;
    }
    bool ok = false;

protected:
    int OnCreate(void*) override
    {
        m_dc = new CClientDC(this);
        if (!SetupPixelFormat(m_dc->m_hDC)) return -1;
        m_context = wglCreateContext(m_dc->m_hDC);
        return m_context && wglMakeCurrent(m_dc->m_hDC, m_context) ? 0 : -1;
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetWindowPos(nullptr, 0, 0, m_settings.width, m_settings.height, SWP_SHOWWINDOW);
        Run();
        EndDialog(IDOK);
        return TRUE;
    }

private:
    void Run();
    Settings m_settings;
    CClientDC* m_dc = nullptr;
    HGLRC m_context = nullptr;
};

// A 512 x 512 picture of soft bands, as large as the game's background.
GLuint MakeTexture()
{
    constexpr int SIDE = 512;
    std::vector<unsigned char> rgb(SIDE * SIDE * 3);
    for (int y = 0; y < SIDE; ++y)
        for (int x = 0; x < SIDE; ++x) {
            unsigned char* p = &rgb[(static_cast<size_t>(y) * SIDE + x) * 3];
            p[0] = static_cast<unsigned char>(x / 2);
            p[1] = static_cast<unsigned char>(y / 2);
            p[2] = static_cast<unsigned char>((x + y) / 4);
        }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, SIDE, SIDE, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

void Frame(HDC dc, double width, double height)
{
    glEnable(GL_MULTISAMPLE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    WindowQuad(width, height);
    glFlush();
    SwapBuffers(dc);
    glDisable(GL_MULTISAMPLE);
}

void ProbeWindow::Run()
{
    const double width = m_settings.width, height = m_settings.height;
    glViewport(0, 0, m_settings.width, m_settings.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, height, -100.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.1f, 0.3f, 0.2f, 0.0f);
    MakeTexture();

    const HDC dc = m_dc->m_hDC;
    Frame(dc, width, height);  // warm-up
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < m_settings.frames; ++i) Frame(dc, width, height);
    glFinish();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    std::printf("probe_samples: %d\n", samples);
    std::printf("probe_cpu_ms: %.2f\n", 1000.0 * cpuSeconds / m_settings.frames);
    std::printf("probe_rss_mb: %.1f\n", ResidentMegabytes());
    std::printf("probe_fps: %.1f\n", m_settings.frames / seconds);
    ok = true;
}

}  // namespace

int main(int argc, char** argv)
{
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--plain"))
            settings.plain = true;
        else if (!std::strcmp(argv[i], "--size") && i + 1 < argc)
            std::sscanf(argv[++i], "%dx%d", &settings.width, &settings.height);
        else if (std::atoi(argv[i]) > 0)
            settings.frames = std::atoi(argv[i]);
    }
    // A driver that offers no multisampled format.
    const WglDriverOverride noMultisample = {nullptr, nullptr};
    if (settings.plain) SetWglDriverOverride(&noMultisample);

    CWinApp app;
    ProbeWindow window(settings);
    app.m_pMainWnd = &window;
    window.DoModal();
    app.m_pMainWnd = nullptr;
    std::fflush(stdout);
    return window.ok ? 0 : 1;
}
