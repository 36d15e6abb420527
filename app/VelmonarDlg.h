// The main dialog: one full-screen window whose whole client area is the
// OpenGL scene; every input, timer tick and redraw of the game arrives here.
#pragma once

#include "online/online_state.h"
#include "platform/gl_context.h"
#include "platform/sockets.h"
#include "platform/strings.h"
#include "platform/window.h"

constexpr UINT_PTR TICK_TIMER_ID = 1;
constexpr UINT TICK_INTERVAL_MS = 500;

// The camera and the last size message.
extern CWnd* g_insertAfterWnd;  // z-order of every placement of the main window (null: top)

// The machine identity sent to the game server (g_machineId, online/online_state.h).
extern CString g_machineIdDigits;  // before the digits become letters
extern WSADATA g_wsaData;

// The identity for a volume serial and a computer name: the serial's digits,
// then each name byte as a signed number, every digit turned into a letter.
CString BuildMachineIdDigits(DWORD serial, const char* computerName);
CString MachineIdFromDigits(const CString& digits);

// Scans an extension list word by word (words end at a blank; a last word
// with no blank after it is not compared) for wanted.
bool ExtensionListedBeforeBlank(const char* list, const char* wanted);

class CVelmonarDlg : public CDialog {
public:
    explicit CVelmonarDlg(CWnd* parent = nullptr);
    ~CVelmonarDlg() override;

    HICON m_hIcon = nullptr;
    HBRUSH m_backBrush = nullptr;
    DEVMODEA m_displayMode{};
    CClientDC* m_pDC = nullptr;
    HGLRC m_hRC = nullptr;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    int m_centreX = 0;
    int m_centreY = 0;
    int m_screenWidth = 0;
    int m_screenHeight = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    // The player's account (the settings' personal entry): the name dialog
    // with log-out when a log-in is stored, else the log-in dialog.
    void OpenAccountSession();
    void ShowLoginDialog();
    void ShowRegistrationDialog();
    // Leaves the online game: stops the move receive, clears the online
    // flags, closes the game connection and starts a new game.

protected:
    void DoDataExchange(CDataExchange* dx) override;

    int OnCreate(void* createStruct) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnPaint() override;
    void OnDestroy() override;
    void OnTimer(UINT_PTR id) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDblClk(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint point) override;
    HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT controlType) override;
    HCURSOR OnQueryDragIcon() override;

private:
    void BuildMachineId();
    bool DispatchClick(CPoint point);
};
