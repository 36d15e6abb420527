#include "app/debug_dump.h"

#include <cstdlib>
#include <locale>
#include <sstream>

#include "platform/files.h"
#include "rules/board.h"
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
    return out.str();
}

void WriteDebugDump()
{
    if (g_dumpPath.empty()) return;
    WriteFileAtomically(g_dumpPath, DebugDumpLine(++g_dumpSequence) + "\n");
}
