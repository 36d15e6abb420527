// Help window benchmark: the time from a press on the caption bar's help
// button to the shown page (the page built anew, uploaded and the frame
// drawn and swapped), and the same from the main menu's rules entry, in the
// main dialog at 1920 x 1080 with the start-up's loading done. Run it on a
// display (tests/xvfb-exec for the software renderer).
//
//   help_bench [openings] [--program DIR]
//
// Prints each opening and "help_open_ms: X" (the median) as its last line.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "interface/caption_bar.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/widgets.h"
#include "platform/program_folder.h"
#include "platform/window_input.h"
#include "rules/live_options.h"
#include "scene/frame_state.h"
#include "tests/support/scene_window.h"

namespace {

void Press(SceneWindow& window, const RECT& r)
{
    InputEvent e;
    e.kind = InputKind::Press;
    e.button = 1;
    e.x = (r.left + r.right) / 2;
    e.y = (r.top + r.bottom) / 2;
    DispatchInput(window, e);
    e.kind = InputKind::Release;
    DispatchInput(window, e);
}

// Milliseconds from the press on `opener` to the page drawn and finished.
double TimeOpening(SceneWindow& window, const RECT& opener)
{
    const auto start = std::chrono::steady_clock::now();
    Press(window, opener);
    glFinish();
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (g_panelVisible[PANEL_FLAG_TEXT_WINDOW] != 1) return -1.0;
    Press(window, g_textCloseRect);
    return ms;
}

}  // namespace

int main(int argc, char** argv)
{
    int openings = 5;
    std::string programDir = VELMONAR_PROGRAM_DIR;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--program") == 0 && i + 1 < argc)
            programDir = argv[++i];
        else
            openings = std::max(1, std::atoi(argv[i]));
    }
    std::vector<double> times;
    bool failed = false;
    SceneWindow window(1920, 1080, [&](SceneWindow& w) {
        // The texts first, as the start-up reads them: the captions are built from them.
        g_appDir = programDir.c_str();
        LoadLanguage(1);
        if (!LoadSceneState(programDir.c_str())) {
            std::printf("the program folder %s could not be loaded\n", programDir.c_str());
            failed = true;
            return;
        }
        g_animationsOn = 0;
        for (int n = 0; n < openings && !failed; ++n) {
            const double help = TimeOpening(w, g_captionButtonRect[3]);
            // The rules entry of the main menu, opened with the menu button.
            Press(w, g_menuButtonRect);
            const double rules = TimeOpening(w, g_widgetHitRect[WidgetIndex(PANEL_MAIN_MENU, 3)]);
            Press(w, g_menuButtonRect);
            failed = help < 0 || rules < 0;
            std::printf("opening %d: help button %.1f ms, rules entry %.1f ms\n", n + 1, help, rules);
            times.push_back(help);
            times.push_back(rules);
        }
    });
    if (window.DoModal() == -1) {
        std::printf("no GL window could be made\n");
        return 1;
    }
    if (failed || times.empty()) return 1;
    std::sort(times.begin(), times.end());
    std::printf("help_open_ms: %.1f\n", times[times.size() / 2]);
    return 0;
}
