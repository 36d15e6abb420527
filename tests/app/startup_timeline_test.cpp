// The start-up's time line on a fake clock: the dark image, the fades, the
// hold after the fade-in, the scene fade-in and the first panel.
#include <gtest/gtest.h>

#include <vector>

#include "app/startup_loader.h"
#include "interface/options.h"
#include "rules/search.h"
#include "scene/frame_state.h"

namespace {

// The fake clock moves by `step` at every look and by the whole pause at a
// sleep; every draw and frame is recorded with the time it was asked for.
struct FakeWorld {
    DWORD now = 100000;
    DWORD step = 10;
    std::vector<DWORD> sleeps;
    std::vector<double> splashLevels;
    std::vector<DWORD> splashTimes;
    std::vector<double> frameLevels;
    std::vector<int> frameFading;
    std::vector<bool> flyIns;  // true: the language list
};
FakeWorld* g_world = nullptr;

DWORD FakeTick()
{
    g_world->now += g_world->step;
    return g_world->now;
}
void FakeSleep(DWORD ms)
{
    g_world->sleeps.push_back(ms);
    g_world->now += ms;
}
void FakeSplash(int mode, double level)
{
    EXPECT_EQ(mode, 1);
    g_world->splashLevels.push_back(level);
    g_world->splashTimes.push_back(g_world->now);
}
void FakeFrame()
{
    g_world->frameLevels.push_back(g_fadeLevel);
    g_world->frameFading.push_back(g_fadeInProgress);
}
void FakeFlyIn(bool languageList)
{
    g_world->flyIns.push_back(languageList);
}

class StartupTimeline : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_world = &world;
        g_clockHooks.tick = FakeTick;
        g_clockHooks.sleep = FakeSleep;
        g_startupHooks.drawSplash = FakeSplash;
        g_startupHooks.renderFrame = FakeFrame;
        g_startupHooks.flyIn = FakeFlyIn;
        for (int& flag : g_panelVisible) flag = 0;
        g_fadeInProgress = 0;
    }
    void TearDown() override
    {
        ResetStartupHooks();
        g_world = nullptr;
        g_language[0] = 0;
        g_animationsOn = 1;
        for (int& flag : g_panelVisible) flag = 0;
    }
    FakeWorld world;
};

// The splash from start to end: the dark image, the delay, the fade-in, a
// hold of two seconds unless the load took longer, the fade-out to black.
TEST_F(StartupTimeline, DarkImageDelayFadeInHoldOfTwoSecondsUnlessTheLoadTookLongerAndFadeOut)
{
    const DWORD begin = world.now;
    ShowSplashFadeIn();

    ASSERT_EQ(world.sleeps.size(), 1u);
    EXPECT_EQ(world.sleeps[0], 500u);
    ASSERT_GE(world.splashLevels.size(), 3u);
    // The first picture is dark and shown before the delay.
    EXPECT_EQ(world.splashLevels.front(), 0.0);
    EXPECT_EQ(world.splashTimes.front(), begin);
    // Then the levels rise with the time since the fade began, below 1 ...
    for (size_t i = 1; i + 1 < world.splashLevels.size(); ++i) {
        EXPECT_GT(world.splashLevels[i], world.splashLevels[i - 1]);
        EXPECT_LT(world.splashLevels[i], 1.0);
    }
    // ... over 1500 ms (10 ms a look), and the last picture is at full level.
    EXPECT_NEAR(static_cast<double>(world.splashLevels.size()), 1500 / 10 + 1, 2);
    EXPECT_EQ(world.splashLevels.back(), 1.0);
    EXPECT_EQ(g_fadeLevel, 1.0);
    EXPECT_GE(world.splashTimes.back() - begin, 500u + 1500u);
    // The hold counts from the end of the fade-in.
    const DWORD fadeInEnd = g_tickStart;
    EXPECT_GE(fadeInEnd, world.splashTimes.back());
    world.splashLevels.clear();
    world.now += 300;  // a quick load
    HoldSplash();
    EXPECT_GE(world.now - fadeInEnd, 2000u);
    EXPECT_LT(world.now - fadeInEnd, 2000u + 2 * world.step);
    ASSERT_FALSE(world.splashLevels.empty());
    for (double level : world.splashLevels) EXPECT_EQ(level, 1.0);

    // The fade-out falls to black over 1500 ms.
    world.splashLevels.clear();
    const DWORD fadeOutBegin = world.now;
    FadeOutSplash();
    ASSERT_GE(world.splashLevels.size(), 3u);
    for (size_t i = 1; i + 1 < world.splashLevels.size(); ++i) {
        EXPECT_LT(world.splashLevels[i], world.splashLevels[i - 1]);
        EXPECT_GT(world.splashLevels[i], 0.0);
    }
    EXPECT_GT(world.splashLevels.front(), 0.99);
    EXPECT_EQ(world.splashLevels.back(), 0.0);
    EXPECT_EQ(g_fadeLevel, 0.0);
    EXPECT_GE(world.now - fadeOutBegin, 1500u);
    EXPECT_LT(world.now - fadeOutBegin, 1500u + 3 * world.step);

    // A load of 2500 ms goes straight on: no picture is held.
    ShowSplashFadeIn();
    world.splashLevels.clear();
    world.now += 2500;
    const DWORD before = world.now;
    HoldSplash();
    EXPECT_TRUE(world.splashLevels.empty());
    EXPECT_EQ(world.now - before, world.step);  // one look at the clock
}

