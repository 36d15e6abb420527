#include "app/menu_clicks.h"

#include <algorithm>

#include "app/VelmonarDlg.h"
#include "app/flow_hooks.h"
#include "app/game_state.h"
#include "app/hover_tracking.h"
#include "app/option_clicks.h"
#include "app/panel_rows.h"
#include "interface/caption_bar.h"
#include "interface/save_slots.h"
#include "interface/confirm_panels.h"
#include "interface/extra_panels.h"
#include "interface/fly_in.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/list_panels.h"
#include "interface/main_menu.h"
#include "interface/options.h"
#include "interface/panel_textures.h"
#include "interface/text_window.h"
#include "interface/widgets.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "online/web.h"
#include "platform/process.h"
#include "rules/board.h"
#include "scene/frame_state.h"

double g_centrePanelWidth = CENTRE_PANEL_WIDTH;
double g_centrePanelHeight = CENTRE_PANEL_HEIGHT;

namespace {

void EndThroughBaseCancel(CVelmonarDlg& dialog)
{
    dialog.CDialog::OnCancel();
}

void OpenAccount(CVelmonarDlg& dialog)
{
    dialog.OpenAccountSession();
}

MenuHooks DefaultMenuHooks()
{
    return MenuHooks{SaveConfig, EndThroughBaseCancel, OpenAccount, LoadLanguage};
}

bool Open(int flag)
{
    return g_panelVisible[flag] == 1;
}

void CloseAllPanels()
{
    for (int& flag : g_panelVisible) flag = 0;
}

// The options file written, then the dialog ends (close button and exit prompt).
ClickResult EndProgram(CVelmonarDlg& dialog)
{
    g_menuHooks.saveConfig();
    g_menuHooks.endDialog(dialog);
    return ClickResult::DialogEnded;
}

// The online banner off; pollTicks says when the next ping is due.
void BannerOff(int pollTicks)
{
    g_serverReachable = 0;
    g_blinkStep = 0;
    g_onlineBannerOn = 0;
    g_pollTicks = pollTicks;
}

constexpr int PING_AT_ONCE = 100;

// --- group 1: the caption bar ---

void ToggleWindowMode(CVelmonarDlg& dialog)
{
    g_hoverId = HOVER_NONE;
    g_prevHoverId = HOVER_NONE;
    double scale = 1.0;
    if (dialog.m_clientWidth == WINDOW_MODE_WIDTH) {
        dialog.SetWindowPos(g_insertAfterWnd, 0, 0, dialog.m_screenWidth, dialog.m_screenHeight, SWP_SHOWWINDOW);
    } else {
        dialog.SetWindowPos(g_insertAfterWnd, dialog.m_screenWidth / 2 - WINDOW_MODE_WIDTH / 2,
                            dialog.m_screenHeight / 2 - WINDOW_MODE_HEIGHT / 2, WINDOW_MODE_WIDTH,
                            WINDOW_MODE_HEIGHT, 0);
        scale = WINDOW_SCALE;
    }
    SetMenuButtonShrink(scale);
    g_centrePanelWidth = CENTRE_PANEL_WIDTH / scale;
    g_centrePanelHeight = CENTRE_PANEL_HEIGHT / scale;
    LayoutAll();
}

void Minimise(CVelmonarDlg& dialog)
{
    g_hoverId = HOVER_NONE;
    g_prevHoverId = HOVER_NONE;
    dialog.ShowWindow(SW_SHOWMINIMIZED);
}

// The help text opens straight over the board, built anew: at its top, in
// the panel colour and for the window size of this moment.
void OpenHelp()
{
    LoadHelpText();
    g_textWindowOpener = 1;
    CloseAllPanels();
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
    g_panelVisible[PANEL_FLAG_TEXT_WINDOW] = 1;
}

void ToggleMenu()
{
    if (Open(PANEL_FLAG_MENU_MODE)) {
        CloseMenuDiscardingEdits();
        return;
    }
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
    g_panelVisible[PANEL_FLAG_MAIN_MENU] = 1;
    if (g_animationsOn == 1) {
        AnimateMainMenu();
        LayoutMainMenu();
    }
}

// --- group 2: the panels that are not option panels ---

bool ClickTextWindow(CVelmonarDlg& dialog, CPoint point)
{
    if (PtInRect(&g_textTrackRect, point)) {
        g_dragScrollThumb = 1;
        if (g_helpScrollBar.range > 0.0) {
            g_helpScroll = HelpScrollFromMouseY(point.y, dialog.m_clientHeight, g_helpScrollBar.range);
            PlaceHelpThumb(g_helpScrollBar, g_helpScroll);
        }
        return true;
    }
    if (!PtInRect(&g_textCloseRect, point)) return false;
    g_panelVisible[PANEL_FLAG_TEXT_WINDOW] = 0;
    if (g_textWindowOpener == 1) g_panelVisible[PANEL_FLAG_MENU_MODE] = 0;
    if (g_textWindowOpener == 2) g_panelVisible[PANEL_FLAG_MAIN_MENU] = 1;
    g_textWindowOpener = 0;
    return true;
}

void NewGameEntry()
{
    BackTo(PANEL_FLAG_MAIN_MENU, g_setupPhase == 0 ? PANEL_FLAG_NEW_GAME_CONFIRM : PANEL_FLAG_ONLINE_GAME);
}

void OpenLoadList()
{
    ListLoadSlots();
    BuildLoadListTextures();
    LayoutLoadListPanel();
    BackTo(PANEL_FLAG_MAIN_MENU, PANEL_FLAG_LOAD_LIST);
}

void OpenSaveSlots()
{
    ListSaveSlots();
    BuildSaveSlotsTextures();
    LayoutSaveSlotsPanel();
    BackTo(PANEL_FLAG_MAIN_MENU, PANEL_FLAG_SAVE_SLOTS);
}

void OpenRules()
{
    LoadHelpText();
    g_textWindowOpener = 2;
    g_panelVisible[PANEL_FLAG_TEXT_WINDOW] = 1;
    g_panelVisible[PANEL_FLAG_MAIN_MENU] = 0;
}

bool ClickMainMenu(CVelmonarDlg&, CPoint point)
{
    // Saving is possible only in play against the computer.
    const bool canSave = g_setupPhase == 0 && g_onlineGame == 0;
    void (*const entries[8])() = {NewGameEntry,
                                  OpenLoadList,
                                  canSave ? OpenSaveSlots : nullptr,
                                  OpenRules,
                                  [] { BackTo(PANEL_FLAG_MAIN_MENU, PANEL_FLAG_SETTINGS); },
                                  [] { BackTo(PANEL_FLAG_MAIN_MENU, PANEL_FLAG_ABOUT); },
                                  [] { BackTo(PANEL_FLAG_MAIN_MENU, PANEL_FLAG_EXIT_CONFIRM); },
                                  [] { g_panelVisible[PANEL_FLAG_MENU_MODE] = g_panelVisible[PANEL_FLAG_MAIN_MENU] = 0; }};
    for (int w = 0; w < 8; ++w)
        if (entries[w] && OnWidget(w, point)) {
            entries[w]();
            return true;
        }
    return false;
}

// A panel whose last row leads back: rows first..last call effect(row number
// from 1), and the back widget returns to the flag `back`.
bool ClickRowsAndBack(CPoint point, int first, int last, void (*effect)(int), int back, int from)
{
    for (int w = first; w <= last; ++w)
        if (OnWidget(w, point)) {
            effect(w - first + 1);
            return true;
        }
    if (!OnWidget(last + 1, point)) return false;
    BackTo(from, back);
    return true;
}

bool ClickSaveSlots(CVelmonarDlg&, CPoint point)
{
    return ClickRowsAndBack(point, 151, 156, [](int slot) { SaveGame(slot, false); }, PANEL_FLAG_MAIN_MENU,
                            PANEL_FLAG_SAVE_SLOTS);
}

bool ClickLoadList(CVelmonarDlg&, CPoint point)
{
    // Only rows that stand for a save: a stale rectangle is no row.
    const int rows = std::min(g_loadListCount - 1, 6);
    for (int row = 1; row <= rows; ++row)
        if (OnWidget(200 + row, point)) {
            LoadGame(row, false);
            return true;
        }
    if (!OnWidget(207, point)) return false;
    BackTo(PANEL_FLAG_LOAD_LIST, PANEL_FLAG_MAIN_MENU);
    return true;
}

// A prompt's two buttons: yes does its work, no goes back to the flag `back`.
bool ClickPrompt(CPoint point, int yes, void (*effect)(), int from, int back)
{
    if (OnWidget(yes, point)) {
        effect();
        return true;
    }
    if (!OnWidget(yes + 1, point)) return false;
    BackTo(from, back);
    return true;
}

bool ClickSaveConfirm(CVelmonarDlg&, CPoint point)
{
    return ClickPrompt(point, 179, [] { SaveGame(g_pendingSaveSlot, true); }, PANEL_FLAG_SAVE_CONFIRM,
                       PANEL_FLAG_SAVE_SLOTS);
}

bool ClickLoadConfirm(CVelmonarDlg&, CPoint point)
{
    return ClickPrompt(point, 230, [] { LoadGame(g_pendingLoadSlot, true); }, PANEL_FLAG_LOAD_CONFIRM,
                       PANEL_FLAG_LOAD_LIST);
}

bool ClickNewGameConfirm(CVelmonarDlg& dialog, CPoint point)
{
    if (OnWidget(254, point)) {
        BackTo(PANEL_FLAG_NEW_GAME_CONFIRM, PANEL_FLAG_ONLINE_GAME);
        if (g_newGameGoesOnline == 1) {
            g_newGameGoesOnline = 0;
            StartOnlineSearch(&dialog);
        }
        return true;
    }
    if (!OnWidget(255, point)) return false;
    if (g_newGameGoesOnline == 1) {
        g_newGameGoesOnline = 0;
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 0;
        BannerOff(PING_AT_ONCE);
    } else {
        g_panelVisible[PANEL_FLAG_MAIN_MENU] = 1;
    }
    g_panelVisible[PANEL_FLAG_NEW_GAME_CONFIRM] = 0;
    return true;
}

// Set by the exit prompt's yes: nothing more is tested.
bool g_dialogEnded = false;

bool ClickExitConfirm(CVelmonarDlg& dialog, CPoint point)
{
    if (OnWidget(278, point)) {
        EndProgram(dialog);
        g_dialogEnded = true;
        return true;
    }
    if (!OnWidget(279, point)) return false;
    BackTo(PANEL_FLAG_EXIT_CONFIRM, PANEL_FLAG_MAIN_MENU);
    return true;
}

bool ClickResetConfirm(CVelmonarDlg&, CPoint point)
{
    // The first button keeps the defaults; the second brings the old options back.
    if (OnWidget(304, point)) {
        BackTo(PANEL_FLAG_RESET_CONFIRM, PANEL_FLAG_SETTINGS);
        return true;
    }
    if (!OnWidget(305, point)) return false;
    BackTo(PANEL_FLAG_RESET_CONFIRM, PANEL_FLAG_SETTINGS);
    ApplyOptions();
    return true;
}

void UseLanguage(CVelmonarDlg& dialog, int number)
{
    g_language[0] = number;
    g_menuHooks.loadLanguage(number);
    g_panelHeightsFixed = 1;
    g_flowHooks.rebuildPanelTextures(REBUILD_COLOUR);
    g_panelHeightsFixed = 0;
    LayoutAll();
    if (g_onlineGame == 0) {
        g_webVersion = g_programVersion;
        g_webNewsPending = 0;
        g_updateAvailable = 0;
        g_flowHooks.beginThread(WebFetchThread, &dialog);
    }
    LoadHelpText();
}

bool ClickLanguageList(CVelmonarDlg& dialog, CPoint point)
{
    const int rows = std::min(g_languageCount - 1, LANGUAGE_LIST_MAX - 1);
    for (int row = 1; row <= rows; ++row) {
        if (!OnWidget(WidgetIndex(PANEL_LANGUAGE_LIST, row), point)) continue;
        BackTo(PANEL_FLAG_LANGUAGE_LIST, PANEL_FLAG_MAIN_MENU);
        // The language in use is not loaded again.
        if (row != g_language[1]) UseLanguage(dialog, row);
        return true;
    }
    return false;
}

bool ClickAbout(CVelmonarDlg&, CPoint point)
{
    if (OnWidget(352, point)) {
        ShellExecuteA(nullptr, "Open", PRODUCT_PAGE_URL, nullptr, "", SW_SHOWNORMAL);
        g_hoverId = HOVER_NONE;
        return true;
    }
    if (!OnWidget(353, point)) return false;
    BackTo(PANEL_FLAG_ABOUT, PANEL_FLAG_MAIN_MENU);
    return true;
}

bool ClickGameOver(CVelmonarDlg&, CPoint point)
{
    if (!OnWidget(378, point)) return false;
    g_panelVisible[PANEL_FLAG_GAME_OVER] = 0;
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 0;
    BannerOff(PING_AT_ONCE);
    return true;
}

bool ClickOnlineGame(CVelmonarDlg& dialog, CPoint point)
{
    if (OnWidget(401, point)) {
        // A game against the computer: any online game is left first.
        g_panelVisible[PANEL_FLAG_ONLINE_GAME] = 0;
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 0;
        LeaveOnlineGame();
        return true;
    }
    if (OnWidget(402, point)) {
        StartOnlineSearch(&dialog);
        return true;
    }
    if (!OnWidget(403, point)) return false;
    BackTo(PANEL_FLAG_ONLINE_GAME, PANEL_FLAG_MAIN_MENU);
    return true;
}

// The panels in the order of their flags, the text window first.
struct PanelRows {
    int flag;
    bool (*click)(CVelmonarDlg& dialog, CPoint point);
};
const PanelRows kPanelRows[] = {
    {PANEL_FLAG_TEXT_WINDOW, ClickTextWindow},
    {PANEL_FLAG_MAIN_MENU, ClickMainMenu},
    {PANEL_FLAG_SETTINGS,
     [](CVelmonarDlg& d, CPoint p) { return ClickSettings(d, p, g_menuHooks.openAccountSession); }},
    {PANEL_FLAG_GAME_OPTIONS, [](CVelmonarDlg&, CPoint p) { return ClickGameOptions(p); }},
    {PANEL_FLAG_GRAPHICS_OPTIONS, [](CVelmonarDlg&, CPoint p) { return ClickGraphicsOptions(p); }},
    {PANEL_FLAG_EXTRA_OPTIONS, [](CVelmonarDlg&, CPoint p) { return ClickExtraOptions(p); }},
    {PANEL_FLAG_COLOUR_EDITOR, [](CVelmonarDlg&, CPoint p) { return ClickColourEditor(p); }},
    {PANEL_FLAG_SAVE_SLOTS, ClickSaveSlots},
    {PANEL_FLAG_SAVE_CONFIRM, ClickSaveConfirm},
    {PANEL_FLAG_LOAD_LIST, ClickLoadList},
    {PANEL_FLAG_LOAD_CONFIRM, ClickLoadConfirm},
    {PANEL_FLAG_NEW_GAME_CONFIRM, ClickNewGameConfirm},
    {PANEL_FLAG_EXIT_CONFIRM, ClickExitConfirm},
    {PANEL_FLAG_RESET_CONFIRM, ClickResetConfirm},
    {PANEL_FLAG_LANGUAGE_LIST, ClickLanguageList},
    {PANEL_FLAG_ABOUT, ClickAbout},
    {PANEL_FLAG_GAME_OVER, ClickGameOver},
    {PANEL_FLAG_ONLINE_GAME, ClickOnlineGame},
};

ClickResult Done()
{
    g_flowHooks.renderFrame();
    return ClickResult::Taken;
}

}  // namespace

