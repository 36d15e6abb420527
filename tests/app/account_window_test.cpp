// The notice and account dialogs on a display, driven with xdotool: the look
// (black, white text, picture buttons by language), typing, Enter and Esc,
// the stored log-in through the whole flow. A loopback stand-in answers as
// the game server would ("-": logged in).
#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
// The system socket headers first: the platform's socket header leaves out what they declare.
#include "tests/support/test_server.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/VelmonarDlg.h"
#include "app/picture_reader.h"
#include "online/Avtorizaciya.h"
#include "online/account_server.h"
#include "online/notice.h"
#include "online/online_state.h"
#include "online/stored_login.h"
#include "platform/threads.h"
#include "platform/window.h"
#include "rules/live_options.h"
#include "tests/support/temp_folder.h"

namespace {

// Windows may go away between listing them and asking about them.
int IgnoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

// Reads the screen with its own display connection (the test's driver thread).
class Screen {
public:
    Screen() : m_display(XOpenDisplay(nullptr)) {}
    ~Screen()
    {
        if (m_display) XCloseDisplay(m_display);
    }
    bool Ok() const { return m_display != nullptr; }
    // The mapped top-level windows of exactly w x h pixels.
    std::vector<Rect> WindowsOfSize(int w, int h)
    {
        std::vector<Rect> found;
        XSetErrorHandler(IgnoreXErrors);
        Window root = DefaultRootWindow(m_display), parent, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(m_display, root, &root, &parent, &children, &count)) return found;
        for (unsigned i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(m_display, children[i], &a) && a.map_state == IsViewable && a.width == w &&
                a.height == h)
                found.push_back(Rect{a.x, a.y, a.width, a.height});
        }
        if (children) XFree(children);
        return found;
    }
    // Waits up to 10 s for count such windows; returns the last.
    Rect WaitFor(int w, int h, size_t count = 1)
    {
        std::vector<Rect> found;
        if (!WaitUntil([&] { return (found = WindowsOfSize(w, h)).size() >= count; }, 10000)) {
            ADD_FAILURE() << "no window of " << w << " x " << h;
            return Rect{};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // drawn and taking input
        return found.back();
    }
    void WaitGone(int w, int h, size_t left = 0)
    {
        EXPECT_TRUE(WaitUntil([&] { return WindowsOfSize(w, h).size() <= left; }, 10000))
            << w << " x " << h << " still shown";
    }
    // RGB pixels of a rectangle of the screen, row by row.
    std::vector<unsigned> Pixels(int x, int y, int w, int h)
    {
        std::vector<unsigned> out;
        XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), x, y, static_cast<unsigned>(w),
                                  static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (!image) return out;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) out.push_back(static_cast<unsigned>(XGetPixel(image, i, j)) & 0xFFFFFF);
        XDestroyImage(image);
        return out;
    }
    // The same for a rectangle given in dialog units from a dialog's corner.
    std::vector<unsigned> Pixels(const Rect& dialog, int x, int y, int w, int h)
    {
        return Pixels(dialog.x + DialogUnitsToPixelsX(x), dialog.y + DialogUnitsToPixelsY(y), DialogUnitsToPixelsX(w),
                      DialogUnitsToPixelsY(h));
    }

private:
    Display* m_display;
};

void Xdo(const std::string& args)
{
    const std::string command = "xdotool " + args;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
}

