// The click state machine above the board: the caption bar, the rows of the
// open panel, the news banner and the online banner, each group tested in
// that order by the main dialog before the setup choice and the board. The
// first element hit does its work and ends the click with a frame.
#pragma once

#include "platform/window.h"

class CVelmonarDlg;

// The program's own window mode: 798 x 600 centred on the screen, with the
// caption sizes and the centre panel shrunk by WINDOW_SCALE.
constexpr int WINDOW_MODE_WIDTH = 798;
constexpr int WINDOW_MODE_HEIGHT = 600;
constexpr double WINDOW_SCALE = 1.2;
constexpr double CENTRE_PANEL_WIDTH = 230.0;
constexpr double CENTRE_PANEL_HEIGHT = 295.0;
extern double g_centrePanelWidth, g_centrePanelHeight;

// What a click reaches beyond the game state and the flow hooks: the options
// file, the end of the dialog, the account dialogs and the language load.
// Replaceable so that tests can record them; the program never changes them.
struct MenuHooks {
    bool (*saveConfig)();                           // SaveConfig
    void (*endDialog)(CVelmonarDlg& dialog);        // the base dialog's cancel
    void (*openAccountSession)(CVelmonarDlg& dialog);
    void (*loadLanguage)(int number);               // LoadLanguage
};
extern MenuHooks g_menuHooks;
void ResetMenuHooks();

enum class ClickResult {
    NotTaken,     // go on with the next group
    Taken,        // the click is done
    DialogEnded,  // the dialog was told to end: test nothing more
};

// Group 1, while the text window is closed: close, maximise/restore,
// minimise, help and the menu button.
ClickResult ClickCaptionBar(CVelmonarDlg& dialog, CPoint point);
// Group 2, in menu mode: the text window, then the flagged panels in their
// entry order, each panel's rows in order.
ClickResult ClickPanels(CVelmonarDlg& dialog, CPoint point);
// Group 3, menu mode off: the news banner opens its address when it is a web link.
bool ClickNewsBanner(CPoint point);
// Group 4: the online banner offers an online game (the prompt in play, the
// search at once during setup).
bool ClickOnlineBanner(CVelmonarDlg& dialog, CPoint point);

// The search for an online opponent: every online flag set for a new online
// game, the old game connection shut, the server status asked for, the
// panels closed, a frame, and a new game whose setup choice is offered.
void StartOnlineSearch(CWnd* dialog);

// Closes the open menu (the menu button and Esc): unconfirmed slider and
// colour edits spring back to their confirmed values (the piece textures are
// rebuilt when the brightness comes back), an open reset prompt undoes the
// reset, and every panel closes. No frame.
void CloseMenuDiscardingEdits();
