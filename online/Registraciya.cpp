#include "online/Registraciya.h"

#include "online/account_server.h"
#include "online/game_client.h"
#include "online/dialog_colours.h"
#include "online/notice.h"

CString g_registerHost = "localhost";
unsigned short g_registerPort = ACCOUNT_SERVER_PORT;
SOCKET g_registerSocket = INVALID_SOCKET;
sockaddr_in g_registerAddr;
CString g_registerMessage;

namespace {

constexpr int MAX_ENTRY_CHARS = 20;

bool IsEmailCharacters(const CString& email)
{
    for (char c : email.str()) {
        const bool letterOrDigit = IsLatinLettersAndDigits(CString(c));
        if (!letterOrDigit && c != '@' && c != '.') return false;
    }
    return true;
}

int Count(const CString& text, char wanted)
{
    int n = 0;
    for (char c : text.str()) n += c == wanted ? 1 : 0;
    return n;
}

}  // namespace

const DialogTemplate& RegistraciyaTemplate()
{
    static const DialogTemplate t{
        IDD_REGISTRACIYA, 0, 0, 186, 121, true,
        {{CONTROL_STATIC, IDC_REGISTER_HEADING, 6, 8, 175, 8, CONTROL_CENTRE, ""},
         {CONTROL_STATIC, IDC_REGISTER_NAME_LABEL, 9, 34, 74, 8, 0, ""},
         {CONTROL_STATIC, IDC_REGISTER_PASSWORD_LABEL, 10, 49, 73, 8, 0, ""},
         {CONTROL_STATIC, IDC_REGISTER_REPEAT_LABEL, 10, 65, 73, 8, 0, ""},
         {CONTROL_STATIC, IDC_REGISTER_EMAIL_LABEL, 10, 81, 73, 8, 0, ""},
         {CONTROL_EDIT, IDC_REGISTER_NAME, 85, 30, 92, 12, 0, ""},
         {CONTROL_EDIT, IDC_REGISTER_PASSWORD, 85, 47, 92, 12, CONTROL_PASSWORD, ""},
         {CONTROL_EDIT, IDC_REGISTER_REPEAT, 85, 63, 92, 12, CONTROL_PASSWORD, ""},
         {CONTROL_EDIT, IDC_REGISTER_EMAIL, 85, 79, 92, 12, 0, ""},
         {CONTROL_BUTTON, IDOK, 9, 100, 80, 14, CONTROL_DEFAULT, ""},
         {CONTROL_BUTTON, IDCANCEL, 99, 100, 77, 14, 0, ""}}};
    return t;
}

const char* CheckRegistrationEntries(const CString& name, const CString& password, const CString& repeat,
                                     const CString& email, int language)
{
    const bool ru = language == 1;
    const char* lettersOnly = ru ? "Допускаются только буквы латинского алфавита и цифры. Попробуйте еще раз."
                                 : "Permitted only letters and numbers. Try again";
    if (name.IsEmpty() || password.IsEmpty() || repeat.IsEmpty() || email.IsEmpty())
        return ru ? "Введите все данные." : "Enter all the data";
    if (!IsLatinLettersAndDigits(name)) return lettersOnly;
    if (!IsLatinLettersAndDigits(password)) return lettersOnly;
    if (!IsEmailCharacters(email)) return lettersOnly;
    if (Count(email, '@') != 1 || Count(email, '.') < 1) return ru ? "Неверный Емаил. Попробуйте еще раз" : "Invalid email. Try again";
    if (password != repeat) return ru ? "Пароли не совпадают. Попробуйте еще раз" : "Passwords do not match. Try again";
    if (name.GetLength() > MAX_ENTRY_CHARS)
        return ru ? "Имя не должно превышать 20 символов. Попробуйте еще раз."
                  : "The name can not exceed 20 characters. Try again";
    if (password.GetLength() > MAX_ENTRY_CHARS)
        return ru ? "Пароль не должен превышать 20 символов. Попробуйте еще раз."
                  : "The password can not exceed 20 characters. Try again";
    return nullptr;
}

