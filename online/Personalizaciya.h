// "Your name in the system": the stored account name, with a log-out button.
// Enter closes it without logging out.
#pragma once

#include "platform/strings.h"
#include "platform/window.h"

constexpr UINT IDD_PERSONALIZACIYA = 134;
constexpr int IDC_PERSONAL_CAPTION = 1002;
constexpr int IDC_PERSONAL_NAME = 1005;

const DialogTemplate& PersonalizaciyaTemplate();

class CPersonalizaciya : public CDialog {
public:
    explicit CPersonalizaciya(CWnd* parent = nullptr);
    ~CPersonalizaciya() override;

    int m_language = 0;
    CString m_userName;
    CString m_captionText;
    HBRUSH m_brush = nullptr;
    CButton m_btnLogOut;
    HBITMAP m_bmpLogOut = nullptr;
    CButton m_btnClose;
    HBITMAP m_bmpClose = nullptr;

    BOOL OnInitDialog() override;
    void OnOK() override;  // log out

protected:
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT controlType) override;
};
