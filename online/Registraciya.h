// The registration dialog: a new account's name, password (twice) and e-mail
// address, sent to the game server on the local machine.
#pragma once

#include "platform/sockets.h"
#include "platform/strings.h"
#include "platform/window.h"

constexpr UINT IDD_REGISTRACIYA = 133;
constexpr int IDC_REGISTER_HEADING = 1002;
constexpr int IDC_REGISTER_NAME_LABEL = 1004;
constexpr int IDC_REGISTER_PASSWORD_LABEL = 1007;
constexpr int IDC_REGISTER_REPEAT_LABEL = 1009;
constexpr int IDC_REGISTER_EMAIL_LABEL = 1011;
constexpr int IDC_REGISTER_NAME = 1005;
constexpr int IDC_REGISTER_PASSWORD = 1006;
constexpr int IDC_REGISTER_REPEAT = 1010;
constexpr int IDC_REGISTER_EMAIL = 1012;

extern CString g_registerHost;
extern unsigned short g_registerPort;
extern SOCKET g_registerSocket;
extern sockaddr_in g_registerAddr;
extern CString g_registerMessage;

const DialogTemplate& RegistraciyaTemplate();

// The message for entries that may not be sent, in the checks' order; null
// when they may be sent.
const char* CheckRegistrationEntries(const CString& name, const CString& password, const CString& repeat,
                                     const CString& email, int language);

class CRegistraciya : public CDialog {
public:
    explicit CRegistraciya(CWnd* parent = nullptr);
    ~CRegistraciya() override;

    int m_language = 0;
    CString m_name;
    CString m_password;
    CString m_passwordRepeat;
    CString m_email;
    int m_connectTried = 0;
    int m_registered = 0;  // 1 only when the server answered "registered"
    CString m_titleText;
    CString m_nameLabel;
    CString m_passwordLabel;
    CString m_repeatLabel;
    CString m_emailLabel;
    HBRUSH m_brush = nullptr;
    CButton m_btnSave;
    HBITMAP m_bmpSave = nullptr;
    CButton m_btnClose;
    HBITMAP m_bmpClose = nullptr;

    BOOL OnInitDialog() override;
    void OnOK() override;  // register

protected:
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT controlType) override;
};
