#include "app/debug_dump.h"

#include <cstdlib>
#include <locale>
#include <sstream>

#include "interface/caption_bar.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/widgets.h"
#include "platform/files.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/frame_state.h"

namespace {

std::string g_dumpPath;
int g_dumpSequence = 0;

void Pair(std::ostringstream& out, const char* name, int a, int b)
{
    out << ' ' << name << '=' << a << ',' << b;
}

void Move(std::ostringstream& out, const char* name, const MoveRecord& m)
{
    out << ' ' << name << '=' << m.fromX << ',' << m.fromY << ',' << m.toX << ',' << m.toY;
}

// Hover ids of the widgets that answer the mouse, by widget index (0 none).
struct HoverRun {
    int firstWidget, lastWidget, firstId, step;  // step 0: one id for the whole run
};
const HoverRun kHoverRuns[] = {
    {0, 7, 6, 1},      {26, 32, 15, 1},   {52, 53, 22, 0},   {54, 55, 24, 0},   {56, 57, 26, 0},
    {59, 60, 29, 0},   {61, 62, 31, 0},   {64, 65, 35, 0},   {69, 70, 32, 1},   {78, 79, 36, 0},
    {80, 81, 37, 0},   {82, 83, 38, 0},   {84, 85, 39, 0},   {86, 87, 40, 0},   {88, 89, 41, 0},
    {92, 93, 43, 1},   {103, 104, 46, 0}, {105, 106, 47, 0}, {107, 108, 48, 1}, {133, 134, 53, 1},
    {151, 157, 60, 1}, {179, 180, 68, 1}, {201, 207, 71, 1}, {230, 231, 79, 1}, {254, 255, 82, 1},
    {278, 279, 85, 1}, {304, 305, 88, 1}, {326, 344, 90, 1}, {352, 353, 110, 1}, {378, 378, 112, 1},
    {401, 403, 130, 1}, {450, 450, 150, 1}, {475, 476, 170, 1}, {500, 502, 180, 0},
};

int HoverIdOfWidget(int widget)
{
    for (const HoverRun& run : kHoverRuns)
        if (widget >= run.firstWidget && widget <= run.lastWidget)
            return run.firstId + run.step * (widget - run.firstWidget);
    return 0;
}

void Rect(std::ostringstream& out, bool& first, const std::string& name, int id, const RECT& r)
{
    out << (first ? "" : ";") << name << ':' << id << ':' << r.left << ',' << r.top << ',' << r.right << ','
        << r.bottom;
    first = false;
}

bool PanelShown(int panel)
{
    const int flag = PanelFlagOfPanel(panel);
    if (flag >= 0) return g_panelVisible[PANEL_FLAG_MENU_MODE] == 1 && g_panelVisible[flag] == 1;
    switch (panel) {
    case PANEL_ONLINE_STATUS: return OnlineStatusShown();
    case PANEL_NEWS_BANNER: return NewsBannerShown();
    case PANEL_SETUP_CHOICE: return SetupChoiceShown();
    case PANEL_ONLINE_BANNER: return OnlineBannerShown();
    default: return false;
    }
}

// The fixed elements, then every laid-out widget of every panel shown.
void HitRects(std::ostringstream& out)
{
    out << " hits=";
    bool first = true;
    const char* const captionNames[4] = {"close", "maximise", "minimise", "help"};
    for (int k = 0; k < 4; ++k) Rect(out, first, captionNames[k], k + 1, g_captionButtonRect[k]);
    Rect(out, first, "menu", 5, g_menuButtonRect);
    Rect(out, first, "textclose", 115, g_textCloseRect);
    for (int panel = 0; panel < PANEL_USED_COUNT; ++panel) {
        if (!PanelShown(panel)) continue;
        for (int item = 0; item < PANEL_ITEMS; ++item) {
            const int w = WidgetIndex(panel, item);
            const RECT& r = g_widgetHitRect[w];
            if (r.right > r.left && r.bottom > r.top) Rect(out, first, "w" + std::to_string(w), HoverIdOfWidget(w), r);
        }
    }
}

}  // namespace

void StartDebugDump()
{
    const char* path = std::getenv("VELMONAR_DEBUG_DUMP");
    g_dumpPath = path ? path : "";
    g_dumpSequence = 0;
}

void StopDebugDump()
{
    g_dumpPath.clear();
}

std::string DebugDumpLine(int sequence)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << "seq=" << sequence << " ready=" << g_sceneReady << " fade=" << g_fadeInProgress << " panels=";
    for (int flag : g_panelVisible) out << flag;
    out << " setup=" << g_setupPhase << " mode=" << g_setupMode << " over=" << g_gameOver
        << " loser=" << g_losingSide << " tray=";
    for (int r = 0; r < RANK_KINDS; ++r) out << (r ? "," : "") << g_trayCount[r];
    out << " rank=" << g_selectedTrayRank;
    Pair(out, "hover", g_hoverRow[0], g_hoverRow[1]);
    Pair(out, "selected", g_selectedRow[0], g_selectedRow[1]);
    Move(out, "last", g_lastMove);
    out << " dir=" << g_lastMoveDirection;
    Move(out, "forbidden", g_forbiddenMove[1]);
    out << " cells=";
    for (int y = 1; y <= 10; ++y)
        for (int x = 1; x <= 10; ++x)
            out << (x == 1 && y == 1 ? "" : ",") << g_cellOwner[x][y] << '/' << g_cellRank[x][y];
    out << " lang=" << g_language[0];
    HitRects(out);
    return out.str();
}

void WriteDebugDump()
{
    if (g_dumpPath.empty()) return;
    WriteFileAtomically(g_dumpPath, DebugDumpLine(++g_dumpSequence) + "\n");
}
