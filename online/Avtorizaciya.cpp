#include "online/Avtorizaciya.h"

#include "online/account_server.h"
#include "online/game_client.h"
#include "online/dialog_colours.h"
#include "online/notice.h"
#include "online/stored_login.h"

CString g_loginName;
CString g_loginPassword;
CString g_loginHost = "localhost";
unsigned short g_loginPort = ACCOUNT_SERVER_PORT;
SOCKET g_loginSocket = INVALID_SOCKET;
sockaddr_in g_loginAddr;
CString g_loginMessage;

const DialogTemplate& AvtorizaciyaTemplate()
{
    static const DialogTemplate t{
        IDD_AVTORIZACIYA, 0, 0, 180, 107, true,
        {{CONTROL_STATIC, IDC_LOGIN_HEADING, 2, 10, 176, 8, CONTROL_CENTRE, ""},
         {CONTROL_STATIC, IDC_LOGIN_NAME_LABEL, 8, 31, 39, 8, 0, ""},
         {CONTROL_STATIC, IDC_LOGIN_PASSWORD_LABEL, 7, 48, 40, 8, 0, ""},
         {CONTROL_EDIT, IDC_LOGIN_NAME, 47, 28, 124, 12, 0, ""},
         {CONTROL_EDIT, IDC_LOGIN_PASSWORD, 47, 45, 124, 12, CONTROL_PASSWORD, ""},
         {CONTROL_BUTTON, IDOK, 7, 66, 164, 14, CONTROL_DEFAULT, ""},
         {CONTROL_BUTTON, IDC_LOGIN_REGISTER, 8, 86, 73, 14, 0, ""},
         {CONTROL_BUTTON, IDCANCEL, 97, 86, 74, 14, 0, ""}}};
    return t;
}

const char* CheckLoginEntries(const CString& name, const CString& password, int language)
{
    const bool ru = language == 1;
    if (name.IsEmpty() || password.IsEmpty()) return ru ? "Введите все данные." : "Enter all of the data.";
    if (!IsLatinLettersAndDigits(name) || !IsLatinLettersAndDigits(password))
        return ru ? "Допускаются только буквы латинского алфавита и цифры. Попробуйте еще раз."
                  : "Permitted only letters and numbers. Try again.";
    return nullptr;
}

CAvtorizaciya::CAvtorizaciya(CWnd* parent) : CDialog(AvtorizaciyaTemplate(), parent) {}

CAvtorizaciya::~CAvtorizaciya()
{
    DeleteObject(m_bmpOk);
    DeleteObject(m_bmpRegister);
    DeleteObject(m_bmpClose);
    DeleteObject(m_brush);
}

void CAvtorizaciya::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_LOGIN_HEADING, m_titleText);
    DDX_Text(dx, IDC_LOGIN_NAME_LABEL, m_nameLabel);
    DDX_Text(dx, IDC_LOGIN_PASSWORD_LABEL, m_passwordLabel);
    DDX_Text(dx, IDC_LOGIN_NAME, g_loginName);
    DDX_Text(dx, IDC_LOGIN_PASSWORD, g_loginPassword);
    DDX_Control(dx, IDOK, m_btnOk);
    DDX_Control(dx, IDC_LOGIN_REGISTER, m_btnRegister);
    DDX_Control(dx, IDCANCEL, m_btnClose);
}

BOOL CAvtorizaciya::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_registerRequested = 0;
    m_loggedIn = 0;
    m_connectTried = 0;
    WhiteOnBlack(nullptr, m_brush);
    const bool ru = m_language == 1;
    if (!m_bmpOk) m_bmpOk = LoadDialogBitmap(ru ? 135 : 136);
    if (!m_bmpRegister) m_bmpRegister = LoadDialogBitmap(ru ? 137 : 138);
    if (!m_bmpClose) m_bmpClose = LoadDialogBitmap(ru ? 139 : 140);
    m_btnOk.SetBitmap(m_bmpOk);
    m_btnRegister.SetBitmap(m_bmpRegister);
    m_btnClose.SetBitmap(m_bmpClose);
    m_titleText = ru ? "Для учета Вашего рейтинга представтесь системе" : "Log in to account the rating";
    m_nameLabel = ru ? "Имя" : "Name";
    m_passwordLabel = ru ? "Пароль" : "Password";
    UpdateData(FALSE);
    return TRUE;
}

HBRUSH CAvtorizaciya::OnCtlColor(CDC* dc, CWnd*, UINT)
{
    return WhiteOnBlack(dc, m_brush);
}

BOOL CAvtorizaciya::OnCommand(UINT id)
{
    if (id == static_cast<UINT>(IDC_LOGIN_REGISTER)) {
        OnRegister();
        return TRUE;
    }
    return CDialog::OnCommand(id);
}

void CAvtorizaciya::OnRegister()
{
    m_registerRequested = 1;
    OnCancel();
}

void CAvtorizaciya::OnOK()
{
    UpdateData(TRUE);
    if (const char* message = CheckLoginEntries(g_loginName, g_loginPassword, m_language)) {
        ShowErrorBox(message);
        closesocket(g_loginSocket);
        g_loginSocket = INVALID_SOCKET;
        return;
    }
    m_connectTried = 1;
    char reply[2];
    const AccountExchange result = ExchangeWithAccountServer(
        g_loginHost, g_loginPort, g_loginSocket, g_loginAddr, "%" + g_loginName + "+" + g_loginPassword, reply);
    if (result == ACCOUNT_NO_SOCKET) {
        ShowErrorBox(SocketErrorText());
        CDialog::OnOK();
        return;
    }
    closesocket(g_loginSocket);
    g_loginSocket = INVALID_SOCKET;
    if (result != ACCOUNT_REPLY) {
        // No connection, or no answer in time: the connection notice, and the dialog ends.
        g_loginMessage = ConnectionProblemText(m_language);
        ShowNotice(g_loginMessage);
        CDialog::OnOK();
        return;
    }
    if (reply[0] == '-') {
        WriteStoredLogin(g_loginName, g_loginPassword);
        m_loggedIn = 1;
        CDialog::OnOK();
        return;
    }
    ShowErrorBox(m_language == 1 ? "Имя или пароль введены не верно. Попробуйте еще раз."
                                        : "Name or password is incorrect. Try again.");
}
