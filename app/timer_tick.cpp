// The 500 ms tick: where the network workers' results reach the game. Every
// flag is taken with exchange (or compare-exchange), so a set that lands
// while the tick acts is never lost, and a nested tick (under a notice) never
// repeats an action.
#include <cstdint>

#include "app/VelmonarDlg.h"
#include "app/game_state.h"
#include "app/timer_tick.h"
#include "interface/interface_state.h"
#include "interface/online_panels.h"
#include "online/game_client.h"
#include "online/notice.h"
#include "online/online_state.h"
#include "online/opponent_move.h"
#include "online/web.h"
#include "platform/process.h"
#include "platform/program_folder.h"
#include "platform/sound.h"
#include "rules/battle.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/move_gen.h"
#include "rules/rules_host.h"
#include "rules/search.h"

namespace {

const int PING_EVERY_TICKS = 100;
const int BLINK_STEPS = 7;
const DWORD GAME_OVER_PAUSE_MS = 500;

void Redraw()
{
    g_rulesHost.renderFrame();
}

bool Started(HINSTANCE result)
{
    return reinterpret_cast<std::intptr_t>(result) > 32;
}

// A newer version: the updater starts (or the product page opens) and the
// program ends without writing the options file.
void StartUpdate(CVelmonarDlg& dialog)
{
    const int language = g_language[0];
    ShowNotice(language == 1 ? "Обнаружена новая версия игры. Программа будет перезапущена."
                             : "A new version of the game. Program will be restarted");
    SetCurrentDirectoryA(g_appDir);
    if (!Started(ShellExecuteA(nullptr, "Open", "Update.exe", nullptr, "", SW_SHOWNORMAL))) {
        ShowNotice(language == 1 ? "Откроется страница с которой можно скачать новую версию."
                                 : "The page from which you can download the new version.");
        ShellExecuteA(nullptr, "Open", PRODUCT_PAGE_URL, nullptr, "", SW_SHOWNORMAL);
    }
    dialog.CDialog::OnCancel();
}

// False when the program ends.
bool TickWebResult(CVelmonarDlg& dialog)
{
    if (g_webNewsPending.load() != 1) return true;
    if (g_updateAvailable.exchange(0) == 1) {
        StartUpdate(dialog);
        return false;
    }
    if (g_webNewsPending.exchange(0) == 1) {
        BuildNewsBannerTextures();
        LayoutNewsBannerPanel();
        Redraw();
    }
    return true;
}

void ShowOpponentSetup()
{
    const int count = ++g_onlineCount;
    CString text;
    text.Format("%i", count);
    WriteSharedText(g_onlineCountText, text);
    BuildOnlineStatusTextures();
    LayoutOnlineStatusPanel();
    CopyOpponentSetupToBoard();
    PlaceOpponentPieces();
    Redraw();
    g_matchPending = 0;
    g_setupPhase = 0;
}

// A move the opponent could not have made: the game goes on against the
// computer as if the opponent had left.
void RefuseOpponentMove(CVelmonarDlg& dialog)
{
    // As when the opponent leaves: under an open account dialog nothing is
    // shown or reported; the dialog's caller leaves the game afterwards.
    if (g_accountDialogClosed.load() == 0) g_opponentLeftInDialog = 1;
    g_onlineGame = 0;
    g_matchPending = 0;
    EndGameConnection();
    if (g_gameOver.load() == 1 || g_accountDialogClosed.load() != 1) return;
    if (!ReadSharedText(g_ownName).IsEmpty() && !IsGuestName(ReadSharedText(g_opponentName)))
        StartOnlineThread(ReportOwnWinThread, &dialog);
    const CString text = OpponentLeftText(g_language[0]);
    WriteSharedText(g_netMessage, text);
    ShowNotice(text);
    g_opponentLeft = 1;
}

void RunOnlineGameOver(CVelmonarDlg& dialog)
{
    g_onlineGame = 0;
    g_matchPending = 0;
    EndGameConnection();
    if (g_losingSide == 1 && !ReadSharedText(g_ownName).IsEmpty() &&
        !IsGuestName(ReadSharedText(g_opponentName)))
        StartOnlineThread(ReportOpponentWinThread, &dialog);
    Sleep(GAME_OVER_PAUSE_MS);
    const CString sound = g_appDir + (g_losingSide == 1 ? "/sound/komp_vig.wav" : "/sound/Pobed.wav");
    g_rulesHost.playSound(sound, nullptr, SND_ASYNC);
    g_rulesHost.showGameOverPanel();
    Redraw();
}

// False when the game ended (the tick returns).
bool ApplyOpponentMove(CVelmonarDlg& dialog)
{
    const int fromX = g_opponentMove[0], fromY = g_opponentMove[1];
    const int toX = g_opponentMove[2], toY = g_opponentMove[3];
    if (!OpponentMoveIsValid(fromX, fromY, toX, toY)) {
        RefuseOpponentMove(dialog);
        return true;
    }
    ApplyMove(1, fromX, fromY, toX, toY);
    Redraw();
    g_onlineTurn = 1;
    MoveList& computer = g_computerMoveList;
    g_computerMoveCount = GenerateMoves(2, computer.fromX, computer.fromY, computer.toX, computer.toY);
    if (g_computerMoveCount == 0) {
        g_gameOver = 1;
        g_losingSide = 2;
    } else {
        MoveList& player = g_playerMoveList;
        g_playerMoveCount = GenerateMoves(1, player.fromX, player.fromY, player.toX, player.toY);
        // The player, to move now, has no move also when the only one is
        // the one the repetition rule forbids (the peer judges the same).
        if (g_playerMoveCount == 0 || OnlyForbiddenMoveLeft(1)) {
            g_gameOver = 1;
            g_losingSide = 1;
        }
    }
    if (g_gameOver.load() != 1) return true;
    RunOnlineGameOver(dialog);
    return false;
}

// The four checks of a running online game; false when the tick returns.
bool TickOnlineGame(CVelmonarDlg& dialog)
{
    if (g_redrawRequested.exchange(0) == 1) Redraw();
    if (g_serverStatusDone.exchange(0) == 1) {
        BuildOnlineStatusTextures();
        LayoutOnlineStatusPanel();
        Redraw();
    }
    if (TakeDecodedSetup()) ShowOpponentSetup();
    if (g_onlineTurn.load() == 2 && g_opponentMoveReady.exchange(0) == 1) return ApplyOpponentMove(dialog);
    return true;
}

// Without an online game: the army of an opponent who left right after the
// pairing (the game goes on against the computer), the opponent's leaving or
// the search's end, the pings and the banner; false when the tick returns.
bool TickServerPolling(CVelmonarDlg& dialog)
{
    if (TakeDecodedSetup()) ShowOpponentSetup();
    const bool opponentLeft = g_opponentLeft.exchange(0) == 1;
    if (g_redrawRequested.exchange(0) == 1 || opponentLeft) Redraw();
    if (g_pollSuspended != 0) return true;
    if (g_pollTicks > PING_EVERY_TICKS && g_webFetchBusy.load() == 0) {
        g_pollTicks = 0;
        StartOnlineThread(ServerPingThread, &dialog);
    }
    g_pollTicks += 1;
    const int reachable = g_serverReachable.load();
    if (reachable == 0 && g_onlineBannerOn == 1) {
        g_onlineBannerOn = 0;
        Redraw();
        return false;
    }
    if (reachable == 1 && g_onlineBannerOn == 0) {
        g_onlineBannerOn = 1;
        g_blinkStep = 1;
        Redraw();
        return false;
    }
    return true;
}

void TickBlink()
{
    int step = g_blinkStep.load();
    if (step <= 0) return;
    const int next = step + 1 > BLINK_STEPS ? 0 : step + 1;
    g_blinkStep.compare_exchange_strong(step, next);  // a failed ping's clear wins
    Redraw();
}

}  // namespace

void CopyOpponentSetupToBoard()
{
    int i = 0;
    for (int x = 10; x >= 1; --x)
        for (int y = 10; y >= 7; --y) g_cellRank[x][y] = g_opponentSetup[i++];
}

void CVelmonarDlg::OnTimer(UINT_PTR id)
{
    g_workerLanguage = g_language[0];
    if (!TickWebResult(*this)) return;
    if (g_onlineGame.load() == 1) {
        if (!TickOnlineGame(*this)) return;
    } else if (!TickServerPolling(*this)) {
        return;
    }
    TickBlink();
    CDialog::OnTimer(id);
}
