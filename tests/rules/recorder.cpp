// Stand-ins for the rules' out-calls in a build of the rules alone. Linked as
// an object file, these definitions keep the archive members that hold the
// program's own versions (sound, game flow, renderer) out of the test.
#include "tests/rules/recorder.h"

#include <cstring>

#include "app/setup_end.h"
#include "app/startup_loader.h"
#include "app/turn_presentation.h"
#include "interface/options.h"
#include "platform/sound.h"
#include "scene/renderer.h"

CString g_appDir;
int g_animationsOn = 1;

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

}  // namespace

std::vector<RecordedCall>& RecordedCalls() { return g_calls; }
void ClearRecordedCalls() { g_calls.clear(); }

std::vector<std::string> RecordedNames()
{
    std::vector<std::string> names;
    for (const auto& call : g_calls)
        names.push_back(call.name);
    return names;
}

void FinishSetup() { Record("FinishSetup", {}); }

void AnimatePlacement(int x, int y) { Record("AnimatePlacement", {x, y}); }

void ShowMoveResult(int phase, int result, int fromX, int fromY, int toX, int toY)
{
    Record("ShowMoveResult", {phase, result, fromX, fromY, toX, toY});
}

void RenderFrame() { Record("RenderFrame", {}); }

BOOL PlaySoundA(const char* path, void* module, DWORD flags)
{
    RecordedCall& call = Record("PlaySoundA", {});
    call.path = path ? path : "";
    call.module = module;
    call.flags = flags;
    return TRUE;
}
