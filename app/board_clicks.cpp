#include "app/board_clicks.h"

#include "app/flow_hooks.h"
#include "app/setup_end.h"
#include "interface/widgets.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "rules/battle.h"
#include "rules/board.h"
#include "rules/move_gen.h"
#include "rules/ready_setups.h"
#include "rules/rules_host.h"
#include "rules/search.h"
#include "scene/frame_state.h"

namespace {

const DWORD GAME_OVER_PAUSE_MS = 500;

bool BoardTakesClicks()
{
    if (g_panelVisible[PANEL_FLAG_MENU_MODE] == 1) return false;
    return !(g_onlineGame == 1 && (g_matchPending == 1 || g_onlineTurn == 2));
}

bool OnBoard(int x, int y)
{
    return x >= 1 && x <= 10 && y >= 1 && y <= 10;
}

void ChooseAutomaticSetup()
{
    g_setupMode = 2;
    g_flowHooks.renderFrame();
    LoadRandomSetup();
    for (int& count : g_trayCount) count = 0;
    g_selectedTrayRank = -1;
    g_hoverRow[0] = g_hoverRow[1] = 0;
    FinishSetup();
    g_setupMode = 1;
    g_flowHooks.renderFrame();
}

// --- setup ---

void ClickInSetup()
{
    // While the setup choice is offered the board is not active: a tray
    // slot or square left over from an earlier pick is no choice.
    if (g_setupMode != 1) return;
    const int slot = g_hoverTraySlot;
    if (slot >= 0 && slot < RANK_KINDS && g_trayCount[slot] > 0) {
        if (slot != g_selectedTrayRank) PlayFlowSound("/sound/H1.wav");
        g_selectedTrayRank = slot;
        g_flowHooks.renderFrame();
    }
    // No rank chosen: the square is left alone.
    if (g_hoverRow[0] != 0 && g_hoverRow[1] != 0 && g_selectedTrayRank != -1) PlaceSetupPiece(g_selectedTrayRank);
}

// --- play ---

void Select(int x, int y)
{
    for (int cx = 1; cx <= 10; ++cx)
        for (int cy = 1; cy <= 10; ++cy)
            if (g_cellOwner[cx][cy] == OWNER_SELECTED) g_cellOwner[cx][cy] = OWNER_PLAYER;
    g_selectedRow[0] = x;
    g_selectedRow[1] = y;
    g_cellOwner[x][y] = OWNER_SELECTED;
    MarkReachable(1, x, y);
    PlayFlowSound("/sound/H1.wav");
    g_flowHooks.renderFrame();
}

void Deselect(int x, int y)
{
    g_cellOwner[x][y] = OWNER_PLAYER;
    MarkReachable(0, x, y);
    g_flowHooks.renderFrame();
}

// The selected piece may go to (x, y): an empty square other than the one
// the repetition rule forbids, or an enemy piece (attacks are never barred).
bool MoveAllowed(const MoveRecord& move)
{
    if (!OnBoard(move.fromX, move.fromY)) return false;
    if (g_cellOwner[move.fromX][move.fromY] != OWNER_SELECTED) return false;
    const int target = g_cellOwner[move.toX][move.toY];
    if (target == OWNER_COMPUTER) return true;
    return target == OWNER_EMPTY && move != g_forbiddenMove[1];
}

void SendMove(const MoveRecord& move)
{
    g_onlineTurn = 2;
    g_sentMove[0] = move.fromX;
    g_sentMove[1] = move.fromY;
    g_sentMove[2] = move.toX;
    g_sentMove[3] = move.toY;
    WriteSharedText(g_moveMessage, MoveMessageFor(move.fromX, move.fromY, move.toX, move.toY));
    g_moveSendPending = 1;
    g_ownMoveApplying = 1;
    g_flowHooks.beginThread(SendMoveThread, nullptr);
}

bool SideHasMoves(int side)
{
    MoveList list;
    return GenerateMoves(side, list.fromX, list.fromY, list.toX, list.toY) > 0;
}

// After the player's own online move: a side left without a legal move
// loses, the player first; the opponent, to move now, also when its one
// move is the one the repetition rule forbids it (the peer's client judges
// the same position).
void JudgeOnlinePosition()
{
    if (g_gameOver == 1) return;
    if (!SideHasMoves(1)) {
        g_gameOver = 1;
        g_losingSide = 1;
    } else if (!SideHasMoves(2) || OnlyForbiddenMoveLeft(2)) {
        g_gameOver = 1;
        g_losingSide = 2;
    }
}

void EndOnlineGame(CWnd* dialog)
{
    g_onlineTurn = 0;
    g_onlineGame = 0;
    g_matchPending = 0;
    const CString ownName = ReadSharedText(g_ownName);
    const CString opponentName = ReadSharedText(g_opponentName);
    if (g_losingSide == 1 && !ownName.IsEmpty() && !IsGuestName(opponentName))
        g_flowHooks.beginThread(ReportOpponentWinThread, dialog);
    ShowGameOver();
}

void MakeMove(const MoveRecord& move, CWnd* dialog)
{
    const bool online = g_onlineGame == 1;
    if (online) SendMove(move);
    ApplyMove(1, move.fromX, move.fromY, move.toX, move.toY);
    g_flowHooks.renderFrame();
    if (!online) {
        ComputerTurn();
        if (g_gameOver == 0 && OnlyForbiddenMoveLeft(1)) {  // the computer's turn judged no move at all
            g_gameOver = 1;
            g_losingSide = 1;
            ShowGameOver();
        }
    } else {
        JudgeOnlinePosition();
        g_ownMoveApplying = 0;
        if (g_gameOver == 1) {
            EndOnlineGame(dialog);
            return;
        }
    }
    MarkReachable(0, move.fromX, move.fromY);
    g_flowHooks.renderFrame();
}

void ClickInPlay(CWnd* dialog)
{
    if (g_gameOver == 1) return;
    const int x = g_hoverRow[0], y = g_hoverRow[1];
    if (!OnBoard(x, y)) return;

    const int owner = g_cellOwner[x][y];
    if (owner == OWNER_PLAYER) {
        const int rank = g_cellRank[x][y];
        if (rank == RANK_BOMB || rank == RANK_FLAG) return;  // never moves: nothing happens
        Select(x, y);
    } else if (owner == OWNER_SELECTED) {
        Deselect(x, y);
    }

    const MoveRecord move{g_selectedRow[0], g_selectedRow[1], x, y};
    if (MoveAllowed(move)) MakeMove(move, dialog);
}

}  // namespace