CRegistraciya::CRegistraciya(CWnd* parent) : CDialog(RegistraciyaTemplate(), parent) {}

CRegistraciya::~CRegistraciya()
{
    DeleteObject(m_bmpSave);
    DeleteObject(m_bmpClose);
    DeleteObject(m_brush);
}

void CRegistraciya::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_REGISTER_HEADING, m_titleText);
    DDX_Text(dx, IDC_REGISTER_NAME_LABEL, m_nameLabel);
    DDX_Text(dx, IDC_REGISTER_PASSWORD_LABEL, m_passwordLabel);
    DDX_Text(dx, IDC_REGISTER_REPEAT_LABEL, m_repeatLabel);
    DDX_Text(dx, IDC_REGISTER_EMAIL_LABEL, m_emailLabel);
    DDX_Text(dx, IDC_REGISTER_NAME, m_name);
    DDX_Text(dx, IDC_REGISTER_PASSWORD, m_password);
    DDX_Text(dx, IDC_REGISTER_REPEAT, m_passwordRepeat);
    DDX_Text(dx, IDC_REGISTER_EMAIL, m_email);
    DDX_Control(dx, IDOK, m_btnSave);
    DDX_Control(dx, IDCANCEL, m_btnClose);
}

BOOL CRegistraciya::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_connectTried = 0;
    m_registered = 0;
    WhiteOnBlack(nullptr, m_brush);
    const bool ru = m_language == 1;
    if (!m_bmpSave) m_bmpSave = LoadDialogBitmap(ru ? 145 : 146);
    if (!m_bmpClose) m_bmpClose = LoadDialogBitmap(ru ? 147 : 148);
    m_btnSave.SetBitmap(m_bmpSave);
    m_btnClose.SetBitmap(m_bmpClose);
    m_titleText = ru ? "Регистрация" : "Registration";
    m_nameLabel = ru ? "Имя" : "Name";
    m_passwordLabel = ru ? "Пароль" : "Password";
    m_repeatLabel = ru ? "Повторите пароль" : "Repeat password";
    m_emailLabel = ru ? "Емаил" : "Email";
    UpdateData(FALSE);
    return TRUE;
}

HBRUSH CRegistraciya::OnCtlColor(CDC* dc, CWnd*, UINT)
{
    return WhiteOnBlack(dc, m_brush);
}

void CRegistraciya::OnOK()
{
    UpdateData(TRUE);
    if (const char* message = CheckRegistrationEntries(m_name, m_password, m_passwordRepeat, m_email, m_language)) {
        ShowErrorBox(message);
        closesocket(g_registerSocket);
        g_registerSocket = INVALID_SOCKET;
        return;
    }
    m_connectTried = 1;
    char reply[2];
    const AccountExchange result =
        ExchangeWithAccountServer(g_registerHost, g_registerPort, g_registerSocket, g_registerAddr,
                                  "+" + m_name + "+" + m_password + "+" + m_email, reply);
    if (result == ACCOUNT_NO_SOCKET) {
        ShowErrorBox(SocketErrorText());
        CDialog::OnOK();
        return;
    }
    closesocket(g_registerSocket);
    g_registerSocket = INVALID_SOCKET;
    if (result != ACCOUNT_REPLY) {
        // No connection, or no answer in time: the connection notice, and the dialog ends.
        g_registerMessage = ConnectionProblemText(m_language);
        ShowNotice(g_registerMessage);
        CDialog::OnOK();
        return;
    }
    if (reply[0] == '-') {
        ShowErrorBox(m_language == 1 ? "Такое имя есть. Попробуйте еще раз." : "This name is. Try again");
        return;
    }
    if (reply[0] == '+') {
        m_registered = 1;
        CDialog::OnOK();
    }
}
