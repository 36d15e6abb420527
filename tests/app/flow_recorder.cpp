#include "tests/app/flow_recorder.h"

#include "app/flow_hooks.h"
#include "app/host_tables.h"
#include "online/online_state.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/rules_host.h"
#include "scene/board_drawing.h"
#include "scene/frame_state.h"
#include "tests/support/board_fixture.h"

namespace {

std::vector<FlowEvent> g_events;
DWORD g_now = 100000;

void Frame()
{
    FlowEvent& e = AddFlowEvent("frame");
    e.animState = g_pieceAnimState;
    e.animOffset = g_animOffset;
    e.showPlayer = g_showBattlePlayer;
    e.showOpponent = g_showBattleOpponent;
    e.drop[0] = g_dropRow;
    e.drop[1] = g_dropCol;
    e.setupPhase = g_setupPhase;
    e.setupMode = g_setupMode;
}

BOOL Sound(const char* path, void*, DWORD)
{
    const std::string file = path;
    AddFlowEvent(file.substr(file.rfind('/') + 1));
    return TRUE;
}

}  // namespace

FlowEvent& AddFlowEvent(const std::string& name)
{
    g_events.push_back(FlowEvent{});
    g_events.back().name = name;
    g_events.back().clock = g_now;
    return g_events.back();
}

std::vector<FlowEvent>& FlowEvents() { return g_events; }

std::vector<std::string> FlowNames()
{
    std::vector<std::string> names;
    for (const FlowEvent& e : g_events) names.push_back(e.name);
    return names;
}

std::vector<FlowEvent> Frames()
{
    std::vector<FlowEvent> frames;
    for (const FlowEvent& e : g_events)
        if (e.name == "frame") frames.push_back(e);
    return frames;
}

void InstallFlowRecorder()
{
    InstallHostTables();
    g_rulesHost.renderFrame = Frame;
    g_rulesHost.playSound = Sound;
    g_flowHooks.tick = [] { return g_now += 5; };
    g_flowHooks.sleep = [](DWORD ms) {
        AddFlowEvent("sleep " + std::to_string(ms));
        g_now += ms;
    };
    g_flowHooks.renderFrame = Frame;
    g_flowHooks.playSound = Sound;
    g_flowHooks.pickUnderMouse = [] { AddFlowEvent("pick"); };
    g_flowHooks.beginThread = [](AFX_THREADPROC fn, LPVOID) -> CWinThread* {
        AddFlowEvent("thread").thread = fn;
        static CWinThread started;
        return &started;
    };
    g_flowHooks.buildPieceTextures = [](int) { AddFlowEvent("pieceTextures"); };
    g_flowHooks.rebuildPanelTextures = [](int) { AddFlowEvent("panelTextures"); };
    g_appDir = "/nonexistent-velmonar";
    ClearFlowEvents();
}

void ClearFlowEvents() { g_events.clear(); }

void StartFlowGame()
{
    StartPlayPosition();
    g_setupMode = 1;
    for (int& flag : g_panelVisible) flag = 0;
    g_sceneReady = 1;
    g_fadeInProgress = 0;
    g_onlineGame = g_matchPending = g_onlineTurn = 0;
    g_animationsOn = 1;
    g_hoverTraySlot = -1;
    ClearFlowEvents();
}

void PutPiece(int x, int y, int owner, int rank)
{
    g_cellOwner[x][y] = owner;
    g_cellRank[x][y] = rank;
}
