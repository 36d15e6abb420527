// The program's own notice box: one centred line of white text on black and
// a picture button that closes it. Every notice that is not a validation
// message goes through it (see online/notice.h).
#pragma once

#include "platform/strings.h"
#include "platform/window.h"

constexpr UINT IDD_TABLICHKA = 130;
constexpr int IDC_TABLICHKA_TEXT = 1002;
constexpr int IDC_TABLICHKA_CLOSE = 1003;
constexpr int IDB_TABLICHKA_CLOSE = 131;

// The text shown by the notice's static (set from m_text at each opening).
extern CString g_noticeText;

const DialogTemplate& TablichkaTemplate();

class CTablichka : public CDialog {
public:
    explicit CTablichka(CWnd* parent = nullptr);
    ~CTablichka() override;

    CString m_text;  // the message, set before DoModal
    HBRUSH m_brush = nullptr;
    CButton m_btnClose;
    HBITMAP m_bmpClose = nullptr;

    BOOL OnInitDialog() override;
    void OnButtonClose();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT controlType) override;
    BOOL OnCommand(UINT id) override;
};