// Without a window manager a window that appears under a still pointer gets
// no input until the pointer enters it: every click and key first moves the
// pointer off and back onto the dialog.
void PointThen(int x, int y, const std::string& then)
{
    Xdo("mousemove 0 0 sleep 0.2 mousemove " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.2 " + then);
}

void Click(const Rect& dialog, int dluX, int dluY)
{
    PointThen(dialog.x + DialogUnitsToPixelsX(dluX), dialog.y + DialogUnitsToPixelsY(dluY), "click 1");
}

void Keys(const Rect& dialog, const std::string& keys)
{
    PointThen(dialog.x + 2, dialog.y + 2, "key " + keys);
}

// A screenshot for a person to look at, when VELMONAR_SHOT_DIR names a folder.
void Shot(const char* name)
{
    const char* folder = std::getenv("VELMONAR_SHOT_DIR");
    if (!folder) return;
    const std::string command = std::string("import -window root ") + folder + "/" + name + ".png";
    std::system(command.c_str());
}

size_t CountWhite(const std::vector<unsigned>& pixels)
{
    size_t n = 0;
    for (unsigned p : pixels) n += ((p & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && ((p >> 16) & 0xFF) > 200) ? 1 : 0;
    return n;
}

std::vector<std::string> g_boxes;
void RecordBox(const CString& text)
{
    g_boxes.push_back(text.str());
}

class AccountWindows : public ::testing::Test {
protected:
    NoticeFunction previousErrorBox = nullptr;
    void SetUp() override
    {
        ASSERT_TRUE(m_screen.Ok());
        setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
        SetResourceFolder(VELMONAR_PROGRAM_DIR);
        InstallPictureReader();
        InitInterfaceThread();
        previousErrorBox = g_errorBoxFunction;
        g_errorBoxFunction = RecordBox;
        g_boxes.clear();
    }
    void TearDown() override
    {
        g_errorBoxFunction = previousErrorBox;
        g_loginHost = "localhost";
        SetResourceFolder(nullptr);
        unsetenv("XDG_CONFIG_HOME");
    }
    // Runs body on the interface thread's side while steps drive it from another.
    static void Drive(const std::function<void()>& body, const std::function<void()>& steps)
    {
        std::thread driver(steps);
        body();
        driver.join();
    }
    Screen m_screen;
    TempFolder m_home{"velmonar-account-windows"};
};

const int NOTICE_W = DialogUnitsToPixelsX(248), NOTICE_H = DialogUnitsToPixelsY(41);
const int LOGIN_W = DialogUnitsToPixelsX(180), LOGIN_H = DialogUnitsToPixelsY(107);
const int NAME_W = DialogUnitsToPixelsX(156), NAME_H = DialogUnitsToPixelsY(70);
const int REGISTER_W = DialogUnitsToPixelsX(186), REGISTER_H = DialogUnitsToPixelsY(121);

TEST_F(AccountWindows, NoticesShowTheLatestTextInAFixedBlackBoxAlsoFromAWorker)
{
    std::vector<unsigned> firstText, secondText;
    Drive(
        [] {
            ShowNotice("Первое уведомление");
            // A long second notice, opened by a worker while this thread
            // shows a notice of its own.
            std::thread worker([] { ShowNotice(std::string(400, 'W').c_str()); });
            ShowNotice("Main");
            worker.join();
        },
        [&] {
            Rect box = m_screen.WaitFor(NOTICE_W, NOTICE_H);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            Shot("notice");
            EXPECT_EQ(m_screen.Pixels(box.x + 2, box.y + 2, 1, 1).at(0), 0u) << "the background is not black";
            firstText = m_screen.Pixels(box, 5, 8, 239, 8);
            EXPECT_GT(CountWhite(firstText), 20u) << "no white text";
            const auto button = m_screen.Pixels(box.x + DialogUnitsToPixelsX(3) + 4, box.y + DialogUnitsToPixelsY(23) + 4,
                                                DialogUnitsToPixelsX(242) - 8, DialogUnitsToPixelsY(14) - 8);
            EXPECT_GT(CountWhite(button), 10u) << "the button shows no picture";
            Keys(box, "Return");  // Enter ends it through OK
            // Two boxes of the same size follow: the main one and the worker's.
            m_screen.WaitFor(NOTICE_W, NOTICE_H, 2);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            Shot("notice-two");
            EXPECT_EQ(m_screen.WindowsOfSize(NOTICE_W, NOTICE_H).size(), 2u);
            Rect top = m_screen.WindowsOfSize(NOTICE_W, NOTICE_H).back();
            secondText = m_screen.Pixels(top, 5, 8, 239, 8);
            // Close both with their buttons.
            Click(top, 124, 30);
            m_screen.WaitGone(NOTICE_W, NOTICE_H, 1);
            Shot("notice-last");
            Click(m_screen.WaitFor(NOTICE_W, NOTICE_H), 124, 30);
            m_screen.WaitGone(NOTICE_W, NOTICE_H);
        });
    EXPECT_NE(firstText, secondText);
}

// A server that takes the log-in and never answers: while the dialog waits
// for it, the pressed log-in button is drawn up again, and the notice comes
// in less than 5 s.
TEST_F(AccountWindows, WaitingForASilentServerTheDialogStaysDrawnAndTheNoticeComesWithinFiveSeconds)
{
    TestGameServer server({"--silent-logins"});
    ASSERT_TRUE(server.Started());
    g_loginHost = CString(server.Address());
    g_loginPort = ACCOUNT_SERVER_PORT;
    g_loginName = "alice";
    g_loginPassword = "pw";
    g_language[0] = 2;
    CVelmonarDlg main;
    std::vector<unsigned> up, down, waiting;
    std::chrono::steady_clock::duration took{};
    Drive([&] { main.ShowLoginDialog(); },
          [&] {
              const Rect login = m_screen.WaitFor(LOGIN_W, LOGIN_H);
              auto button = [&] { return m_screen.Pixels(login, 7, 66, 164, 14); };
              up = button();
              PointThen(login.x + DialogUnitsToPixelsX(89), login.y + DialogUnitsToPixelsY(73),
                        "mousedown 1 sleep 0.3");
              down = button();
              Xdo("mouseup 1");
              const auto released = std::chrono::steady_clock::now();
              std::this_thread::sleep_for(std::chrono::milliseconds(800));
              waiting = button();
              Shot("login-waiting");
              const Rect notice = m_screen.WaitFor(NOTICE_W, NOTICE_H);
              took = std::chrono::steady_clock::now() - released;
              Click(notice, 124, 30);
              m_screen.WaitGone(NOTICE_W, NOTICE_H);
          });
    EXPECT_TRUE(server.WaitFor("LOGIN alice silent"));
    auto differ = [](const std::vector<unsigned>& a, const std::vector<unsigned>& b) {
        size_t n = 0;
        for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
        return n;
    };
    // Drawn up again: far nearer the released look than the pressed one (the
    // button now has the focus, whose dotted frame is all that differs).
    EXPECT_GT(differ(up, down), 500u) << "the press shows";
    EXPECT_LT(differ(waiting, up), differ(waiting, down) / 2) << "the button still looks pressed";
    // The window found, then 200 ms before it counts as drawn.
    EXPECT_LT(took, std::chrono::milliseconds(5200));
    EXPECT_FALSE(StoredLoginExists());
    EXPECT_TRUE(g_boxes.empty());
    g_language[0] = 0;
}

TEST_F(AccountWindows, LogInShowsTheNameKeepsTheEntriesAndLogsOut)
{
    TestGameServer server({"--account", "alice:pw"});
    ASSERT_TRUE(server.Started());
    g_loginHost = CString(server.Address());
    g_loginPort = ACCOUNT_SERVER_PORT;
    g_language[0] = 2;
    g_onlineGame = 1;  // a log-in during an online game leaves it
    g_stopMoveReceive = 0;
    CVelmonarDlg main;
    std::vector<unsigned> englishFace, russianFace;
    Drive([&] { main.ShowLoginDialog(); },
          [&] {
              Rect login = m_screen.WaitFor(LOGIN_W, LOGIN_H);
              std::this_thread::sleep_for(std::chrono::milliseconds(300));
              Shot("login-en");
              EXPECT_EQ(m_screen.Pixels(login.x + 2, login.y + 2, 1, 1).at(0), 0u);
              EXPECT_GT(CountWhite(m_screen.Pixels(login, 2, 10, 176, 8)), 20u);
              englishFace = m_screen.Pixels(login, 7, 66, 164, 14);
              // A Cyrillic letter in the name is refused.
              Click(login, 100, 33);
              Xdo(std::string(u8"type --delay 40 'Иван'"));
              Click(login, 100, 50);
              Xdo("type --delay 40 pw");
              Keys(login, "Return");
              EXPECT_EQ(m_screen.WindowsOfSize(LOGIN_W, LOGIN_H).size(), 1u);
              // The right name: logged in, the name dialog follows.
              Click(login, 100, 33);
              Xdo("key ctrl+a BackSpace");
              Xdo("type --delay 40 alice");
              Keys(login, "Return");
              Rect name = m_screen.WaitFor(NAME_W, NAME_H);
              std::this_thread::sleep_for(std::chrono::milliseconds(300));
              Shot("name-en");
              // The caption is drawn smaller to fit its box: fewer, but white, pixels.
              EXPECT_GT(CountWhite(m_screen.Pixels(name, 8, 10, 77, 8)), 5u);
              Keys(name, "Return");  // Enter closes without logging out
              m_screen.WaitGone(NAME_W, NAME_H);
          });
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], "Permitted only letters and numbers. Try again.");
    EXPECT_TRUE(StoredLoginExists());
    EXPECT_EQ(g_onlineGame, 0);
    EXPECT_EQ(g_stopMoveReceive, 1);
    EXPECT_EQ(g_accountDialogClosed, 1);

    // Log out from the name dialog: the log-in dialog shows the last entries
    // again, and Enter sends them at once. An opponent who leaves meanwhile
    // is dealt with when the dialog closes.
    g_stopMoveReceive = 0;
    Drive([&] { main.OpenAccountSession(); },
          [&] {
              Rect name = m_screen.WaitFor(NAME_W, NAME_H);
              Click(name, 77, 37);  // log out
              Rect login = m_screen.WaitFor(LOGIN_W, LOGIN_H);
              EXPECT_EQ(g_accountDialogClosed, 0);
              g_opponentLeftInDialog = 1;
              std::this_thread::sleep_for(std::chrono::milliseconds(300));
              Keys(login, "Return");
              Keys(m_screen.WaitFor(NAME_W, NAME_H), "Escape");
              m_screen.WaitGone(NAME_W, NAME_H);
          });
    EXPECT_TRUE(StoredLoginExists());
    EXPECT_EQ(g_opponentLeftInDialog, 0);
    EXPECT_EQ(g_stopMoveReceive, 1);

    // The Russian faces differ from the English ones; the register button
    // leads to the registration dialog, and Esc closes it storing nothing.
    RemoveStoredLogin();
    g_language[0] = 1;
    Drive([&] { main.ShowLoginDialog(); },
          [&] {
              Rect login = m_screen.WaitFor(LOGIN_W, LOGIN_H);
              std::this_thread::sleep_for(std::chrono::milliseconds(300));
              Shot("login-ru");
              russianFace = m_screen.Pixels(login, 7, 66, 164, 14);
              Click(login, 44, 93);  // register
              Rect registration = m_screen.WaitFor(REGISTER_W, REGISTER_H);
              Shot("registration-ru");
              EXPECT_TRUE(m_screen.WindowsOfSize(LOGIN_W, LOGIN_H).empty());
              Keys(registration, "Escape");
              m_screen.WaitGone(REGISTER_W, REGISTER_H);
          });
    EXPECT_FALSE(StoredLoginExists());
    EXPECT_GT(CountWhite(englishFace), 10u);
    EXPECT_NE(englishFace, russianFace);
    EXPECT_EQ(server.Count("LOGIN alice ok"), 2);  // the first log-in and the one after the log-out
    EXPECT_EQ(server.Count("LOGIN"), 2);
    g_language[0] = 0;
}

}  // namespace
