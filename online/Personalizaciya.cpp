#include "online/Personalizaciya.h"

#include "online/dialog_colours.h"
#include "online/stored_login.h"

const DialogTemplate& PersonalizaciyaTemplate()
{
    static const DialogTemplate t{
        IDD_PERSONALIZACIYA, 0, 0, 156, 70, true,
        {{CONTROL_STATIC, IDC_PERSONAL_CAPTION, 8, 10, 77, 8, 0, ""},
         {CONTROL_EDIT, IDC_PERSONAL_NAME, 91, 10, 55, 12, CONTROL_READONLY | CONTROL_CENTRE, ""},
         {CONTROL_BUTTON, IDOK, 7, 30, 141, 14, 0, ""},
         {CONTROL_BUTTON, IDCANCEL, 7, 49, 141, 14, CONTROL_DEFAULT, ""}}};
    return t;
}

CPersonalizaciya::CPersonalizaciya(CWnd* parent) : CDialog(PersonalizaciyaTemplate(), parent) {}

CPersonalizaciya::~CPersonalizaciya()
{
    DeleteObject(m_bmpLogOut);
    DeleteObject(m_bmpClose);
    DeleteObject(m_brush);
}

void CPersonalizaciya::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_PERSONAL_CAPTION, m_captionText);
    DDX_Text(dx, IDC_PERSONAL_NAME, m_userName);
    DDX_Control(dx, IDOK, m_btnLogOut);
    DDX_Control(dx, IDCANCEL, m_btnClose);
}

BOOL CPersonalizaciya::OnInitDialog()
{
    CDialog::OnInitDialog();
    WhiteOnBlack(nullptr, m_brush);
    const bool ru = m_language == 1;
    if (!m_bmpLogOut) m_bmpLogOut = LoadDialogBitmap(ru ? 141 : 142);
    if (!m_bmpClose) m_bmpClose = LoadDialogBitmap(ru ? 143 : 144);
    m_btnLogOut.SetBitmap(m_bmpLogOut);
    m_btnClose.SetBitmap(m_bmpClose);
    m_captionText = ru ? "Ваше имя в системе" : "Your name in the system";
    UpdateData(FALSE);
    return TRUE;
}

HBRUSH CPersonalizaciya::OnCtlColor(CDC* dc, CWnd*, UINT)
{
    return WhiteOnBlack(dc, m_brush);
}

void CPersonalizaciya::OnOK()
{
    RemoveStoredLogin();
    CDialog::OnOK();
}
