// Scene benchmark: N frames of a full board (80 pieces, shadows and the
// reflection on) and N pick passes at the window size, under the program's
// own GL set-up. Run it on a display (tests/xvfb-exec for the software
// renderer). It prints "render_cpu_ms: Z" (the processor time of a frame over
// all threads), "render_fps: X" and "pick_ms: Y" (the frames are alike, so
// the mirror image is kept from the first one; with the reflection on,
// "redrawn_cpu_ms" and "redrawn_fps" give the same frames with the mirror
// image drawn anew each time, as while pieces move), then the frame probe's
// figures of the same run (a window of the same size and format that only
// clears, draws one textured quad and swaps) and last "of_probe: F", the
// share of the probe's frame rate the scene reaches.
//
//   scene_bench [frames] [--plain] [--no-reflection] [--passes] [--setup] [--help-page]
//               [--program DIR] [--shots DIR [--hold SECONDS]]
//
// --plain runs on a format without multisampling; --no-reflection draws the
// frames with the reflection option off.
//
// --setup times the automatic setup from the click on its button to the
// board in play (80 drops with their frames), as "setup_s"; --help-page times
// a press of the help button that builds the help page anew and shows it, as
// "help_open_ms" (the best of the runs; the page's build alone as
// "help_build_ms").
//
// --passes times the frame's costly passes one by one (glFinish after each)
// and prints milliseconds per pass before the two figures.
//
// --shots writes start-up.ppm, setup.ppm and play.ppm (what the window
// shows after each frame) into DIR instead of measuring; --hold keeps the
// last one on screen for a screenshot of the whole display.
#define FL_INTERNALS 1
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <GL/gl.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/board_clicks.h"
#include "app/game_state.h"
#include "app/turn_presentation.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/text_window.h"
#include "interface/layout.h"
#include "interface/panel_textures.h"
#include "interface/widgets.h"
#include "interface/options.h"
#include "online/online_state.h"
#include "platform/gl_context.h"
#include "platform/process.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/camera.h"
#include "scene/frame_state.h"
#include "scene/board_drawing.h"
#include "scene/picking.h"
#include "scene/reflection.h"
#include "scene/renderer.h"
#include "tests/support/scene_window.h"
#include "tools/frame_probe/probe_run.h"

namespace {

double g_renderFps = 0.0;  // of the last measurement

struct Options {
    int frames = 300;
    std::string programDir = VELMONAR_PROGRAM_DIR;
    std::string shotDir;
    int holdSeconds = 0;        // after the shots: the board in play stays on screen this long
    bool plainFormat = false;  // no multisampling, as on a driver without it
    bool reflection = true;
    bool passes = false;       // time the passes one by one
    bool setup = false;        // time the automatic setup
    bool helpPage = false;     // time the opening of the help page
};

// Writes what the window shows (read back from the X server after the swap) as a PPM picture.
bool WriteShownFrame(const std::string& path, int width, int height)
{
    glFinish();
    Fl_Window* window = Fl::first_window();
    if (!window) return false;
    XSync(fl_display, False);
    XImage* image = XGetImage(fl_display, fl_xid(window), 0, 0, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return false;
    std::vector<unsigned char> row(static_cast<size_t>(width) * 3);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
        std::fprintf(f, "P6\n%d %d\n255\n", width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const unsigned long value = XGetPixel(image, x, y);
                row[static_cast<size_t>(x) * 3] = static_cast<unsigned char>((value >> 16) & 0xFF);
                row[static_cast<size_t>(x) * 3 + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
                row[static_cast<size_t>(x) * 3 + 2] = static_cast<unsigned char>(value & 0xFF);
            }
            std::fwrite(row.data(), 1, row.size(), f);
        }
    }
    XDestroyImage(image);
    return f && std::fclose(f) == 0;
}

// The three boards worth looking at.
bool TakeShots(SceneWindow& window, const std::string& dir)
{
    const int w = window.m_clientWidth, h = window.m_clientHeight;
    const struct {
        bool (*arrange)();
        const char* file;
    } shots[] = {{ArrangeStartUpShot, "/start-up.ppm"}, {ArrangeSetupShot, "/setup.ppm"}, {ArrangePlayShot, "/play.ppm"}};
    for (const auto& shot : shots) {
        if (!shot.arrange()) return false;
        RenderFrame();
        if (!WriteShownFrame(dir + shot.file, w, h)) return false;
    }
    return true;
}

struct PassTime {
    double ms;     // wall-clock milliseconds per call
    double cpuMs;  // processor milliseconds per call over all threads
};

// Time per call of pass, finished each time.
template <typename Pass>
PassTime TimePass(int count, Pass pass)
{
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < count; ++i) {
        pass();
        glFinish();
    }
    const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return PassTime{1000.0 * seconds / count, 1000.0 * cpuSeconds / count};
}

