// The application object, windows and modal dialogs, drawn by FLTK on the X
// display. Game code sees only these declarations; the toolkit stays inside
// the platform layer.
//
// Behaviour the game relies on:
// - DoModal sends WM_CREATE, WM_SIZE (template size), WM_INITDIALOG in this
//   order, then runs a nested event loop until EndDialog; WM_DESTROY follows
//   the loop. EndDialog only flags the end: the handler that calls it goes on.
//   A dialog ended inside OnInitDialog is never shown.
// - SetWindowPos and ShowWindow deliver WM_SIZE before they return, and a
//   window they show is on screen when they return, so it can be drawn at once.
// - Timer ticks come only from an event loop (also the loop of a nested modal
//   dialog) and never pile up: after a long blocking handler one tick follows.
// - The second press of a double click arrives as WM_LBUTTONDBLCLK, not as a
//   press; moves with a button held arrive as WM_MOUSEMOVE; the wheel gives
//   +120 per notch away from the user.
// - Esc and the window manager's close request go to OnCancel, Enter to OnOK.
// - A dialog run from a worker thread is shown by the interface thread while
//   the worker waits.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "platform/message_box.h"
#include "platform/strings.h"
#include "platform/wintypes.h"

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

constexpr int IDCANCEL = 2;

// --- rectangles and points (window coordinates, y down) ---
struct RECT {
    int left;
    int top;
    int right;
    int bottom;
};
typedef RECT* LPRECT;

struct POINT {
    int x;
    int y;
};

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
};

// Left and top edges inside, right and bottom edges outside.
inline BOOL PtInRect(const RECT* rect, POINT point)
{
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Left and top edges inside, right and bottom edges outside.
    BOOL PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    operator LPRECT() { return this; }
};

// --- opaque resources ---
struct IconResource;
struct BrushResource;
struct BitmapResource;
struct DeviceContext;
typedef IconResource* HICON;
typedef IconResource* HCURSOR;
typedef BrushResource* HBRUSH;
typedef BitmapResource* HBITMAP;
typedef DeviceContext* HDC;

// --- messages (our own numbering) ---
enum : UINT {
    WM_CREATE = 1,
    WM_DESTROY,
    WM_SIZE,
    WM_PAINT,
    WM_CLOSE,
    WM_INITDIALOG,
    WM_COMMAND,
    WM_TIMER,
    WM_MOUSEMOVE,
    WM_LBUTTONDOWN,
    WM_LBUTTONUP,
    WM_LBUTTONDBLCLK,
    WM_RBUTTONDOWN,
    WM_RBUTTONUP,
    WM_RBUTTONDBLCLK,
    WM_MOUSEWHEEL,
    WM_QUERYDRAGICON,
    WM_ICONERASEBKGND,
    WM_CTLCOLOR,
};

// Packs two signed 16-bit values (x low, y high) the way mouse messages carry them.
inline LPARAM MAKELPARAM(int low, int high)
{
    return static_cast<LPARAM>((static_cast<unsigned>(low) & 0xFFFFu) |
                               ((static_cast<unsigned>(high) & 0xFFFFu) << 16));
}
inline int LparamX(LPARAM l) { return static_cast<short>(l & 0xFFFF); }
inline int LparamY(LPARAM l) { return static_cast<short>((l >> 16) & 0xFFFF); }

constexpr UINT SIZE_RESTORED = 0;
constexpr UINT SIZE_MINIMIZED = 1;
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr int WHEEL_DELTA = 120;

constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_SHOWWINDOW = 0x0040;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOW = 5;
constexpr int SW_RESTORE = 9;

constexpr int ICON_SMALL = 0;
constexpr int ICON_BIG = 1;

constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
int GetSystemMetrics(int index);

// --- drawing contexts ---
class CWnd;

class CDC {
public:
    CDC() = default;
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    COLORREF SetBkColor(COLORREF colour);
    COLORREF SetTextColor(COLORREF colour);
    BOOL DrawIcon(int x, int y, HICON icon);  // nothing to draw on X: a no-op

    HDC m_hDC = nullptr;
    COLORREF m_bkColour = RGB(255, 255, 255);
    COLORREF m_textColour = RGB(0, 0, 0);
};

// The client area's device context: its m_hDC is what pixel formats, GL
// contexts and buffer swaps take. Valid for the window's life.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;
};

HBRUSH CreateSolidBrush(COLORREF colour);
COLORREF BrushColour(HBRUSH brush);  // black for a null brush
// Frees a brush or a bitmap made above; null is ignored. A bitmap must no
// longer be on a button that is shown.
BOOL DeleteObject(HBRUSH brush);
BOOL DeleteObject(HBITMAP bitmap);

// Icon 128 and the dialog bitmaps: BMP files "<program folder>/dialogs/<id>.bmp".
#define MAKEINTRESOURCE(id) (reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id)))
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;
// Null when the file is missing or unreadable (a button then shows no picture).
HBITMAP LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
// Where LoadImageA and LoadIcon look; the program folder unless a test says otherwise.
void SetResourceFolder(const char* folder);

// How LoadImageA and LoadIcon read a picture file: the program fills this in
// at start-up with its own bitmap reader. read gives width x height pixels as
// R, G, B bytes, the bottom row first, rows without gaps, and returns false
// (reporting nothing) when the file is missing or cannot be read. The default
// reads nothing: no bitmaps, no icon.
struct PictureReader {
    bool (*read)(const char* path, int* width, int* height, std::vector<unsigned char>* rgbBottomUp);
};
extern PictureReader g_pictureReader;

