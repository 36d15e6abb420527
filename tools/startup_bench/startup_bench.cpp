// Times the loading work between the start-up fades (models, board geometry,
// tray, pick colours, grid bands, font, textures, tally, normals, shades and
// tints, search tables, layout) in the game's own window: 1920 x 1080 with
// its pixel format and GL set-up. After the first run a new game is drawn
// once, and the process's resident memory then is set against a bare window
// of the same size and format (the frame probe, run afterwards).
//
//   startup_bench [program folder] [runs]
//
// Prints one line per run, "rss_mb: R" (resident after the first start-up and
// its first frame), "peak_rss_mb: P", the probe's "probe_rss_mb: B",
// "rss_over_probe_mb: R - B" and last "load_ms: X" (the median of the runs).
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/startup_loader.h"
#include "interface/options.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "scene/frame_state.h"
#include "scene/renderer.h"
#include "tests/support/scene_window.h"
#include "tools/frame_probe/probe_run.h"

namespace {

const char* g_folder = VELMONAR_PROGRAM_DIR;
int g_runs = 5;
std::vector<double> g_times;
bool g_failed = false;
double g_residentMb = 0.0;

// The loading work, timed run by run.
void TimeLoading(SceneWindow&)
{
    for (int run = 0; run < g_runs && !g_failed; ++run) {
        const auto start = std::chrono::steady_clock::now();
        // The first run is the whole start-up's loading work, the next ones
        // the same work again over the same window.
        const bool loaded = run == 0 ? LoadSceneState(g_folder) : LoadStartupData() == STARTUP_DATA_OK;
        glFinish();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (!loaded) {
            std::printf("run %d: the program folder %s could not be loaded\n", run + 1, g_folder);
            g_failed = true;
            break;
        }
        g_times.push_back(ms);
        std::printf("run %d: %.1f ms\n", run + 1, ms);
        if (run == 0) {
            // What the player's first frame adds: the textures in use, the frame's buffers.
            RenderFrame();
            glFinish();
            g_residentMb = ResidentMegabytes();
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1) g_folder = argv[1];
    if (argc > 2) g_runs = std::max(1, std::atoi(argv[2]));
    {
        CWinApp app;
        SceneWindow window(1920, 1080, TimeLoading);
        app.m_pMainWnd = &window;
        if (window.DoModal() == -1) {
            std::printf("no GL window could be made\n");
            return 1;
        }
        app.m_pMainWnd = nullptr;
    }
    if (g_failed || g_times.empty()) return 1;
    std::printf("rss_mb: %.1f\n", g_residentMb);
    std::printf("peak_rss_mb: %.1f\n", PeakResidentMegabytes());
    const ProbeFigures probe = RunFrameProbe(30, "");
    if (probe.ran) {
        std::printf("probe_rss_mb: %.1f\n", probe.rssMb);
        std::printf("rss_over_probe_mb: %.1f\n", g_residentMb - probe.rssMb);
    } else {
        std::printf("the frame probe did not run\n");
    }
    std::sort(g_times.begin(), g_times.end());
    std::printf("load_ms: %.1f\n", g_times[g_times.size() / 2]);
    return 0;
}