MenuHooks g_menuHooks = DefaultMenuHooks();

void ResetMenuHooks()
{
    g_menuHooks = DefaultMenuHooks();
}

ClickResult ClickCaptionBar(CVelmonarDlg& dialog, CPoint point)
{
    if (Open(PANEL_FLAG_TEXT_WINDOW)) return ClickResult::NotTaken;
    if (PtInRect(&g_captionButtonRect[0], point)) return EndProgram(dialog);
    if (PtInRect(&g_captionButtonRect[1], point)) {
        ToggleWindowMode(dialog);
        return Done();
    }
    if (PtInRect(&g_captionButtonRect[2], point)) {
        Minimise(dialog);
        return Done();
    }
    if (PtInRect(&g_captionButtonRect[3], point)) {
        OpenHelp();
        return Done();
    }
    if (PtInRect(&g_menuButtonRect, point)) {
        ToggleMenu();
        return Done();
    }
    return ClickResult::NotTaken;
}

ClickResult ClickPanels(CVelmonarDlg& dialog, CPoint point)
{
    if (!Open(PANEL_FLAG_MENU_MODE)) return ClickResult::NotTaken;
    g_dialogEnded = false;
    for (const PanelRows& panel : kPanelRows) {
        if (!Open(panel.flag) || !panel.click(dialog, point)) continue;
        if (g_dialogEnded) return ClickResult::DialogEnded;
        return Done();
    }
    return ClickResult::NotTaken;
}

