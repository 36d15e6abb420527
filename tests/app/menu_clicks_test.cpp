// The real main dialog on a display, after a real start-up against the built
// program folder: its window, then clicks over the caption bar, the panels and
// the banners, then its end. Each case: the state before, a press at the
// centre of the element's hit rectangle, then the flags and the recorded calls
// after. Where a panel's layout leaves no rectangle yet, the test places the
// widget itself through the common hit-rectangle rule.
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/game_state.h"
#include "app/menu_clicks.h"
#include "interface/caption_bar.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/options.h"
#include "interface/save_slots.h"
#include "interface/widgets.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "online/web.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "scene/PixselFormat.h"
#include "scene/frame_state.h"
#include "tests/app/flow_recorder.h"
#include "tests/support/fake_browser.h"
#include "tests/support/main_dialog.h"
#include "tests/support/options_line.h"
#include "tests/support/overlay_gl.h"
#include "tests/support/window_pixels.h"

namespace {

using Names = std::vector<std::string>;

CVelmonarDlg* g_dialog = nullptr;

// The recorded time line; threads named by what they run.
Names Calls()
{
    Names names;
    for (const FlowEvent& e : FlowEvents()) {
        if (e.name == "pick") continue;
        std::string name = e.name;
        if (e.thread == WebFetchThread) name = "thread WebFetch";
        if (e.thread == ServerStatusThread) name = "thread ServerStatus";
        names.push_back(name);
    }
    return names;
}

void InstallMenuRecorder()
{
    g_menuHooks.saveConfig = [] {
        AddFlowEvent("SaveConfig");
        return true;
    };
    g_menuHooks.endDialog = [](CVelmonarDlg&) { AddFlowEvent("EndDialog"); };
    g_menuHooks.openAccountSession = [](CVelmonarDlg&) { AddFlowEvent("OpenAccountSession"); };
    g_menuHooks.loadLanguage = [](int n) { AddFlowEvent("LoadLanguage " + std::to_string(n)); };
}

// A widget without a laid-out rectangle gets one of its own: one column per
// item, one row per panel, below the caption bar.
void Place(int widget)
{
    const RECT& r = g_widgetHitRect[widget];
    if (r.right > r.left && r.bottom > r.top) return;
    const int panel = widget / PANEL_ITEMS, item = widget % PANEL_ITEMS;
    g_widgetLeft[widget] = 40 + item * 62;
    g_widgetRight[widget] = g_widgetLeft[widget] + 56;
    g_widgetTop[widget] = g_dialog->m_clientHeight - 120 - panel * 40;
    g_widgetBottom[widget] = g_widgetTop[widget] - 30;
    SetWidgetHitRect(widget, g_dialog->m_clientHeight);
}

void Press(const RECT& r, bool release = true)
{
    Press(*g_dialog, r, release);
}

void Click(int widget, bool release = true)
{
    Place(widget);
    Press(g_widgetHitRect[widget], release);
}

void Esc()
{
    Key(*g_dialog, InputKey::Escape);
}

// The state before a case: the given panels open (menu mode with any of
// them), nothing hovered or recorded.
void Open(std::initializer_list<int> flags)
{
    OpenPanels(flags);
    g_hoverId = 0;
    g_hoverRow[0] = g_hoverRow[1] = 0;
    g_hoverTraySlot = -1;
    ClearFlowEvents();
}

std::string Panels()
{
    std::string s;
    for (int flag : g_panelVisible) s += static_cast<char>('0' + flag);
    return s;
}

// Panels() with the given flags set.
std::string Only(std::initializer_list<int> flags)
{
    std::string s(PANEL_FLAG_COUNT, '0');
    for (int flag : flags) s[static_cast<size_t>(flag)] = '1';
    return s;
}

constexpr int MENU = PANEL_FLAG_MENU_MODE;

// Panels() after a click on the widget with the given panel open.
std::string PanelsAfterClick(int flag, int widget)
{
    Open({flag});
    Click(widget);
    return Panels();
}

// --- the cases, each a group of related rows ---

// The window the start-up leaves: full screen with a GL context, the first
// panel open; before the scene is loaded, the clear colour (the panel
// colour's start value) on the screen; Enter does nothing, Esc opens the menu.
void Window(CVelmonarDlg& d)
{
    EXPECT_EQ(d.m_clientWidth, 1920);
    EXPECT_EQ(d.m_clientHeight, 1080);
    EXPECT_EQ(d.m_screenWidth, 1920);
    const int format = GetPixelFormat(d.m_pDC->m_hDC);
    EXPECT_GE(format, 1);
    EXPECT_EQ(PixelFormatSamples(format) > 0, g_multisampleSupported == 1);
    EXPECT_TRUE(wglGetCurrentContext() == d.m_hRC && d.m_hRC != nullptr);
    EXPECT_EQ(g_sceneReady, 1);
    EXPECT_EQ(g_panelVisible[0], 1);
    EXPECT_FALSE(g_machineId.IsEmpty());
    EXPECT_EQ(g_appDir, VELMONAR_PROGRAM_DIR);
    for (int& flag : g_panelVisible) flag = 0;
    g_sceneReady = 0;
    d.SendMessage(WM_PAINT);
    g_sceneReady = 1;
    const unsigned pixel = WindowPixel(d.m_clientWidth - 5, 4);
    EXPECT_NEAR(static_cast<int>(pixel >> 16), 0.12 * 255, 1.5);
    EXPECT_NEAR(static_cast<int>((pixel >> 8) & 0xFF), 0.30 * 255, 1.5);
    EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 0.23 * 255, 1.5);
    Key(d, InputKey::Enter);
    for (int flag : g_panelVisible) EXPECT_EQ(flag, 0);
    Key(d, InputKey::Escape);
    EXPECT_EQ(g_panelVisible[1], 1);
    EXPECT_FALSE(d.IsEnding());
}

