// The real main dialog on a display: full screen with a GL context; Esc
// opens the menu; ending it closes the game connection.
#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
#define FL_INTERNALS 1
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <GL/gl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/VelmonarDlg.h"
#include "app/game_state.h"
#include "app/startup_loader.h"
#include "interface/interface_state.h"
#include "online/online_state.h"
#include "platform/program_folder.h"
#include "platform/window_input.h"
#include "rules/board.h"
#include "scene/PixselFormat.h"
#include "scene/board_geometry.h"
#include "scene/camera.h"
#include "scene/frame_state.h"

namespace {

struct Observed {
    CVelmonarDlg* dialog = nullptr;
    int clientWidth = 0, clientHeight = 0, screenWidth = 0;
    int format = 0;
    bool contextCurrent = false;
    int pixel[3] = {0, 0, 0};
    int menuAfterEsc = 0, menuAfterEnter = -1;
    bool endingAfterEsc = true;
    int sceneReadyAfterStartup = 0, firstPanelOpen = 0;
};

// The start-up's time line passes at once: every look at the clock is 50 ms later.
DWORD QuickClock()
{
    static DWORD now = 0;
    return now += 50;
}
void NoSleep(DWORD) {}

void LookThenEnd(void* data)
{
    auto* o = static_cast<Observed*>(data);
    CVelmonarDlg& d = *o->dialog;
    o->clientWidth = d.m_clientWidth;
    o->clientHeight = d.m_clientHeight;
    o->screenWidth = d.m_screenWidth;
    o->format = GetPixelFormat(d.m_pDC->m_hDC);
    o->contextCurrent = wglGetCurrentContext() == d.m_hRC && d.m_hRC != nullptr;
    // The start-up ran to its end and opened the first panel.
    o->sceneReadyAfterStartup = g_sceneReady;
    o->firstPanelOpen = g_panelVisible[0];
    for (int& flag : g_panelVisible) flag = 0;
    // What the window shows before the scene is loaded: the clear colour,
    // read from the screen itself.
    g_sceneReady = 0;
    d.SendMessage(WM_PAINT);
    g_sceneReady = 1;
    glFinish();
    Fl_Window* window = Fl::first_window();
    if (window) {
        XImage* image = XGetImage(fl_display, fl_xid(window), d.m_clientWidth - 5, d.m_clientHeight - 5, 1, 1,
                                  AllPlanes, ZPixmap);
        if (image) {
            const unsigned long value = XGetPixel(image, 0, 0);
            o->pixel[0] = static_cast<int>((value >> 16) & 0xFF);
            o->pixel[1] = static_cast<int>((value >> 8) & 0xFF);
            o->pixel[2] = static_cast<int>(value & 0xFF);
            XDestroyImage(image);
        }
    }

    InputEvent key;
    key.kind = InputKind::Key;
    key.key = InputKey::Enter;
    DispatchInput(d, key);
    o->menuAfterEnter = g_panelVisible[0];
    key.key = InputKey::Escape;
    DispatchInput(d, key);
    o->menuAfterEsc = g_panelVisible[1];
    o->endingAfterEsc = d.IsEnding();
    d.EndDialog(IDCANCEL);  // what the program's exit paths do
}

TEST(MainDialog, OpensFullScreenWithGlAndClosesTheConnectionAtTheEnd)
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    g_serverSocket = pair[0];
    g_onlineGame = 1;
    g_matchPending = 1;

    g_startupHooks.programFolder = VELMONAR_PROGRAM_DIR;
    g_clockHooks.tick = QuickClock;
    g_clockHooks.sleep = NoSleep;
    CVelmonarDlg dialog;
    Observed observed;
    observed.dialog = &dialog;
    Fl::add_timeout(0.3, LookThenEnd, &observed);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    EXPECT_EQ(observed.clientWidth, 1920);
    EXPECT_EQ(observed.clientHeight, 1080);
    EXPECT_EQ(observed.screenWidth, 1920);
    EXPECT_GE(observed.format, 1);
    EXPECT_EQ(PixelFormatSamples(observed.format) > 0, g_multisampleSupported == 1);
    EXPECT_TRUE(observed.contextCurrent);
    EXPECT_NEAR(observed.pixel[0], 0.12 * 255, 1.5);  // the panel colour's start value
    EXPECT_NEAR(observed.pixel[1], 0.30 * 255, 1.5);
    EXPECT_NEAR(observed.pixel[2], 0.23 * 255, 1.5);
    EXPECT_EQ(observed.sceneReadyAfterStartup, 1);
    EXPECT_EQ(observed.firstPanelOpen, 1);
    EXPECT_EQ(observed.menuAfterEnter, 0);
    EXPECT_EQ(observed.menuAfterEsc, 1);
    EXPECT_FALSE(observed.endingAfterEsc);

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
