// The log-in dialog: name and password, sent to the game server; a log-in
// that the server accepts is stored (strlp.erg).
#pragma once

#include "platform/sockets.h"
#include "platform/strings.h"
#include "platform/window.h"

constexpr UINT IDD_AVTORIZACIYA = 132;
constexpr int IDC_LOGIN_HEADING = 1007;
constexpr int IDC_LOGIN_NAME_LABEL = 1002;
constexpr int IDC_LOGIN_PASSWORD_LABEL = 1004;
constexpr int IDC_LOGIN_NAME = 1005;
constexpr int IDC_LOGIN_PASSWORD = 1006;
constexpr int IDC_LOGIN_REGISTER = 1003;

// The entries, kept for the next time the dialog opens.
extern CString g_loginName;
extern CString g_loginPassword;
// The dialog's own connection to the game server on the local machine.
extern CString g_loginHost;
extern unsigned short g_loginPort;
extern SOCKET g_loginSocket;
extern sockaddr_in g_loginAddr;
extern CString g_loginMessage;

const DialogTemplate& AvtorizaciyaTemplate();

// The message for entries that may not be sent, in the checks' order; null
// when they may be sent.
const char* CheckLoginEntries(const CString& name, const CString& password, int language);

class CAvtorizaciya : public CDialog {
public:
    explicit CAvtorizaciya(CWnd* parent = nullptr);
    ~CAvtorizaciya() override;

    int m_language = 0;
    int m_registerRequested = 0;
    int m_loggedIn = 0;
    int m_connectTried = 0;
    CString m_titleText;
    CString m_nameLabel;
    CString m_passwordLabel;
    HBRUSH m_brush = nullptr;
    CButton m_btnOk;
    HBITMAP m_bmpOk = nullptr;
    CButton m_btnRegister;
    HBITMAP m_bmpRegister = nullptr;
    CButton m_btnClose;
    HBITMAP m_bmpClose = nullptr;

    BOOL OnInitDialog() override;
    void OnOK() override;  // log in
    void OnRegister();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT controlType) override;
    BOOL OnCommand(UINT id) override;
};