void CaptionBar()
{
    // Close: the options file, then the base dialog's end, and nothing after it.
    Open({});
    Press(g_captionButtonRect[0]);
    EXPECT_EQ(Calls(), (Names{"SaveConfig", "EndDialog"}));

    // Help over the board, drawn at once; its close goes back to the board.
    Open({});
    Press(g_captionButtonRect[3]);
    EXPECT_EQ(Panels(), Only({MENU, PANEL_FLAG_TEXT_WINDOW}));
    EXPECT_EQ(g_textWindowOpener, 1);
    EXPECT_EQ(Calls(), (Names{"frame"}));
    // The caption bar is dead under the text window.
    Press(g_menuButtonRect);
    EXPECT_EQ(Panels(), Only({MENU, PANEL_FLAG_TEXT_WINDOW}));
    Press(g_textCloseRect);
    EXPECT_EQ(Panels(), Only({}));
    EXPECT_EQ(g_textWindowOpener, 0);

    // The rules from the menu: the text window, whose close goes back to the menu.
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_MAIN_MENU, 3), Only({MENU, PANEL_FLAG_TEXT_WINDOW}));
    EXPECT_EQ(g_textWindowOpener, 2);
    Press(g_textCloseRect);
    EXPECT_EQ(Panels(), Only({MENU, PANEL_FLAG_MAIN_MENU}));

    // The menu button opens the main menu.
    Open({});
    Press(g_menuButtonRect);
    EXPECT_EQ(Panels(), Only({MENU, PANEL_FLAG_MAIN_MENU}));
    EXPECT_EQ(Calls(), (Names{"frame"}));
}

