#include "app/Velmonar.h"

#include "app/VelmonarDlg.h"
#include "app/debug_dump.h"
#include "app/host_tables.h"

CVelmonarApp theApp;

CVelmonarApp::CVelmonarApp() : CWinApp(nullptr) {}

// Runs the main dialog; FALSE tells the framework to end the process without
// a message loop of its own.
BOOL CVelmonarApp::InitInstance()
{
    InstallHostTables();
    StartDebugDump();
    CVelmonarDlg dialog(nullptr);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
