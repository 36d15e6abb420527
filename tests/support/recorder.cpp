#include "tests/support/recorder.h"

#include <cstring>

#include "rules/rules_host.h"

namespace {

std::vector<RecordedCall> g_calls;

RecordedCall& Record(const char* name, std::vector<int> args)
{
    RecordedCall call;
    call.name = name;
    call.args = std::move(args);
    std::memcpy(call.owner, g_cellOwner, sizeof call.owner);
    std::memcpy(call.rank, g_cellRank, sizeof call.rank);
    std::memcpy(call.trayCount, g_trayCount, sizeof call.trayCount);
    call.hoverRow[0] = g_hoverRow[0];
    call.hoverRow[1] = g_hoverRow[1];
    call.selectedTrayRank = g_selectedTrayRank;
    call.gameOver = g_gameOver;
    g_calls.push_back(call);
    return g_calls.back();
}

void FinishSetup() { Record("FinishSetup", {}); }

void AnimatePlacement(int x, int y) { Record("AnimatePlacement", {x, y}); }

void ShowMoveResult(int phase, int result, int fromX, int fromY, int toX, int toY)
{
    Record("ShowMoveResult", {phase, result, fromX, fromY, toX, toY});
}

void RenderFrame() { Record("RenderFrame", {}); }

BOOL PlaySound(const char* path, void* module, DWORD flags)
{
    RecordedCall& call = Record("PlaySoundA", {});
    call.path = path ? path : "";
    call.module = module;
    call.flags = flags;
    return TRUE;
}

void ShowGameOverPanel() { Record("ShowGameOverPanel", {}); }

}  // namespace

void InstallRecorder()
{
    g_rulesHost = RulesHost{FinishSetup, AnimatePlacement, ShowMoveResult, RenderFrame, PlaySound, ShowGameOverPanel};
}

std::vector<RecordedCall>& RecordedCalls() { return g_calls; }
void ClearRecordedCalls() { g_calls.clear(); }

std::vector<std::string> RecordedNames()
{
    std::vector<std::string> names;
    for (const auto& call : g_calls) names.push_back(call.name);
    return names;
}
