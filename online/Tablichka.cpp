#include "online/Tablichka.h"

#include "online/dialog_colours.h"

CString g_noticeText;

const DialogTemplate& TablichkaTemplate()
{
    static const DialogTemplate t{IDD_TABLICHKA, 0, 0, 248, 41, true,
                                  {{CONTROL_STATIC, IDC_TABLICHKA_TEXT, 5, 8, 239, 8, CONTROL_CENTRE, ""},
                                   {CONTROL_BUTTON, IDC_TABLICHKA_CLOSE, 3, 23, 242, 14, 0, "OK"}}};
    return t;
}

CTablichka::CTablichka(CWnd* parent) : CDialog(TablichkaTemplate(), parent) {}

CTablichka::~CTablichka()
{
    DeleteObject(m_bmpClose);
    DeleteObject(m_brush);
}

void CTablichka::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_TABLICHKA_TEXT, g_noticeText);
    DDX_Control(dx, IDC_TABLICHKA_CLOSE, m_btnClose);
}

BOOL CTablichka::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!m_bmpClose) m_bmpClose = LoadDialogBitmap(IDB_TABLICHKA_CLOSE);
    m_btnClose.SetBitmap(m_bmpClose);
    WhiteOnBlack(nullptr, m_brush);
    g_noticeText = m_text;
    UpdateData(FALSE);
    return TRUE;
}

HBRUSH CTablichka::OnCtlColor(CDC* dc, CWnd*, UINT)
{
    return WhiteOnBlack(dc, m_brush);
}

BOOL CTablichka::OnCommand(UINT id)
{
    if (id == static_cast<UINT>(IDC_TABLICHKA_CLOSE)) {
        OnButtonClose();
        return TRUE;
    }
    return CDialog::OnCommand(id);
}

void CTablichka::OnButtonClose()
{
    OnCancel();
}
