// Times the loading work between the start-up fades (models, board geometry,
// tray, pick colours, grid bands, font, textures, tally, normals, shades and
// tints, search tables, layout) on a full-screen GL window.
//
//   startup_bench [program folder] [runs]
//
// Prints one line per run and "load_ms: X" (the median) as its last line.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/host_tables.h"
#include "app/startup_loader.h"
#include "interface/options.h"
#include "platform/program_folder.h"
#include "tests/support/gl_dialog.h"

namespace {

const char* g_folder = VELMONAR_PROGRAM_DIR;
int g_runs = 5;
std::vector<double> g_times;
bool g_failed = false;

// The loading work, timed run by run, on a full-screen GL window in the
// state the main dialog gives it.
void TimeLoading(GlTestDialog&)
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_TEXTURE_2D);

    InstallHostTables();
    g_appDir = g_folder;
    SetStartupOptionDefaults();
    LoadConfig();
    for (int run = 0; run < g_runs && !g_failed; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const StartupDataResult result = LoadStartupData();
        glFinish();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (result != STARTUP_DATA_OK) {
            std::printf("run %d: the program folder %s could not be loaded (%d)\n", run + 1, g_folder,
                        static_cast<int>(result));
            g_failed = true;
            break;
        }
        g_times.push_back(ms);
        std::printf("run %d: %.1f ms\n", run + 1, ms);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1) g_folder = argv[1];
    if (argc > 2) g_runs = std::max(1, std::atoi(argv[2]));
    GlTestDialog dialog(0, 0, TimeLoading);
    if (dialog.DoModal() == -1) {
        std::printf("no GL window could be made\n");
        return 1;
    }
    if (g_failed || g_times.empty()) return 1;
    std::sort(g_times.begin(), g_times.end());
    std::printf("load_ms: %.1f\n", g_times[g_times.size() / 2]);
    return 0;
}
