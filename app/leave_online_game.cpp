// Leaving an online game: the move receive is told to stop and its connection
// closed (so a blocked receive returns), the online flags are cleared and a
// new game against the computer is set up.
#include "app/VelmonarDlg.h"
#include "app/game_state.h"
#include "interface/interface_state.h"
#include "online/online_state.h"
#include "rules/board.h"
#include "scene/frame_state.h"
#include "scene/renderer.h"

void CVelmonarDlg::LeaveOnlineGame()
{
    g_opponentLeftInDialog = 0;
    g_blinkStep = 0;
    g_onlineBannerOn = 0;
    g_pollTicks = 100;
    g_setupMode = 0;
    g_stopMoveReceive = 1;
    g_onlineGame = 0;
    g_matchState = 0;
    g_matchPending = 0;
    g_onlineTurn = 0;
    closesocket(g_serverSocket);
    RenderFrame();
    NewGame();
    RenderFrame();
}
