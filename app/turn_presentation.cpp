#include "app/turn_presentation.h"

#include "app/flow_hooks.h"
#include "app/startup_loader.h"
#include "rules/battle.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/search.h"
#include "scene/board_drawing.h"
#include "scene/frame_state.h"

int g_movePauseMs = 300;
int g_battlePauseMs = 1000;
int g_bumpAnimMs = 80;
double g_bumpAmplitude = 0.9;

namespace {

// Owner of a cell; anything off the grid counts as empty.
int OwnerAt(int x, int y)
{
    if (x < 0 || x >= GRID_SIZE || y < 0 || y >= GRID_SIZE) return OWNER_EMPTY;
    return g_cellOwner[x][y];
}

bool IsPlayerOwner(int owner)
{
    return owner == OWNER_PLAYER || owner == OWNER_SELECTED;
}

void SetPair(int pair[2], int x, int y)
{
    pair[0] = x;
    pair[1] = y;
}

void ClearBattleDisplay()
{
    SetPair(g_battlePlayerRow, 0, 0);
    SetPair(g_battleOpponentRow, 0, 0);
    g_showBattlePlayer = 0;
    g_showBattleOpponent = 0;
}

// The glow goes on the pieces the owners now on the two squares name: a
// plain move lights only its mover.
void MarkBattlePieces(int fromX, int fromY, int toX, int toY)
{
    ClearBattleDisplay();
    const int from = OwnerAt(fromX, fromY);
    const int to = OwnerAt(toX, toY);
    if (from == OWNER_COMPUTER) {
        SetPair(g_battleOpponentRow, fromX, fromY);
        g_showBattleOpponent = 1;
    }
    if (to == OWNER_COMPUTER) {
        SetPair(g_battleOpponentRow, toX, toY);
        g_showBattleOpponent = 1;
    }
    if (IsPlayerOwner(from)) {
        SetPair(g_battlePlayerRow, fromX, fromY);
        g_showBattlePlayer = 1;
    }
    if (IsPlayerOwner(to)) {
        SetPair(g_battlePlayerRow, toX, toY);
        g_showBattlePlayer = 1;
    }
}

int AnimStateFor(int result)
{
    switch (result) {
    case BATTLE_MOVE: return ANIM_MOVE;
    case BATTLE_WIN: return ANIM_ATTACKER_WON;
    case BATTLE_LOSS: return ANIM_ATTACKER_LOST;
    case BATTLE_BOTH_REMOVED: return ANIM_BOTH_REMOVED;
    default: return ANIM_IDLE;
    }
}

// Milliseconds since g_tickStart, kept in the shared timing variables.
int ElapsedMs()
{
    g_tickNow = g_flowHooks.tick();
    g_tickElapsed = static_cast<int>(g_tickNow - g_tickStart);
    return g_tickElapsed;
}

// The losing piece shrinks: the offset grows from 0 toward the amplitude,
// one whole frame per step, as fast as frames can be drawn.
void Bump()
{
    g_tickStart = g_flowHooks.tick();
    while (ElapsedMs() < g_bumpAnimMs) {
        g_animOffset = g_tickElapsed / static_cast<double>(g_bumpAnimMs) * g_bumpAmplitude;
        g_flowHooks.renderFrame();
    }
}

void ShowBeforeMove(int result, int fromX, int fromY, int toX, int toY)
{
    if (result != BATTLE_MOVE && OwnerAt(fromX, fromY) == OWNER_SELECTED) PlayFlowSound("/sound/H3.wav");
    g_animOffset = 0.0;
    SetPair(g_animFromRow, fromX, fromY);
    SetPair(g_animToRow, toX, toY);
    g_flowHooks.renderFrame();
    g_flowHooks.sleep(static_cast<DWORD>(g_pieceAnimState == ANIM_MOVE ? g_movePauseMs : g_battlePauseMs));
    if (g_pieceAnimState > ANIM_MOVE) {
        PlayFlowSound("/sound/boi.wav");
        if (g_animationsOn == 1) Bump();
    }
    if (result == BATTLE_MOVE) PlayFlowSound("/sound/H2.wav");
}

void ShowAfterMove(int result)
{
    // One frame still shows the battle's state and glow; the caller's next
    // frame shows them cleared.
    g_animOffset = 0.0;
    g_flowHooks.renderFrame();
    ClearBattleDisplay();
    g_pieceAnimState = ANIM_IDLE;
    g_flowHooks.sleep(static_cast<DWORD>(g_movePauseMs));
    if (result != BATTLE_BOTH_REMOVED) PlayFlowSound("/sound/H3.wav");
}

}  // namespace

void ShowMoveResult(int phase, int result, int fromX, int fromY, int toX, int toY)
{
    if (phase != 1 && phase != 2) return;
    MarkBattlePieces(fromX, fromY, toX, toY);
    g_pieceAnimState = AnimStateFor(result);
    if (phase == 1)
        ShowBeforeMove(result, fromX, fromY, toX, toY);
    else
        ShowAfterMove(result);
}

void AnimatePlacement(int x, int y)
{
    const double duration = g_bumpAnimMs / 1.5;
    g_dropRow = x;
    g_dropCol = y;
    g_pieceAnimState = ANIM_DROP;
    g_tickStart = g_flowHooks.tick();
    while (ElapsedMs() < duration) {
        g_animOffset = (1.0 - g_tickElapsed / duration) * g_bumpAmplitude;
        g_flowHooks.renderFrame();
    }
    g_animOffset = 0.0;
    g_flowHooks.renderFrame();
    g_pieceAnimState = ANIM_IDLE;
}