// --- display ---
constexpr DWORD ENUM_CURRENT_SETTINGS = 0xFFFFFFFFu;
struct DEVMODEA {
    DWORD dmBitsPerPel;
    DWORD dmPelsWidth;
    DWORD dmPelsHeight;
    DWORD dmDisplayFrequency;
};
// The primary monitor's size (not the whole X screen when there are several).
BOOL EnumDisplaySettingsA(LPCSTR device, DWORD mode, DEVMODEA* settings);

// --- windows ---
struct NativeWindow;  // the toolkit's side of a CWnd, inside the platform layer

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // z-order arguments of SetWindowPos
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL ShowWindow(int command);
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    BOOL IsIconic() const;
    void SetWindowText(LPCTSTR text);           // Windows-1251
    CString GetWindowText() const;
    HICON SetIcon(HICON icon, BOOL bigIcon);
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* callback);
    BOOL KillTimer(UINT_PTR id);
    CWnd* GetDlgItem(int id) const;             // null when there is no such control
    void Invalidate(BOOL erase = TRUE);
    HDC GetDC();
    int ReleaseDC(HDC dc);

    // Delivers a message to this window's handlers at once (the dispatch the
    // event loop uses). Returns the handler's result.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    NativeWindow* m_native = nullptr;

protected:
    friend struct NativeWindow;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: a button (lParam 1) or the keyboard (lParam 0: IDOK for
    // Enter, which a dialog passes to its default button, IDCANCEL for Esc).
    virtual BOOL OnCommand(UINT id);

    // Handlers; the bases do the default processing (nothing).
    virtual int OnCreate(void* createStruct);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnPaint();
    virtual void OnDestroy();
    virtual void OnTimer(UINT_PTR id);
    virtual void OnMouseMove(UINT flags, CPoint point);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnLButtonDblClk(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT controlType);
    virtual HCURSOR OnQueryDragIcon();
    virtual void OnClose();
};

constexpr UINT CTLCOLOR_DLG = 4;
constexpr UINT CTLCOLOR_STATIC = 6;
constexpr UINT CTLCOLOR_EDIT = 1;
constexpr UINT CTLCOLOR_BTN = 3;

// A push button of a dialog; its face can be a bitmap alone.
class CButton : public CWnd {
public:
    HBITMAP SetBitmap(HBITMAP bitmap);
    HBITMAP GetBitmap() const { return m_bitmap; }

private:
    HBITMAP m_bitmap = nullptr;
};

// --- dialog templates (sizes in dialog units) ---
enum DialogControlKind { CONTROL_STATIC, CONTROL_EDIT, CONTROL_BUTTON };
constexpr DWORD CONTROL_CENTRE = 0x01;    // centred text
constexpr DWORD CONTROL_PASSWORD = 0x02;  // edit shows dots
constexpr DWORD CONTROL_READONLY = 0x04;
constexpr DWORD CONTROL_DEFAULT = 0x08;   // the button Enter presses

struct DialogControl {
    DialogControlKind kind;
    int id;
    int x, y, cx, cy;
    DWORD style;
    const char* text;  // Windows-1251
};

struct DialogTemplate {
    UINT id;
    int x, y, cx, cy;
    bool visible;  // shown once the dialog is initialised; an invisible one stays hidden
    std::vector<DialogControl> controls;
};

// Dialog units to pixels (the dialog font's average character: 6 x 13 pixels).
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

class CDataExchange {
public:
    CDataExchange(class CDialog* dialog, BOOL saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}
    class CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Edit or static text <-> string; a missing control leaves the string alone.
void DDX_Text(CDataExchange* dx, int id, CString& value);
// Binds a control object (a CButton) to control id.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialog : public CWnd {
public:
    CDialog(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog with its own event loop and returns EndDialog's value
    // (-1 when creation failed). From a worker thread the interface thread
    // runs it while the worker waits.
    virtual INT_PTR DoModal();
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    bool IsEnding() const { return m_ending; }
    UINT TemplateId() const { return m_template.id; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)

    CWnd* m_pParentWnd;

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(UINT id) override;

private:
    friend struct NativeWindow;
    friend void DDX_Text(CDataExchange*, int, CString&);
    friend void DDX_Control(CDataExchange*, int, CWnd&);
    INT_PTR RunModalHere();

    DialogTemplate m_template;
    bool m_ending = false;
    int m_result = IDCANCEL;
};

// --- the application ---
class CWinApp {
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // Icon id from the dialogs folder; null when its file is missing or unreadable.
    HICON LoadIcon(UINT id) const;

    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
CWnd* AfxGetMainWnd();

// The framework's entry: prepares the interface thread, makes SIGINT and
// SIGTERM end every running dialog as EndDialog(IDCANCEL) would, runs
// app.InitInstance() and ends the process. Worker threads still running are
// stopped with it, without running static destructors under them.
[[noreturn]] void AfxWinMain(CWinApp& app);

// Draws at once whatever a window or control of the program waits to have
// drawn (a button pressed a moment ago comes up), taking no input and running
// nothing else: for a handler that waits a while on the interface thread.
// Elsewhere it does nothing.
void DrawPendingWindows();

// True once SIGINT or SIGTERM arrived. The dialogs end when their loop next
// runs; code that blocks for a long time without the loop (the start-up's
// fades) asks this to cut its pauses short.
bool TerminationRequested();