void WindowMode()
{
    const int screenWidth = g_dialog->m_screenWidth;
    const double baseWidth = g_menuButtonBaseWidth, baseHeight = g_menuButtonBaseHeight;
    ASSERT_GT(baseWidth, 0.0);
    Open({});
    g_hoverId = HOVER_CAPTION_MAXIMISE;
    Press(g_captionButtonRect[1]);
    EXPECT_EQ(g_dialog->m_clientWidth, 798);
    EXPECT_EQ(g_dialog->m_clientHeight, 600);
    EXPECT_EQ(g_hoverId, 0);
    EXPECT_DOUBLE_EQ(g_menuButtonWidth, baseWidth / 1.2);
    EXPECT_DOUBLE_EQ(g_menuButtonHeight, baseHeight / 1.2);
    EXPECT_DOUBLE_EQ(g_centrePanelWidth, 230 / 1.2);
    EXPECT_DOUBLE_EQ(g_centrePanelHeight, 295 / 1.2);
    // Laid out again for the small window.
    EXPECT_EQ(g_captionButtonRect[0].right, 798 - CAPTION_BAR_MARGIN);

    Press(g_captionButtonRect[1]);
    EXPECT_EQ(g_dialog->m_clientWidth, screenWidth);
    EXPECT_DOUBLE_EQ(g_menuButtonWidth, baseWidth);
    EXPECT_DOUBLE_EQ(g_centrePanelWidth, 230);
    EXPECT_EQ(g_captionButtonRect[0].right, screenWidth - CAPTION_BAR_MARGIN);
}

void MainMenu()
{
    // The save entry is inert during setup and online.
    const int phases[2][2] = {{1, 0}, {0, 1}};  // setup phase, online game
    for (const auto& p : phases) {
        g_setupPhase = p[0];
        g_onlineGame = p[1];
        EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_MAIN_MENU, 2), Only({MENU, PANEL_FLAG_MAIN_MENU}));
        EXPECT_EQ(Calls(), Names{});
    }
    g_setupPhase = g_onlineGame = 0;
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_MAIN_MENU, 2), Only({MENU, PANEL_FLAG_SAVE_SLOTS}));

    // New game: the prompt in play, the opponent choice in setup.
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_MAIN_MENU, 0), Only({MENU, PANEL_FLAG_NEW_GAME_CONFIRM}));
    g_setupPhase = 1;
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_MAIN_MENU, 0), Only({MENU, PANEL_FLAG_ONLINE_GAME}));

    // The exit prompt's yes ends the program as the close button does.
    Open({PANEL_FLAG_EXIT_CONFIRM});
    Click(278);
    EXPECT_EQ(Calls(), (Names{"SaveConfig", "EndDialog"}));
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_MAIN_MENU, 7), Only({}));
    // A load row that stands for no save takes no click.
    g_loadListCount = 2;
    Open({PANEL_FLAG_LOAD_LIST});
    Click(202);
    EXPECT_EQ(Calls(), Names{});
}

void LanguageList()
{
    ASSERT_GE(g_languageCount, 3);  // the built folder holds two languages
    g_language[0] = 2;
    const int inUse = 2, other = 1;
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_SETTINGS, 29), Only({MENU, PANEL_FLAG_LANGUAGE_LIST}));
    EXPECT_EQ(g_language[1], inUse);

    // The language in use: the list closes and nothing is loaded.
    ClearFlowEvents();
    Click(WidgetIndex(PANEL_LANGUAGE_LIST, inUse));
    EXPECT_EQ(Panels(), Only({MENU, PANEL_FLAG_MAIN_MENU}));
    EXPECT_EQ(Calls(), (Names{"frame"}));

    // Another: loaded, panels rebuilt with their heights kept, the web asked again.
    Open({PANEL_FLAG_LANGUAGE_LIST});
    g_language[1] = inUse;
    g_webNewsPending = 1;
    Click(WidgetIndex(PANEL_LANGUAGE_LIST, other));
    EXPECT_EQ(g_language[0], other);
    EXPECT_EQ(g_panelHeightsFixed, 0);
    EXPECT_EQ(g_webNewsPending.load(), 0);
    EXPECT_EQ(Calls(),
              (Names{"LoadLanguage " + std::to_string(other), "panelTextures", "thread WebFetch", "frame"}));

    // During an online game the web is not asked.
    Open({PANEL_FLAG_LANGUAGE_LIST});
    g_language[1] = other;
    g_onlineGame = 1;
    Click(WidgetIndex(PANEL_LANGUAGE_LIST, inUse));
    g_onlineGame = 0;
    EXPECT_EQ(Calls(), (Names{"LoadLanguage " + std::to_string(inUse), "panelTextures", "frame"}));
    EXPECT_EQ(g_language[0], inUse);
}