TEST_F(StartupTimeline, SceneFadesInWhileTheFadeFlagIsUpThenTheFirstPanelFliesInOnlyWithTheAnimationsOn)
{
    world.step = 100;
    FadeInScene();
    ASSERT_EQ(world.frameLevels.size(), 14u);  // 100, 200 ... 1400 ms
    for (size_t i = 0; i < world.frameLevels.size(); ++i) {
        EXPECT_DOUBLE_EQ(world.frameLevels[i], (i + 1) * 100 / 1500.0);
        EXPECT_EQ(world.frameFading[i], 1);
    }
    // The flag stays up until the first panel stands.
    EXPECT_EQ(g_fadeInProgress, 1);

    // The first panel: the language list without an options file, else the
    // main menu, in the menu mode; it flies in only while the animations are
    // on. The last frame of the fade-in is drawn before its flag drops.
    struct Case {
        int language, animations, entry, otherEntry;  // 14: the language list, 1: the main menu
    };
    for (const Case& c : {Case{0, 1, 14, 1}, Case{2, 0, 1, 14}, Case{2, 1, 1, 14}}) {
        SCOPED_TRACE(c.language * 10 + c.animations);
        world = FakeWorld();
        for (int& flag : g_panelVisible) flag = 0;
        g_language[0] = c.language;
        g_animationsOn = c.animations;
        g_fadeInProgress = 1;
        OpenFirstPanel();
        EXPECT_EQ(g_panelVisible[0] * 100 + g_panelVisible[c.entry] * 10 + g_panelVisible[c.otherEntry], 110);
        EXPECT_EQ(world.flyIns, c.animations ? std::vector<bool>{c.entry == 14} : std::vector<bool>{});
        EXPECT_EQ(world.frameFading, std::vector<int>{1});
        EXPECT_EQ(g_fadeInProgress, 0);
    }
}

TEST(ProgramFolder, QuotedWindowsCommandLine)
{
    EXPECT_EQ(ProgramFolderFromCommandLine("\"C:\\Play\\Board\\prog.exe\""), "C:/Play/Board");
    EXPECT_EQ(ProgramFolderFromCommandLine("\"C:\\Play\\Board\\prog.exe\" -x"), "C:/Play/Board");
    // No length limit: a folder far longer than 200 characters stays whole.
    const std::string deep = "D:\\" + std::string(300, 'a') + "\\b";
    EXPECT_EQ(ProgramFolderFromCommandLine("\"" + deep + "\\prog.exe\""), "D:/" + std::string(300, 'a') + "/b");
    EXPECT_EQ(ProgramFolderFromCommandLine("/opt/velmonar/velmonar --flag"), "/opt/velmonar");
    EXPECT_EQ(ProgramFolderFromCommandLine("\"prog.exe\""), ".");
    EXPECT_EQ(ProgramFolderFromCommandLine("\"/velmonar\""), "/");
    EXPECT_EQ(ProgramFolderFromCommandLine(""), ".");
    EXPECT_EQ(ProgramFolderFromCommandLine("\"C:\\unclosed\\prog.exe"), "C:/unclosed");
}

bool g_terminate = false;
bool FakeTermination()
{
    return g_terminate;
}

TEST_F(StartupTimeline, AnEndRequestCutsThePausesShort)
{
    g_startupHooks.terminationRequested = FakeTermination;
    g_terminate = true;
    const DWORD start = world.now;
    ShowSplashFadeIn();
    HoldSplash();
    FadeOutSplash();
    FadeInScene();
    g_terminate = false;
    // Only the first short still image waits; no fade or hold runs its course.
    EXPECT_LT(world.now - start, 500u + 20 * world.step);
    EXPECT_EQ(g_fadeLevel, 1.0);
    EXPECT_EQ(world.splashLevels.back(), 0.0);
}

}  // namespace
