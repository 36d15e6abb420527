#include "app/VelmonarDlg.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/debug_dump.h"
#include "app/startup_loader.h"
#include "interface/layout.h"
#include "interface/options.h"
#include "online/game_client.h"
#include "online/online_state.h"
#include "platform/process.h"
#include "rules/board.h"
#include "scene/PixselFormat.h"
#include "scene/camera.h"
#include "scene/renderer.h"

#ifndef GL_LIGHT_MODEL_COLOR_CONTROL
#define GL_LIGHT_MODEL_COLOR_CONTROL 0x81F8
#endif
#ifndef GL_SEPARATE_SPECULAR_COLOR
#define GL_SEPARATE_SPECULAR_COLOR 0x81FA
#endif

CWnd* g_insertAfterWnd = nullptr;
CString g_machineIdDigits;
WSADATA g_wsaData = {0, 0};

namespace {

// Template 102: a visible pop-up, 350 x 238 dialog units, no controls.
const DialogTemplate kVelmonarDlgTemplate = {102, 0, 0, 350, 238, true, {}};

const UINT ICON_RESOURCE_ID = 128;
const int NO_SUCH_CHILD_ID = 102;

// One distinct letter per decimal digit, the same in every build.
const char MachineIdLetterTable[10] = {'q', 'w', 'e', 'r', 't', 'y', 'u', 'i', 'o', 'p'};


}  // namespace

CString BuildMachineIdDigits(DWORD serial, const char* computerName)
{
    CString digits;
    digits.Format("%u", serial);
    for (const char* c = computerName ? computerName : ""; *c; ++c) {
        CString part;
        part.Format("%i", static_cast<int>(static_cast<signed char>(*c)));
        digits += part;
    }
    return digits;
}

CString MachineIdFromDigits(const CString& digits)
{
    CString id;
    for (int i = 0; i < digits.GetLength(); ++i) {
        const char c = digits[i];
        id += (c >= '0' && c <= '9') ? MachineIdLetterTable[c - '0'] : c;
    }
    return id;
}

bool ExtensionListedBeforeBlank(const char* list, const char* wanted)
{
    if (!list || !wanted) return false;
    // Read in place, word by word: no copy, so any length is fine.
    const char* wordStart = list;
    for (const char* p = list; *p; ++p) {
        if (*p != ' ') continue;
        const CString word(wordStart, static_cast<int>(p - wordStart));
        if (word == wanted) return true;
        wordStart = p + 1;
    }
    return false;
}

CVelmonarDlg::CVelmonarDlg(CWnd* parent) : CDialog(kVelmonarDlgTemplate, parent)
{
    CWinApp* app = AfxGetApp();
    m_hIcon = app ? app->LoadIcon(ICON_RESOURCE_ID) : nullptr;
}

CVelmonarDlg::~CVelmonarDlg()
{
    delete m_pDC;
}

void CVelmonarDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
}

int CVelmonarDlg::OnCreate(void* createStruct)
{
    if (CDialog::OnCreate(createStruct) == -1) return -1;
    m_pDC = new CClientDC(this);
    if (!SetupPixelFormat(m_pDC->m_hDC)) return -1;
    m_hRC = wglCreateContext(m_pDC->m_hDC);
    if (!m_hRC) return -1;
    if (!wglMakeCurrent(m_pDC->m_hDC, m_hRC)) return -1;

    glClearColor(static_cast<GLclampf>(g_panelColour[0]), static_cast<GLclampf>(g_panelColour[1]),
                 static_cast<GLclampf>(g_panelColour[2]), 0.0f);

    const GLfloat ambient[] = {0.05f, 0.05f, 0.05f, 1.0f};
    const GLfloat diffuse[] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat emission[] = {0.05f, 0.05f, 0.05f, 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 5.0f);
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHTING);

    const GLfloat lightPosition[] = {-10000.0f, 5000.0f, 3000.0f, 1.0f};
    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat modelAmbient[] = {0.5f, 0.5f, 0.5f, 1.0f};
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    glLightfv(GL_LIGHT0, GL_SPECULAR, white);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);

    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (ExtensionListedBeforeBlank(extensions, "GL_EXT_separate_specular_color"))
        glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);

    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    return 0;
}

void CVelmonarDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    m_clientWidth = cx;
    m_clientHeight = cy;
    g_sizeType = static_cast<int>(type);
    if (type == SIZE_MINIMIZED) return;

    m_centreX = m_clientWidth / 2;
    m_centreY = m_clientHeight / 2;
    if (m_clientHeight == 0) m_clientHeight = 1;

    glViewport(0, 0, m_clientWidth, m_clientHeight);
    g_aspect = static_cast<float>(m_clientWidth) / static_cast<float>(m_clientHeight);

    LoadPerspectiveCamera();

    // After the start-up every size change, whoever makes it (the window-mode
    // button, a window manager), puts the overlay where the new client area
    // shows it and its clicks can reach it.
    if (g_sceneReady == 1) {
        LayoutAll();
        RenderFrame();
    }
}

void CVelmonarDlg::BuildMachineId()
{
    char volumeName[64] = {0};
    char fileSystemName[100] = {0};
    DWORD serial = 0;  // stays 0 when no serial can be read
    DWORD maxComponent = 0, fileSystemFlags = 0;
    GetVolumeInformationA("c:\\", volumeName, sizeof volumeName, &serial, &maxComponent, &fileSystemFlags,
                          fileSystemName, sizeof fileSystemName);
    char computerName[64];
    computerName[0] = '\0';
    DWORD size = sizeof computerName;
    if (!GetComputerNameA(computerName, &size)) computerName[0] = '\0';

    g_machineIdDigits = BuildMachineIdDigits(serial, computerName);
    WriteSharedText(g_machineId, MachineIdFromDigits(g_machineIdDigits));
}

BOOL CVelmonarDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    m_backBrush = CreateSolidBrush(RGB(0, 0, 0));
    SetTimer(TICK_TIMER_ID, TICK_INTERVAL_MS, nullptr);

    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &m_displayMode);
    m_screenWidth = static_cast<int>(m_displayMode.dmPelsWidth);
    m_screenHeight = static_cast<int>(m_displayMode.dmPelsHeight);

    g_insertAfterWnd = GetDlgItem(NO_SUCH_CHILD_ID);
    SetWindowPos(g_insertAfterWnd, 0, 0, m_screenWidth, m_screenHeight, SWP_SHOWWINDOW);
    SetWindowText("Велмонар");

    BuildMachineId();

    if (WSAStartup(MAKEWORD(2, 2), &g_wsaData) != 0) {
        WSACleanup();
        AfxMessageBox("Невозможно загрузить ws2_32.dll", MB_ICONHAND);
    }

    if (LoadStartup(*this)) WriteDebugDump();
    return TRUE;
}

void CVelmonarDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
        CRect rect;
        GetClientRect(&rect);
        const int x = (rect.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (rect.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
    if (g_sceneReady == 0) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFlush();
        if (m_pDC) SwapBuffers(m_pDC->m_hDC);
    } else {
        RenderFrame();
    }
}

HCURSOR CVelmonarDlg::OnQueryDragIcon()
{
    return m_hIcon;
}

HBRUSH CVelmonarDlg::OnCtlColor(CDC*, CWnd*, UINT)
{
    return m_backBrush;
}

void CVelmonarDlg::OnDestroy()
{
    CDialog::OnDestroy();
    g_stopMoveReceive = 1;
    g_matchState = 0;
    g_onlineGame = 0;
    g_matchPending = 0;
    CloseServerSocket();
    WSACleanup();
}