// Options that differ from the defaults in every group the reset touches.
void CustomOptions()
{
    g_aiLevel2 = 0;
    g_aiLevel3 = 1;
    g_pieceBrightness = 30;
    g_reflectionAlpha = 0.5;
    g_spareOption3 = 0;
    g_tintR[COLOUR_PLAYER_PIECES] = 0.2;
    g_tintG[COLOUR_PANEL] = 0.5;
    g_panelColour[1] = 0.5;
}

void ResetThen(void (*answer)(), const char* name, bool keepsDefaults, const std::string& panelsAfter)
{
    SCOPED_TRACE(name);
    CustomOptions();
    const std::string custom = ConfigLine();
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_SETTINGS, 31), Only({MENU, PANEL_FLAG_RESET_CONFIRM}));
    // Every option at its default but the language, shown while the prompt asks.
    EXPECT_EQ(ConfigLine(), OptionsLine(g_language[0]));
    EXPECT_EQ(g_editPieceBrightness, 30);
    EXPECT_EQ(Calls(), (Names{"panelTextures", "pieceTextures", "frame"}));
    answer();
    EXPECT_EQ(Panels(), panelsAfter);
    EXPECT_EQ(ConfigLine(), keepsDefaults ? OptionsLine(g_language[0]) : custom);
}

void Reset()
{
    const std::string settings = Only({MENU, PANEL_FLAG_SETTINGS});
    ResetThen([] { Click(304); }, "304", true, settings);
    ResetThen([] { Click(305); }, "305", false, settings);
    ResetThen(Esc, "Esc", false, Only({}));
    ResetThen([] { Press(g_menuButtonRect); }, "menu button", false, Only({}));
}

void GameOptions()
{
    g_aiQuickSearch = 0, g_aiLevel2 = 1, g_aiLevel3 = 0;
    g_spareOption1 = 1, g_computerMovesFirst = 0;
    g_animationsOn = 1;
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_SETTINGS, 26), Only({MENU, PANEL_FLAG_GAME_OPTIONS}));
    EXPECT_EQ(g_editAiLevel2, 1);

    // The three-way choice: an unticked box takes the tick and loses its light;
    // a ticked one is inert (by its box and by its label).
    g_hoverId = HOVER_AI_LEVEL3;
    Click(57);
    EXPECT_EQ(g_editAiQuickSearch * 100 + g_editAiLevel2 * 10 + g_editAiLevel3, 1);
    EXPECT_EQ(g_hoverId, 0);
    Click(56);
    Click(57);
    EXPECT_EQ(g_editAiQuickSearch * 100 + g_editAiLevel2 * 10 + g_editAiLevel3, 1);
    Click(52);
    EXPECT_EQ(g_editAiQuickSearch * 100 + g_editAiLevel2 * 10 + g_editAiLevel3, 100);
    // The two-way choice of who moves first.
    Click(60);
    EXPECT_EQ(g_editSpareOption1 * 10 + g_editComputerMovesFirst, 10);
    Click(61);
    EXPECT_EQ(g_editSpareOption1 * 10 + g_editComputerMovesFirst, 1);
    Click(65);
    EXPECT_EQ(g_editAnimationsOn, 0);
    // Nothing is live before OK; OK makes it live and goes back.
    EXPECT_EQ(g_aiLevel2, 1);
    Click(69);
    EXPECT_EQ(Panels(), Only({MENU, PANEL_FLAG_SETTINGS}));
    EXPECT_EQ(g_aiQuickSearch * 100 + g_aiLevel2 * 10 + g_aiLevel3, 100);
    EXPECT_EQ(g_computerMovesFirst, 1);
    EXPECT_EQ(g_animationsOn, 0);
    g_animationsOn = 1;
}