bool ClickNewsBanner(CPoint point)
{
    if (!NewsBannerShown() || !WidgetHit(WIDGET_NEWS_BANNER, point)) return false;
    OpenNewsLink();  // only a web link opens: the address came from the network
    g_hoverId = HOVER_NONE;
    Done();
    return true;
}

bool ClickOnlineBanner(CVelmonarDlg& dialog, CPoint point)
{
    if (!OnlineBannerShown()) return false;
    bool hit = false;
    for (int w = WIDGET_ONLINE_BANNER_FIRST; w < WIDGET_ONLINE_BANNER_FIRST + 3; ++w) hit = hit || WidgetHit(w, point);
    if (!hit) return false;
    BannerOff(0);
    CloseAllPanels();
    if (g_setupPhase == 0) {
        // In play the new-game prompt asks first; its yes starts the search.
        g_panelVisible[PANEL_FLAG_NEW_GAME_CONFIRM] = 1;
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
        if (g_animationsOn == 1) AnimateNewGameConfirm();
        LayoutNewGameConfirmPanel();
        g_newGameGoesOnline = 1;
    } else {
        g_newGameGoesOnline = 0;
        StartOnlineSearch(&dialog);
    }
    Done();
    return true;
}

void StartOnlineSearch(CWnd* dialog)
{
    BannerOff(0);
    g_setupMode = 0;  // the setup choice will be offered
    g_waitingForOpponent = 0;
    g_stopMoveReceive = 1;
    CloseServerSocket();  // a game connection still open belongs to the game left
    g_serverStatus = 2;
    WriteSharedText(g_onlineCountText, "0");
    g_serverStatusRetried = 0;
    g_flowHooks.beginThread(ServerStatusThread, dialog);
    g_matchPending = 0;
    g_onlineTurn = 0;
    g_onlineGame = 1;
    g_matchState = 0;
    g_panelVisible[PANEL_FLAG_ONLINE_GAME] = 0;
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 0;
    g_flowHooks.renderFrame();
    NewGame();
}

void CloseMenuDiscardingEdits()
{
    PutBackGraphicsSliders();
    if (g_pieceScaleSliderPos[0] != g_pieceScaleSliderPos[1]) {
        g_pieceScaleSliderPos[0] = g_pieceScaleSliderPos[1];
        g_pieceScale = PieceScaleFromSlider(g_pieceScaleSliderPos[1]);
        ScalePieceModels();
    }
    if (!std::equal(g_colourEditValue, g_colourEditValue + 3, g_colourEditValue + 3)) {
        std::copy(g_colourEditValue + 3, g_colourEditValue + 6, g_colourEditValue);
        UseEditedColour(REBUILD_CAPTION_BAR);
    }
    if (Open(PANEL_FLAG_RESET_CONFIRM)) ApplyOptions();  // undoes the reset
    g_textWindowOpener = 0;
    g_newGameGoesOnline = 0;
    CloseAllPanels();
}
