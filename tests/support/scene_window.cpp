#include "tests/support/scene_window.h"

#include <GL/gl.h>

#include "app/host_tables.h"
#include "app/startup_loader.h"
#include "interface/options.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "rules/ready_setups.h"
#include "scene/frame_state.h"
#include "tests/support/armies.h"

namespace {

const DialogTemplate kSceneWindowTemplate = {102, 0, 0, 350, 238, true, {}};

}  // namespace

SceneWindow::SceneWindow(int width, int height, std::function<void(SceneWindow&)> body)
    : m_startWidth(width), m_startHeight(height), m_body(std::move(body))
{
}

BOOL SceneWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    Resize(m_startWidth, m_startHeight);
    m_body(*this);
    EndDialog(IDCANCEL);
    return TRUE;
}

void SceneWindow::Resize(int width, int height)
{
    SetWindowPos(nullptr, 0, 0, width, height, SWP_SHOWWINDOW);
}

INT_PTR RunSceneWindow(int width, int height, std::function<void(SceneWindow&)> body)
{
    CWinApp app;
    SceneWindow window(width, height, std::move(body));
    app.m_pMainWnd = &window;
    const INT_PTR ended = window.DoModal();
    app.m_pMainWnd = nullptr;
    wglMakeCurrent(nullptr, nullptr);
    if (window.m_hRC) wglDeleteContext(window.m_hRC);
    return ended;
}

bool LoadSceneState(const char* programDir)
{
    InstallHostTables();
    g_appDir = programDir;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    SetStartupOptionDefaults();
    // The loader's own steps 8 to 24, without the start-up screen around them.
    if (LoadStartupData() != STARTUP_DATA_OK) return false;

    NewGame();
    g_sceneReady = 1;
    g_fadeInProgress = 0;
    for (int& flag : g_panelVisible) flag = 0;
    return true;
}

void ArrangeSetupBoard()
{
    NewGame();
    g_setupMode = 1;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) g_reachable[x][y] = g_cellOwner[x][y];
}

bool ArrangeGameInPlay(int playerSetup, int computerSetup)
{
    NewGame();
    int player[SETUP_VALUE_COUNT], computer[SETUP_VALUE_COUNT];
    if (!ReadSetupFile(playerSetup, player) || !ReadSetupFile(computerSetup, computer)) return false;
    PlaceArmies(player, computer);
    for (int r = 0; r < RANK_KINDS; ++r) g_trayCount[r] = 0;  // in play: none of the opponent's taken yet
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) g_reachable[x][y] = g_cellOwner[x][y] == OWNER_COMPUTER ? -1 : g_cellOwner[x][y];
    g_setupPhase = 0;
    g_setupMode = 1;
    return true;
}

bool ArrangeStartUpShot()
{
    ArrangeSetupBoard();
    g_hoverTraySlot = 3;
    g_selectedTrayRank = 2;
    return true;
}

bool ArrangeSetupShot()
{
    if (!ArrangeGameInPlay(5, 9)) return false;
    for (int x = 1; x <= 10; ++x)
        for (int y = 7; y <= 10; ++y) g_cellOwner[x][y] = OWNER_EMPTY, g_cellRank[x][y] = RANK_EMPTY;
    g_setupPhase = 1;
    g_hoverTraySlot = -1;
    g_selectedTrayRank = -1;
    g_hoverRow[0] = 4;
    g_hoverRow[1] = 3;
    return true;
}

bool ArrangePlayShot()
{
    if (!ArrangeGameInPlay(5, 9)) return false;
    g_cellOwner[3][4] = OWNER_SELECTED;
    g_selectedRow[0] = 3;
    g_selectedRow[1] = 4;
    g_cellOwner[6][4] = OWNER_EMPTY;
    g_cellRank[6][4] = RANK_EMPTY;
    g_cellOwner[6][6] = OWNER_COMPUTER;
    g_cellRank[6][6] = 7;
    g_revealRow[0] = 6;
    g_revealRow[1] = 6;
    g_cellOwner[6][7] = OWNER_EMPTY;
    g_cellRank[6][7] = RANK_EMPTY;
    g_lastMove = MoveRecord{6, 7, 6, 6};
    g_lastMoveDirection = 2;
    g_hoverRow[0] = 5;
    g_hoverRow[1] = 7;
    g_trayCount[2] = 3;
    g_trayCount[RANK_FLAG] = 0;
    g_trayCount[4] = 4;
    g_hoverTraySlot = -1;
    return true;
}