void Sliders()
{
    g_pieceBrightness = 39;  // offset 100
    g_reflectionAlpha = 0.2;
    Place(WIDGET_REFLECTION_SLIDER);  // the brightness is measured from its edge
    // Dragged and the menu closed (menu button, then Esc): the value comes
    // back and the pieces are rebuilt with it; cancel does the same.
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        Open({PANEL_FLAG_SETTINGS});
        Click(27);
        EXPECT_EQ(g_brightnessSliderPos[1], 100);
        ClearFlowEvents();
        Click(WIDGET_BRIGHTNESS_SLIDER);
        Click(WIDGET_REFLECTION_SLIDER);
        EXPECT_NE(g_pieceBrightness, 39);
        EXPECT_EQ(g_brightnessSliderPos[0], (g_widgetHitRect[94].left + g_widgetHitRect[94].right) / 2 -
                                                static_cast<int>(g_widgetLeft[90]));
        EXPECT_EQ(Calls(), (Names{"pieceTextures", "frame", "frame"}));
        ClearFlowEvents();
        if (way == 0) Press(g_menuButtonRect);
        if (way == 1) Esc();
        if (way == 2) Click(93);
        EXPECT_EQ(g_pieceBrightness, 39);
        EXPECT_DOUBLE_EQ(g_reflectionAlpha, 51 / 255.0);
        // (Esc draws directly, not through the flow's hooks.)
        EXPECT_EQ(Calls(), way == 1 ? Names{"pieceTextures"} : (Names{"pieceTextures", "frame"}));
        EXPECT_EQ(Panels(), way == 2 ? Only({MENU, PANEL_FLAG_SETTINGS}) : Only({}));
    }
}

// The live colour of a slot as the editor's 0..255 values.
int Red(int slot)
{
    return ColourEditValue(slot == COLOUR_PANEL ? g_panelColour[0] : g_tintR[slot]);
}

void ColourEditor()
{
    const int rows[4][2] = {{83, COLOUR_PLAYER_PIECES}, {85, COLOUR_OPPONENT_PIECES}, {87, COLOUR_BOARD},
                            {89, COLOUR_PANEL}};
    for (const auto& row : rows)
        for (bool ok : {true, false}) {
            const int slot = row[1];
            SCOPED_TRACE(std::to_string(slot) + (ok ? " OK" : " cancel"));
            g_tintR[slot] = 0.4;
            if (slot == COLOUR_PANEL) g_panelColour[0] = 0.4;
            EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_GRAPHICS_OPTIONS, row[0]), Only({MENU, PANEL_FLAG_COLOUR_EDITOR}));
            EXPECT_EQ(g_colourEditSlot, slot);
            EXPECT_EQ(g_colourEditValue[0], 102);
            EXPECT_EQ(g_colourEditValue[3], 102);
            // The red ramp changes the live colour at once and grabs its knob.
            Click(WIDGET_COLOUR_RAMP_FIRST, false);
            const int edited = g_colourEditValue[0];
            EXPECT_NE(edited, 102);
            EXPECT_EQ(g_dragKnob[0], 1);
            EXPECT_EQ(Red(slot), ColourEditValue(edited / 255.0));
            ClearFlowEvents();
            Click(ok ? 133 : 134);
            EXPECT_EQ(g_dragKnob[0], 0);
            EXPECT_EQ(Panels(), Only({MENU, PANEL_FLAG_GRAPHICS_OPTIONS}));
            EXPECT_EQ(Red(slot), ok ? ColourEditValue(edited / 255.0) : 102);
            EXPECT_EQ(g_colourEditValue[3], ok ? edited : 102);
            EXPECT_EQ(Calls(), slot == COLOUR_PANEL ? (Names{"panelTextures", "frame"}) : (Names{"frame"}));
        }
    // An unconfirmed colour springs back when the menu closes.
    Open({PANEL_FLAG_GRAPHICS_OPTIONS});
    g_tintR[COLOUR_BOARD] = 0.4;
    Click(87);
    Click(WIDGET_COLOUR_RAMP_FIRST);
    Esc();
    EXPECT_DOUBLE_EQ(g_tintR[COLOUR_BOARD], 102 / 255.0);
}

