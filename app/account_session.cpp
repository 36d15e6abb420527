// The account flows from the settings' personal entry: log in, register, the
// name with log-out. Each ends with a redraw.
#include "app/VelmonarDlg.h"
#include "online/Avtorizaciya.h"
#include "online/Personalizaciya.h"
#include "online/Registraciya.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "online/stored_login.h"
#include "rules/live_options.h"
#include "scene/renderer.h"

namespace {

// A log-in or registration that got past its checks leaves a running online
// game (or one whose opponent left meanwhile) once its dialog has closed.
void AfterAccountDialog(int connectTried)
{
    if ((g_opponentLeftInDialog == 1 || g_onlineGame == 1) && connectTried == 1) LeaveOnlineGame();
    g_opponentLeftInDialog = 0;
    g_accountDialogClosed = 1;
    RenderFrame();
}

}  // namespace

void CVelmonarDlg::OpenAccountSession()
{
    if (!StoredLoginExists()) {
        ShowLoginDialog();
        RenderFrame();
        return;
    }
    CPersonalizaciya personal;
    ReadStoredLogin(&personal.m_userName, nullptr);
    personal.m_language = g_language[0];
    if (personal.DoModal() == IDOK) {
        if (g_onlineGame == 1) LeaveOnlineGame();
        ShowLoginDialog();
    }
    RenderFrame();
}

void CVelmonarDlg::ShowLoginDialog()
{
    CAvtorizaciya login;
    login.m_language = g_language[0];
    g_accountDialogClosed = 0;
    if (login.DoModal() == IDOK) {
        RenderFrame();
        if (login.m_loggedIn == 1) OpenAccountSession();
    } else if (login.m_registerRequested == 1) {
        RenderFrame();
        ShowRegistrationDialog();
    }
    AfterAccountDialog(login.m_connectTried);
}

void CVelmonarDlg::ShowRegistrationDialog()
{
    CRegistraciya registration;
    registration.m_language = g_language[0];
    g_accountDialogClosed = 0;
    // Only a registration the server confirmed is stored and shown.
    if (registration.DoModal() == IDOK && registration.m_registered == 1) {
        WriteStoredLogin(registration.m_name, registration.m_password);
        RenderFrame();
        OpenAccountSession();
    }
    AfterAccountDialog(registration.m_connectTried);
}
