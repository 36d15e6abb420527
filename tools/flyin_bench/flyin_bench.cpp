// Fly-in benchmark: the main menu flown in over a full board in play (80
// pieces, shadows and the reflection on) at 1920 x 1080 under the program's
// own GL set-up, on the real clock. Run it on a display (tests/xvfb-exec for
// the software renderer).
//
//   flyin_bench [fly-ins] [--plain] [--program DIR]
//
// --plain runs on a format without multisampling. Prints the frames each
// fly-in showed and, for comparison, what one frame costs drawn from the
// kept still picture and drawn as a full redraw of the scene.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interface/clock_hooks.h"
#include "interface/fly_in.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/main_menu.h"
#include "interface/overlay.h"
#include "platform/gl_context.h"
#include "platform/process.h"
#include "platform/program_folder.h"
#include "rules/live_options.h"
#include "scene/frame_state.h"
#include "scene/renderer.h"
#include "scene/still_frame.h"
#include "tests/support/scene_window.h"

namespace {

struct Options {
    int flyIns = 10;
    std::string programDir = VELMONAR_PROGRAM_DIR;
    bool plainFormat = false;
};

int g_looks = 0;
DWORD CountingTick()
{
    ++g_looks;
    return GetTickCount();
}

double MsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Milliseconds per frame of n frames drawn by one.
template <typename Frame>
double MsPerFrame(int n, Frame frame)
{
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < n; ++i) frame();
    glFinish();
    return MsSince(start) / n;
}

void Measure(const Options& options, SceneWindow& window)
{
    if (!ArrangeGameInPlay(5, 9)) {
        std::fprintf(stderr, "flyin_bench: the ready-made setups cannot be read\n");
        std::exit(1);
    }
    g_shadowsOn = 1;
    g_reflectionOn = 1;
    g_animationsOn = 1;
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
    g_panelVisible[PANEL_FLAG_MAIN_MENU] = 1;
    RenderFrame();  // warm-up: first use of every texture

    // The fly-ins themselves, frames counted by the looks at the clock (the
    // first and the last look draw none).
    g_clockHooks.tick = CountingTick;
    int fewest = 1 << 30, most = 0, total = 0;
    double setUpMs = 0.0;
    for (int i = 0; i < options.flyIns; ++i) {
        g_looks = 0;
        const auto start = std::chrono::steady_clock::now();
        AnimateMainMenu();
        glFinish();
        const double ms = MsSince(start);
        LayoutMainMenu();
        const int frames = std::max(0, g_looks - 2);
        fewest = std::min(fewest, frames), most = std::max(most, frames), total += frames;
        setUpMs += ms - g_flyInDuration;
    }
    ResetClockHooks();

    // One fly-in frame from the kept picture, and one full redraw instead.
    const HDC dc = wglGetCurrentDC();
    g_overlayOn = 0;
    KeepNextFrame();
    RenderFrame();
    g_overlayOn = 1;
    const double stillMs = MsPerFrame(30, [dc] {
        DrawStillFrame();
        DrawOverlay();
        glFlush();
        SwapBuffers(dc);
    });
    ReleaseStillFrame();
    const double redrawMs = MsPerFrame(30, [] { RenderFrame(); });

    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    std::printf("window: %dx%d, pieces: 80, shadows: on, reflection: on, fly-ins: %d\n", window.m_clientWidth,
                window.m_clientHeight, options.flyIns);
    std::printf("renderer: %s, samples: %d\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)), samples);
    std::printf("setup_ms: %.1f\n", setUpMs / options.flyIns);
    std::printf("still_frame_ms: %.2f\n", stillMs);
    std::printf("redraw_frame_ms: %.2f\n", redrawMs);
    std::printf("redraw_frames_per_flyin: %.1f\n", g_flyInDuration / redrawMs);
    std::printf("flyin_frames_min: %d\n", fewest);
    std::printf("flyin_frames_max: %d\n", most);
    std::printf("flyin_frames: %.1f\n", static_cast<double>(total) / options.flyIns);
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--program") && i + 1 < argc)
            options.programDir = argv[++i];
        else if (!std::strcmp(argv[i], "--plain"))
            options.plainFormat = true;
        else if (std::atoi(argv[i]) > 0)
            options.flyIns = std::atoi(argv[i]);
    }

    // A driver that offers no multisampled format.
    const WglDriverOverride noMultisample = {nullptr, nullptr};
    if (options.plainFormat) SetWglDriverOverride(&noMultisample);

    int status = 0;
    CWinApp app;
    SceneWindow window(1920, 1080, [&](SceneWindow& w) {
        // The menu's captions in English, built with the textures.
        g_appDir = options.programDir.c_str();
        BuildLanguageList();
        LoadLanguage(2);
        if (!LoadSceneState(options.programDir.c_str())) {
            std::fprintf(stderr, "flyin_bench: cannot load the scene from %s\n", options.programDir.c_str());
            status = 1;
            return;
        }
        Measure(options, w);
    });
    app.m_pMainWnd = &window;
    window.DoModal();
    app.m_pMainWnd = nullptr;
    wglMakeCurrent(nullptr, nullptr);
    if (window.m_hRC) wglDeleteContext(window.m_hRC);
    std::fflush(stdout);
    return status;
}