void GameOver()
{
    g_onlineBannerOn = 1;
    g_pollTicks = 7;
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_GAME_OVER, 378), Only({}));
    EXPECT_EQ(g_onlineBannerOn, 0);
    EXPECT_EQ(g_pollTicks, 100);
    EXPECT_EQ(Calls(), (Names{"frame"}));
}

// Online play left for a new setup, a search started or not: the online
// flags down, the banner off, the move worker stopped, the setup choice
// offered with every panel closed.
void ExpectLeftForANewSetup(int pollTicks)
{
    for (const std::atomic<int>* flag : {&g_matchPending, &g_matchState, &g_onlineTurn, &g_waitingForOpponent,
                                         &g_serverReachable, &g_blinkStep})
        EXPECT_EQ(flag->load(), 0);
    EXPECT_EQ(g_onlineBannerOn, 0);
    EXPECT_EQ(g_pollTicks, pollTicks);
    EXPECT_EQ(g_stopMoveReceive.load(), 1);
    EXPECT_EQ(Panels(), Only({}));
    EXPECT_EQ(g_setupPhase, 1);
    EXPECT_EQ(g_setupMode, 0);
    EXPECT_EQ(g_trayCount[RANK_SCOUT], 8);
    EXPECT_TRUE(SetupChoiceShown());
}

void ComputerChoiceLeavesTheOnlineGame()
{
    int pair[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    g_serverSocket = pair[0];
    g_onlineBannerOn = g_onlineGame = g_matchPending = g_matchState = g_onlineTurn = g_waitingForOpponent = 1;
    g_serverReachable = 1;
    g_blinkStep = 3;
    g_stopMoveReceive = 0;
    g_setupPhase = 0;
    Open({PANEL_FLAG_ONLINE_GAME});
    Click(401);
    EXPECT_EQ(g_onlineGame.load(), 0);
    ExpectLeftForANewSetup(100);
    EXPECT_EQ(g_serverSocket.load(), -1);
    char byte = 0;
    EXPECT_EQ(recv(pair[1], &byte, 1, 0), 0);  // shut down, once
    close(pair[1]);
    EXPECT_EQ(Calls(), (Names{"frame", "frame", "frame"}));
}

void ExpectSearchStarted(const char* how)
{
    SCOPED_TRACE(how);
    EXPECT_EQ(g_onlineGame.load(), 1);
    ExpectLeftForANewSetup(0);
    EXPECT_EQ(g_serverStatusRetried.load(), 0);
    EXPECT_EQ(g_serverStatus.load(), 2);
    EXPECT_EQ(ReadSharedText(g_onlineCountText), "0");
    EXPECT_EQ(g_newGameGoesOnline, 0);
    const Names calls = Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "thread ServerStatus");
    EXPECT_EQ(calls[1], "frame");
}

// Everything a search clears, set beforehand, in the setup phase or not, with the banner on or off.
void OnlineLeftovers(int setupPhase, int banner)
{
    g_onlineGame = 0;
    g_matchPending = g_matchState = g_onlineTurn = g_waitingForOpponent = 1;
    g_serverReachable = g_serverStatusRetried = g_serverStatus = 1;
    g_blinkStep = 2;
    WriteSharedText(g_onlineCountText, "12");
    g_pollTicks = 50;
    g_setupPhase = setupPhase;
    g_onlineBannerOn = banner;
}