// Where a frame's time goes: the passes the reflection adds and the ones it shares with every frame.
void MeasurePasses(int count)
{
    struct Row {
        const char* name;
        PassTime time;
    };
    const auto inBoardSpace = [](auto draw) {
        return [draw] {
            ApplyBoardTranslation();
            draw();
            UndoBoardTranslation();
        };
    };
    glEnable(GL_MULTISAMPLE);
    const Row rows[] = {
        {"mirror pass, drawn", TimePass(count, inBoardSpace([] {
                                             ForgetMirrorImage();
                                             RenderReflectionTexture();
                                         }))},
        {"mirror pass, kept", TimePass(count, inBoardSpace(RenderReflectionTexture))},
        {"clear", TimePass(count, [] { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); })},
        {"board", TimePass(count, inBoardSpace([] { DrawBoard(1); }))},
        {"shadows on the board", TimePass(count, inBoardSpace([] { DrawPieceShadows(1); }))},
        {"mirror image quad", TimePass(count, DrawReflection)},
        {"grid overlay", TimePass(count, inBoardSpace(DrawGridOverlay))},
        {"background", TimePass(count, DrawBackground)},
        {"pieces and faces", TimePass(count, inBoardSpace([] {
                                           DrawPieces();
                                           DrawPieceFaces();
                                       }))},
        {"shadows on the pieces", TimePass(count, inBoardSpace([] { DrawPieceShadows(0); }))},
        {"whole frame", TimePass(count, RenderFrame)},
    };
    glDisable(GL_MULTISAMPLE);
    for (const Row& row : rows)
        std::printf("pass %-22s ms %7.3f cpu_ms %7.3f\n", row.name, row.time.ms, row.time.cpuMs);
}

void Measure(const Options& options, SceneWindow& window)
{
    if (!ArrangeGameInPlay(5, 9)) {
        std::fprintf(stderr, "scene_bench: the ready-made setups cannot be read\n");
        std::exit(1);
    }
    g_shadowsOn = 1;
    g_reflectionOn = options.reflection ? 1 : 0;
    g_hoverRow[0] = 4;
    g_hoverRow[1] = 4;
    g_lastMove = MoveRecord{2, 4, 2, 5};
    g_lastMoveDirection = 4;

    RenderFrame();  // warm-up: first use of every texture
    glFinish();
    if (options.passes) MeasurePasses(options.frames);
    auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < options.frames; ++i) RenderFrame();
    glFinish();
    const double renderSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double renderCpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    // Picks over a grid of points across the window, as the mouse would move.
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < options.frames; ++i) {
        g_pickPoint[0] = (i * 37) % window.m_clientWidth;
        g_pickPoint[1] = (i * 53) % window.m_clientHeight;
        PickUnderMouse();
    }
    glFinish();
    const double pickSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // The same frames, each with its mirror image drawn anew.
    start = std::chrono::steady_clock::now();
    const std::clock_t redrawnCpuStart = std::clock();
    for (int i = 0; i < options.frames && options.reflection; ++i) {
        ForgetMirrorImage();
        RenderFrame();
    }
    glFinish();
    const double redrawnSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double redrawnCpuSeconds = static_cast<double>(std::clock() - redrawnCpuStart) / CLOCKS_PER_SEC;

    std::printf("window: %dx%d, frames: %d, pieces: 80, shadows: on, reflection: %s\n", window.m_clientWidth,
                window.m_clientHeight, options.frames, options.reflection ? "on" : "off");
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    std::printf("renderer: %s, samples: %d\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)), samples);
    // The renderer's threads together: steadier than the frame rate on a busy machine.
    std::printf("render_cpu_ms: %.2f\n", 1000.0 * renderCpuSeconds / options.frames);
    g_renderFps = options.frames / renderSeconds;
    std::printf("render_fps: %.1f\n", g_renderFps);
    std::printf("pick_ms: %.3f\n", 1000.0 * pickSeconds / options.frames);
    if (options.reflection) {
        std::printf("redrawn_cpu_ms: %.2f\n", 1000.0 * redrawnCpuSeconds / options.frames);
        std::printf("redrawn_fps: %.1f\n", options.frames / redrawnSeconds);
    }
}

