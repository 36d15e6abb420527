// The account dialogs' logic without their windows: the entry checks in
// their order, and the exchanges with a small stand-in for the game server
// on the loopback (it answers each request with a fixed reply, or never).
#include <fcntl.h>
#include <gtest/gtest.h>
// The system socket headers first: the platform's socket header leaves out what they declare.

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "online/Avtorizaciya.h"
#include "online/Registraciya.h"
#include "online/account_server.h"
#include "online/notice.h"
#include "online/stored_login.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_server.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> g_boxes;
std::vector<std::string> g_notices;

// A fresh settings folder, recorders for the message box and the notices.
// The dialogs talk to the test game server, which listens on port 10002 of a
// free loopback address; the fixture points both dialogs' hosts at it.
class AccountDialogs : public ::testing::Test {
protected:
    NoticeFunction previousErrorBox = nullptr;
    void SetUp() override
    {
        setenv("XDG_CONFIG_HOME", m_home.Path().c_str(), 1);
        previousErrorBox = g_errorBoxFunction;
        g_errorBoxFunction = [](const CString& text) { g_boxes.push_back(text.str()); };
        g_noticeFunction = [](const CString& text) { g_notices.push_back(text.GetString()); };
        g_boxes.clear();
        g_notices.clear();
        g_loginPort = g_registerPort = ACCOUNT_SERVER_PORT;
    }
    void TearDown() override
    {
        g_errorBoxFunction = previousErrorBox;
        g_noticeFunction = ShowNoticeBox;
        g_loginHost = g_registerHost = "localhost";
        unsetenv("XDG_CONFIG_HOME");
    }
    void PointAt(const TestGameServer& server)
    {
        ASSERT_TRUE(server.Started());
        g_loginHost = g_registerHost = CString(server.Address());
    }
    TempFolder m_home{"velmonar-account"};
};

TEST(AccountChecks, EntriesAreCheckedInOrderWithTheirMessages)
{
    const char* letters = "Permitted only letters and numbers. Try again.";
    EXPECT_STREQ(CheckLoginEntries("", "pw", 2), "Enter all of the data.");
    EXPECT_STREQ(CheckLoginEntries("Иван", "pw", 2), letters);
    EXPECT_STREQ(CheckLoginEntries("ab cd", "pw", 2), letters);
    EXPECT_STREQ(CheckLoginEntries("abc", "p-w", 2), letters);
    EXPECT_STREQ(CheckLoginEntries("abc", "p w", 1),
                 "Допускаются только буквы латинского алфавита и цифры. Попробуйте еще раз.");
    EXPECT_EQ(CheckLoginEntries(CString(std::string(30, 'a')), "pw", 2), nullptr);  // no length limit

    const CString pw = "pass1";
    EXPECT_STREQ(CheckRegistrationEntries("bob", pw, "", "b@c.d", 2), "Enter all the data");
    EXPECT_STREQ(CheckRegistrationEntries("bob", pw, pw, "", 1), "Введите все данные.");
    EXPECT_STREQ(CheckRegistrationEntries("bo b", pw, pw, "b@@", 2), "Permitted only letters and numbers. Try again");
    EXPECT_STREQ(CheckRegistrationEntries("bob", pw, pw, "b-c@d.e", 2),
                 "Permitted only letters and numbers. Try again");
    EXPECT_STREQ(CheckRegistrationEntries("bob", pw, pw, "bcd@ef", 2), "Invalid email. Try again");
    EXPECT_STREQ(CheckRegistrationEntries("bob", pw, pw, "b@c@d.e", 2), "Invalid email. Try again");
    EXPECT_STREQ(CheckRegistrationEntries("bob", pw, pw, "b@c@d.e", 1), "Неверный Емаил. Попробуйте еще раз");
    EXPECT_EQ(CheckRegistrationEntries("bob", pw, pw, "b.c@de", 2), nullptr);
    EXPECT_EQ(CheckRegistrationEntries("bob", pw, pw, "bc@d.e", 2), nullptr);
    // Equality before length: two different 25-character passwords.
    const CString a(std::string(25, 'a')), b(std::string(25, 'b'));
    EXPECT_STREQ(CheckRegistrationEntries("bob", a, b, "b@c.d", 2), "Passwords do not match. Try again");
    EXPECT_STREQ(CheckRegistrationEntries(CString(std::string(21, 'n')), pw, pw, "b@c.d", 2),
                 "The name can not exceed 20 characters. Try again");
    EXPECT_STREQ(CheckRegistrationEntries("bob", a, a, "b@c.d", 2),
                 "The password can not exceed 20 characters. Try again");
    EXPECT_EQ(CheckRegistrationEntries(CString(std::string(20, 'n')), CString(std::string(20, 'p')),
                                       CString(std::string(20, 'p')), "b@c.d", 2),
              nullptr);
}