void OnlineSearch()
{
    OnlineLeftovers(1, 0);
    Open({PANEL_FLAG_ONLINE_GAME});
    Click(402);
    ExpectSearchStarted("widget 402");

    // The banner in play: the new-game prompt, whose yes searches.
    OnlineLeftovers(0, 1);
    Open({});
    Click(WIDGET_ONLINE_BANNER_FIRST + 1);
    EXPECT_EQ(Panels(), Only({MENU, PANEL_FLAG_NEW_GAME_CONFIRM}));
    EXPECT_EQ(g_newGameGoesOnline, 1);
    EXPECT_EQ(g_onlineBannerOn, 0);
    EXPECT_EQ(g_onlineGame.load(), 0);
    ClearFlowEvents();
    Click(254);
    ExpectSearchStarted("banner in play, yes");

    // ... and its no: the banner stays off, the next ping at once.
    g_onlineGame = 0;
    g_setupPhase = 0;
    g_onlineBannerOn = 1;
    Open({});
    Click(WIDGET_ONLINE_BANNER_FIRST);
    Click(255);
    EXPECT_EQ(Panels(), Only({}));
    EXPECT_EQ(g_newGameGoesOnline, 0);
    EXPECT_EQ(g_pollTicks, 100);
    EXPECT_EQ(g_onlineGame.load(), 0);

    // The banner during setup: the search at once.
    OnlineLeftovers(1, 1);
    Open({});
    Click(WIDGET_ONLINE_BANNER_FIRST + 2);
    ExpectSearchStarted("banner in setup");
}

// The browser notes the addresses it is given.
void WebLinks(const FakeBrowser& browser)
{
    WriteSharedText(g_newsUrl, "file:///etc/passwd");
    Open({});
    g_hoverId = HOVER_NEWS_BANNER;
    Click(WIDGET_NEWS_BANNER);
    EXPECT_EQ(g_hoverId, 0);
    EXPECT_EQ(Calls(), (Names{"frame"}));
    WriteSharedText(g_newsUrl, "HTTPS://news.example/a");
    Click(WIDGET_NEWS_BANNER);
    EXPECT_EQ(PanelsAfterClick(PANEL_FLAG_ABOUT, 352), Only({MENU, PANEL_FLAG_ABOUT}));
    // Only the web links opened, in order.
    EXPECT_EQ(browser.Opened(2), "HTTPS://news.example/a\n" + std::string(PRODUCT_PAGE_URL) + "\n");
}

TEST(MenuClicks, TheWindowEveryGroupAndPanelRowAndTheEnd)
{
    const FakeBrowser browser;
    int pair[2] = {-1, -1};
    const INT_PTR ended = RunMainDialog(VELMONAR_PROGRAM_DIR, [&](CVelmonarDlg& dialog) {
        g_dialog = &dialog;
        Window(dialog);
        InstallFlowRecorder();
        g_appDir = VELMONAR_PROGRAM_DIR;
        InstallMenuRecorder();
        g_animationsOn = 0;
        NewGame();

        CaptionBar();
        MainMenu();
        LanguageList();
        Reset();
        GameOptions();
        Sliders();
        ColourEditor();
        GameOver();
        ComputerChoiceLeavesTheOnlineGame();
        OnlineSearch();
        WebLinks(browser);
        WindowMode();

        ResetMenuHooks();
        g_dialog = nullptr;
        // An online game in play when the dialog ends.
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
        g_serverSocket = pair[0];
        g_onlineGame = g_matchPending = 1;
    });
    EXPECT_EQ(ended, IDCANCEL);  // what the program's exit paths do
    // The end of the dialog stops online play and closes the connection once.
    EXPECT_EQ(g_serverSocket.load(), -1);
    EXPECT_EQ(g_onlineGame.load() + g_matchPending.load(), 0);
    EXPECT_EQ(g_stopMoveReceive.load(), 1);
    char byte = 0;
    EXPECT_EQ(recv(pair[1], &byte, 1, 0), 0);
    close(pair[1]);
}

}  // namespace
