// The real main dialog on a display: full screen with a GL context; Esc
// opens the menu; ending it closes the game connection.
#include <sys/socket.h>
#include <unistd.h>

#include "online/online_state.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "scene/PixselFormat.h"
#include "scene/frame_state.h"
#include "tests/support/main_dialog.h"
#include "tests/support/window_pixels.h"

namespace {

TEST(MainDialog, OpensFullScreenWithGlAndClosesTheConnectionAtTheEnd)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    g_serverSocket = pair[0];
    g_onlineGame = 1;
    g_matchPending = 1;

    EXPECT_EQ(RunMainDialog(VELMONAR_PROGRAM_DIR, [](CVelmonarDlg& d) {
        EXPECT_EQ(d.m_clientWidth, 1920);
        EXPECT_EQ(d.m_clientHeight, 1080);
        EXPECT_EQ(d.m_screenWidth, 1920);
        const int format = GetPixelFormat(d.m_pDC->m_hDC);
        EXPECT_GE(format, 1);
        EXPECT_EQ(PixelFormatSamples(format) > 0, g_multisampleSupported == 1);
        EXPECT_TRUE(wglGetCurrentContext() == d.m_hRC && d.m_hRC != nullptr);
        // The start-up ran to its end and opened the first panel.
        EXPECT_EQ(g_sceneReady, 1);
        EXPECT_EQ(g_panelVisible[0], 1);
        for (int& flag : g_panelVisible) flag = 0;
        // What the window shows before the scene is loaded: the clear
        // colour (the panel colour's start value), read from the screen.
        g_sceneReady = 0;
        d.SendMessage(WM_PAINT);
        g_sceneReady = 1;
        const unsigned pixel = WindowPixel(d.m_clientWidth - 5, 4);
        EXPECT_NEAR(static_cast<int>(pixel >> 16), 0.12 * 255, 1.5);
        EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), 0.30 * 255, 1.5);
        EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 0.23 * 255, 1.5);
        // Enter does nothing; Esc opens the menu and never ends the dialog.
        Key(d, InputKey::Enter);
        EXPECT_EQ(g_panelVisible[0], 0);
        Key(d, InputKey::Escape);
        EXPECT_EQ(g_panelVisible[1], 1);
        EXPECT_FALSE(d.IsEnding());
    }), IDCANCEL);  // what the program's exit paths do

    EXPECT_FALSE(g_machineId.IsEmpty());
    EXPECT_FALSE(g_appDir.IsEmpty());
    // The end of the dialog stops online play and closes the connection once.
    EXPECT_EQ(g_serverSocket.load(), -1);
    EXPECT_EQ(g_onlineGame.load(), 0);
    EXPECT_EQ(g_matchPending.load(), 0);
    EXPECT_EQ(g_stopMoveReceive.load(), 1);
    char byte = 0;
    EXPECT_EQ(recv(pair[1], &byte, 1, 0), 0);
    close(pair[1]);
}

}  // namespace
