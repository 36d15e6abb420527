// The main dialog's mouse and keys: Enter and Esc, the wheel over the help
// text, presses, releases and moves, and the click's dispatch to the groups
// that may take it.
#include "app/VelmonarDlg.h"

#include "app/board_clicks.h"
#include "app/debug_dump.h"
#include "app/game_state.h"
#include "app/hover_tracking.h"
#include "app/menu_clicks.h"
#include "interface/fly_in.h"
#include "interface/interface_state.h"
#include "interface/main_menu.h"
#include "interface/text_window.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/frame_state.h"
#include "scene/renderer.h"

void CVelmonarDlg::OnOK()
{
    // Enter never closes the main dialog.
}

void CVelmonarDlg::OnCancel()
{
    if (g_panelVisible[PANEL_FLAG_MENU_MODE] == 0) {
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
        g_panelVisible[PANEL_FLAG_MAIN_MENU] = 1;
        if (g_animationsOn == 1) {
            AnimateMainMenu();
            LayoutMainMenu();
        }
        RenderFrame();
        WriteDebugDump();
        return;
    }

    CloseMenuDiscardingEdits();
    RenderFrame();
    WriteDebugDump();
}

BOOL CVelmonarDlg::OnMouseWheel(UINT flags, short delta, CPoint point)
{
    // A help page no taller than the window has nothing to scroll.
    if (g_panelVisible[PANEL_FLAG_TEXT_WINDOW] == 1 && g_helpScrollBar.range > 0.0) {
        g_helpScroll = SnapHelpScroll(g_helpScroll - delta / 1000.0, g_helpScrollBar.range);
        PlaceHelpThumb(g_helpScrollBar, g_helpScroll);
        RenderFrame();
    }
    return CDialog::OnMouseWheel(flags, delta, point);
}

void CVelmonarDlg::OnLButtonUp(UINT flags, CPoint point)
{
    g_mouseHeld = 0;
    for (int& knob : g_dragKnob) knob = 0;
    g_dragScrollThumb = 0;
    CDialog::OnLButtonUp(flags, point);
}

void CVelmonarDlg::OnLButtonDblClk(UINT, CPoint)
{
    // The second press of a double click is ignored, without default handling.
}

void CVelmonarDlg::OnRButtonDblClk(UINT, CPoint)
{
    // Ignored, without default handling.
}

// Hover tracking and drags.
void CVelmonarDlg::OnMouseMove(UINT flags, CPoint point)
{
    if (TrackMouseMove(point, m_clientHeight)) CDialog::OnMouseMove(flags, point);
}

// The click state machine over menus, panels and the board.
void CVelmonarDlg::OnLButtonDown(UINT flags, CPoint point)
{
    // Nothing is taken while the scene loads or fades in.
    if (g_sceneReady == 1 && g_fadeInProgress == 0) {
        g_mouseHeld = 1;
        if (!DispatchClick(point)) return;  // the dialog is ending
    }
    WriteDebugDump();
    CDialog::OnLButtonDown(flags, point);
}

// The groups of the click in their order; the first that takes the click
// ends it: the caption bar, the open panels, the news banner, the setup
// choice, the online banner; what nothing takes goes to the board. False
// when the click ended the dialog.
bool CVelmonarDlg::DispatchClick(CPoint point)
{
    for (ClickResult (*group)(CVelmonarDlg&, CPoint) : {ClickCaptionBar, ClickPanels}) {
        const ClickResult result = group(*this, point);
        if (result == ClickResult::DialogEnded) return false;
        if (result == ClickResult::Taken) return true;
    }
    if (ClickNewsBanner(point) || ClickSetupChoice(point) || ClickOnlineBanner(*this, point)) return true;
    ClickBoard(this);
    return true;
}