TEST_F(AccountDialogs, LogInRefusedKeepsTheDialogAndAcceptedStoresTheLogIn)
{
    TestGameServer server({"--account", "alice:s3cret"});
    PointAt(server);
    const bool stdinOpen = fcntl(0, F_GETFD) != -1;

    // Entries that fail their check never reach the server.
    CAvtorizaciya login;
    login.m_language = 2;
    g_loginName = "Иван";
    g_loginPassword = "pw";
    login.OnOK();
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], "Permitted only letters and numbers. Try again.");
    EXPECT_EQ(login.m_connectTried, 0);
    EXPECT_FALSE(login.IsEnding());

    // A 30-character name is sent whole, and refused by the server.
    g_loginName = CString(std::string(30, 'a'));
    login.OnOK();
    ASSERT_EQ(g_boxes.size(), 2u);
    EXPECT_EQ(g_boxes[1], "Name or password is incorrect. Try again.");
    EXPECT_EQ(login.m_connectTried, 1);
    EXPECT_EQ(login.m_loggedIn, 0);
    EXPECT_FALSE(login.IsEnding());
    EXPECT_FALSE(StoredLoginExists());
    EXPECT_EQ(g_loginSocket, INVALID_SOCKET);
    EXPECT_EQ(fcntl(0, F_GETFD) != -1, stdinOpen) << "a close reached descriptor 0";
    EXPECT_TRUE(server.WaitFor("LOGIN " + std::string(30, 'a') + " refused"));

    g_loginName = "alice";
    g_loginPassword = "wrong";
    login.OnOK();
    EXPECT_EQ(g_boxes.size(), 3u);
    EXPECT_FALSE(login.IsEnding());

    g_loginPassword = "s3cret";
    login.OnOK();
    EXPECT_EQ(g_boxes.size(), 3u);
    EXPECT_TRUE(g_notices.empty());
    EXPECT_EQ(login.m_loggedIn, 1);
    EXPECT_TRUE(login.IsEnding());
    EXPECT_TRUE(server.WaitFor("LOGIN alice ok"));
    CString name, password;
    ASSERT_TRUE(ReadStoredLogin(&name, &password));
    EXPECT_EQ(std::string(name), "alice");
    EXPECT_EQ(std::string(password), "s3cret");
}

TEST_F(AccountDialogs, RegistrationIsStoredOnlyWhenTheServerConfirmsIt)
{
    CRegistraciya registration;
    registration.m_language = 2;
    registration.m_name = "bob";
    registration.m_password = "pw1";
    registration.m_passwordRepeat = "pw1";
    registration.m_email = "bob@b.example";
    {
        TestGameServer taken({"--account", "bob:other"});
        PointAt(taken);
        registration.OnOK();
        ASSERT_EQ(g_boxes.size(), 1u);
        EXPECT_EQ(g_boxes[0], "This name is. Try again");
        EXPECT_FALSE(registration.IsEnding());
        EXPECT_TRUE(taken.WaitFor("REGISTER bob taken"));
    }
    {
        TestGameServer odd({"--account-reply", "3f00"});  // "?": neither answer
        PointAt(odd);
        registration.OnOK();
        EXPECT_EQ(g_boxes.size(), 1u);  // silently open
        EXPECT_TRUE(g_notices.empty());
        EXPECT_FALSE(registration.IsEnding());
        EXPECT_EQ(registration.m_registered, 0);
    }
    {
        TestGameServer fresh;
        PointAt(fresh);
        registration.OnOK();
        EXPECT_EQ(registration.m_registered, 1);
        EXPECT_EQ(registration.m_connectTried, 1);
        EXPECT_TRUE(registration.IsEnding());
        EXPECT_TRUE(fresh.WaitFor("REGISTER bob new"));
    }
    EXPECT_EQ(g_registerSocket, INVALID_SOCKET);
    EXPECT_FALSE(StoredLoginExists());  // the caller stores it
}

TEST_F(AccountDialogs, AServerThatIsDownOrSilentGivesTheConnectionNoticeAndEndsTheDialog)
{
    TestGameServer gone;
    PointAt(gone);
    gone.Kill();  // nothing listens any more where a server was
    CAvtorizaciya login;
    login.m_language = 1;
    g_loginName = "alice";
    g_loginPassword = "pw";
    login.OnOK();
    ASSERT_EQ(g_notices.size(), 1u);
    EXPECT_EQ(g_notices[0], "Проблема в соединение с сервером. Попробуйте позже.");
    EXPECT_EQ(std::string(g_loginMessage), g_notices[0]);
    EXPECT_TRUE(login.IsEnding());
    EXPECT_EQ(login.m_loggedIn, 0);
    EXPECT_TRUE(g_boxes.empty());

    CRegistraciya registration;
    registration.m_language = 2;
    registration.m_name = "bob";
    registration.m_password = registration.m_passwordRepeat = "pw1";
    registration.m_email = "b@c.d";
    g_registerHost = "no-such-host.invalid";
    registration.OnOK();
    ASSERT_EQ(g_notices.size(), 2u);
    EXPECT_EQ(g_notices[1], "Problem in connection with the server. Try again later.");
    EXPECT_TRUE(registration.IsEnding());
    EXPECT_EQ(registration.m_registered, 0);
    EXPECT_FALSE(StoredLoginExists());

    // A server that accepts and never answers: the notice after a wait the
    // player does not take for a hang (under 5 s).
    TestGameServer silent({"--silent-logins"});
    PointAt(silent);
    CAvtorizaciya again;
    again.m_language = 2;
    const auto start = Clock::now();
    again.OnOK();
    const auto took = Clock::now() - start;
    EXPECT_TRUE(silent.WaitFor("LOGIN alice silent"));
    EXPECT_GE(took, std::chrono::milliseconds(4000));
    EXPECT_LT(took, std::chrono::milliseconds(5000));
    ASSERT_EQ(g_notices.size(), 3u);
    EXPECT_EQ(g_notices[2], "Problem in connection with the server. Try again later.");
    EXPECT_TRUE(again.IsEnding());
    EXPECT_TRUE(g_boxes.empty());
    EXPECT_FALSE(StoredLoginExists());
}

}  // namespace