double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The click on the automatic setup's button of a new game, to the board in
// play: 40 drops of the player's pieces and 40 of the opponent's, each with
// its frames. The computer does not move first, so no search is timed.
void MeasureSetup()
{
    constexpr int DROPS = 80;
    // The texts of the setup choice's buttons, laid out as the start-up does.
    LoadLanguage(1);
    RebuildPanelTextures(REBUILD_COLOUR);
    LayoutAll();
    double best = 0.0;
    for (int run = 0; run < 3; ++run) {
        NewGame();
        g_setupMode = 0;  // the choice between automatic and manual setup offered
        g_computerMovesFirst = 0;
        for (int& flag : g_panelVisible) flag = 0;
        const RECT& r = g_widgetHitRect[WIDGET_SETUP_AUTOMATIC];
        const CPoint button((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        const auto start = std::chrono::steady_clock::now();
        if (!ClickSetupChoice(button)) {
            std::printf("the automatic setup's button did not take the click\n");
            return;
        }
        glFinish();
        const double ms = MillisecondsSince(start);
        std::printf("setup run %d: %.2f s\n", run + 1, ms / 1000.0);
        if (run == 0 || ms < best) best = ms;
    }
    std::printf("drops: %d, designed drop time: %.1f ms (%.2f s)\n", DROPS, g_bumpAnimMs / 1.5,
                DROPS * g_bumpAnimMs / 1.5 / 1000.0);
    std::printf("setup_drop_ms: %.1f\n", best / DROPS);
    std::printf("setup_s: %.2f\n", best / 1000.0);
}

// A press of the help button once the page is built on every opening: the
// page built and uploaded, the text window opened over the board, one frame.
void MeasureHelpPage()
{
    ArrangeGameInPlay(5, 9);
    double best = 0.0, bestBuild = 0.0;
    for (int run = 0; run < 5; ++run) {
        for (int& flag : g_panelVisible) flag = 0;
        RenderFrame();
        glFinish();
        const auto start = std::chrono::steady_clock::now();
        LoadHelpText();
        glFinish();
        const double build = MillisecondsSince(start);
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
        g_panelVisible[PANEL_FLAG_TEXT_WINDOW] = 1;
        RenderFrame();
        glFinish();
        const double ms = MillisecondsSince(start);
        std::printf("help run %d: %.1f ms (page %.1f ms)\n", run + 1, ms, build);
        if (run == 0 || ms < best) best = ms;
        if (run == 0 || build < bestBuild) bestBuild = build;
    }
    std::printf("help page: %dx%d\n", g_helpPageWidth, g_helpPageHeight);
    std::printf("help_build_ms: %.1f\n", bestBuild);
    std::printf("help_open_ms: %.1f\n", best);
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
        else if (!std::strcmp(argv[i], "--no-reflection"))
            options.reflection = false;
        else if (!std::strcmp(argv[i], "--passes"))
            options.passes = true;
        else if (!std::strcmp(argv[i], "--setup"))
            options.setup = true;
        else if (!std::strcmp(argv[i], "--help-page"))
            options.helpPage = true;
        else if (!std::strcmp(argv[i], "--hold") && i + 1 < argc)
            options.holdSeconds = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--shots") && i + 1 < argc)
            options.shotDir = argv[++i];
        else if (std::atoi(argv[i]) > 0)
            options.frames = std::atoi(argv[i]);
    }

    // A driver that offers no multisampled format.
    const WglDriverOverride noMultisample = {nullptr, nullptr};
    if (options.plainFormat) SetWglDriverOverride(&noMultisample);

    int status = 0;
    CWinApp app;
    SceneWindow window(1920, 1080, [&](SceneWindow& w) {
        if (!LoadSceneState(options.programDir.c_str())) {
            std::fprintf(stderr, "scene_bench: cannot load the scene from %s\n", options.programDir.c_str());
            status = 1;
            return;
        }
        g_reflectionOn = options.reflection ? 1 : 0;
        if (!options.shotDir.empty()) {
            if (!TakeShots(w, options.shotDir)) status = 1;
            if (options.holdSeconds > 0) Sleep(static_cast<DWORD>(options.holdSeconds) * 1000);
            return;
        }
        if (options.setup) MeasureSetup();
        if (options.helpPage) MeasureHelpPage();
        if (!options.setup && !options.helpPage) Measure(options, w);
    });
    app.m_pMainWnd = &window;
    window.DoModal();
    app.m_pMainWnd = nullptr;
    wglMakeCurrent(nullptr, nullptr);
    if (window.m_hRC) wglDeleteContext(window.m_hRC);
    if (status == 0 && options.shotDir.empty() && !options.setup && !options.helpPage && g_renderFps > 0.0) {
        // The ceiling, in the same X server right after the scene's frames.
        const ProbeFigures probe = RunFrameProbe(options.frames, options.plainFormat ? "--plain" : "");
        if (probe.ran) {
            std::printf("probe_cpu_ms: %.2f\n", probe.cpuMs);
            std::printf("probe_fps: %.1f\n", probe.fps);
            std::printf("of_probe: %.2f\n", g_renderFps / probe.fps);
        } else {
            std::printf("the frame probe did not run\n");
        }
    }
    std::fflush(stdout);
    return status;
}
