// The application's wiring of the lower layers' calls: a game the rules end
// reaches the game-over panel only through the host table.
#include <gtest/gtest.h>

#include "app/host_tables.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "rules/rules_host.h"
#include "rules/search.h"
#include "scene/frame_state.h"
#include "scene/scene_host.h"

namespace {

// A game in play where the computer has only its flag and a bomb: its turn
// ends the game with the computer as the loser.
void ArrangeComputerWithoutMoves()
{
    NewGame();
    g_setupPhase = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
            if (g_cellOwner[x][y] != OWNER_LAKE) {
                g_cellOwner[x][y] = OWNER_EMPTY;
                g_cellRank[x][y] = RANK_EMPTY;
            }
    const int pieces[3][4] = {{1, 10, OWNER_COMPUTER, RANK_FLAG}, {2, 10, OWNER_COMPUTER, RANK_BOMB},
                              {1, 1, OWNER_PLAYER, RANK_FLAG}};  // x, y, owner, rank
    for (const auto& p : pieces) g_cellOwner[p[0]][p[1]] = p[2], g_cellRank[p[0]][p[1]] = p[3];
    for (int& flag : g_panelVisible) flag = 0;
}

TEST(HostTables, TheRulesReachTheGameOverPanelOnlyThroughTheTable)
{
    g_appDir = "/nonexistent-program-folder";
    g_skipMinimumTurnTime = 1;
    g_sceneReady = 0;  // the real renderer draws nothing before the start-up

    // Without the wiring, the end of the game opens nothing.
    ResetRulesHost();
    ArrangeComputerWithoutMoves();
    ComputerTurn();
    EXPECT_EQ(g_gameOver, 1);
    EXPECT_EQ(g_losingSide, 2);
    for (int flag : g_panelVisible) EXPECT_EQ(flag, 0);

    // With it: menu mode and the game-over panel, nothing else.
    InstallHostTables();
    ArrangeComputerWithoutMoves();
    ComputerTurn();
    EXPECT_EQ(g_gameOver, 1);
    EXPECT_EQ(g_losingSide, 2);
    for (int f = 0; f < PANEL_FLAG_COUNT; ++f)
        EXPECT_EQ(g_panelVisible[f], f == PANEL_FLAG_MENU_MODE || f == PANEL_FLAG_GAME_OVER ? 1 : 0) << f;

    // Every entry of both tables is filled in.
    const RulesHost rules = g_rulesHost;
    EXPECT_TRUE(rules.finishSetup && rules.animatePlacement && rules.showMoveResult && rules.renderFrame &&
                rules.playSound && rules.showGameOverPanel);
    EXPECT_TRUE(g_sceneHost.drawOverlay && g_sceneHost.rebuildPanelTextures);
    ResetRulesHost();
    ResetSceneHost();
    g_skipMinimumTurnTime = 0;
}

}  // namespace