bool ClickSetupChoice(CPoint point)
{
    if (!SetupChoiceShown()) return false;
    if (WidgetHit(WIDGET_SETUP_AUTOMATIC, point)) {
        ChooseAutomaticSetup();
        return true;
    }
    if (WidgetHit(WIDGET_SETUP_MANUAL, point)) {
        g_setupMode = 1;
        g_flowHooks.renderFrame();
        return true;
    }
    return false;
}

void ClickBoard(CWnd* dialog)
{
    if (!BoardTakesClicks()) return;
    if (g_setupPhase == 1)
        ClickInSetup();
    else
        ClickInPlay(dialog);
}

CString MoveMessageFor(int fromX, int fromY, int toX, int toY)
{
    CString message;
    for (int value : {fromX, fromY, toX, toY}) {
        CString digit;
        digit.Format("%i", value - 1);
        message += digit;
    }
    return message;
}

void ShowGameOver()
{
    g_flowHooks.sleep(GAME_OVER_PAUSE_MS);
    if (g_losingSide == 1)
        PlayFlowSound("/sound/komp_vig.wav");
    else if (g_losingSide == 2)
        PlayFlowSound("/sound/Pobed.wav");
    g_rulesHost.showGameOverPanel();  // the panel flown in when the animations are on, and laid out
    g_flowHooks.renderFrame();
}
