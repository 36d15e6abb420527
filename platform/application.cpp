// The application object and the framework's entry; SIGINT and SIGTERM end
// the running dialogs.
#include <FL/Fl.H>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "platform/http.h"
#include "platform/process.h"
#include "platform/threads.h"
#include "platform/window.h"
#include "platform/window_native.h"

namespace {

CWinApp* g_app = nullptr;
volatile sig_atomic_t g_signalSeen = 0;
int g_signalPipe[2] = {-1, -1};
bool g_endAllBySignal = false;

// Runs on the interface thread's loop once the handler has written to the pipe.
void SignalArrived(int fd, void*)
{
    char buffer[16];
    while (read(fd, buffer, sizeof buffer) > 0) {
    }
    g_endAllBySignal = true;
    std::vector<CDialog*> running = window_layer::RunningDialogs();
    for (CDialog* d : running) d->EndDialog(IDCANCEL);
}

void OnSignal(int sig)
{
    if (g_signalSeen) _exit(128 + sig);  // a second signal while the first waits: leave now
    const int savedErrno = errno;  // the interrupted code may be looking at errno
    g_signalSeen = 1;
    char c = 1;
    ssize_t ignored = write(g_signalPipe[1], &c, 1);
    (void)ignored;
    errno = savedErrno;
}

void InstallSignalHandlers()
{
    if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    Fl::add_fd(g_signalPipe[0], FL_READ, SignalArrived);
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
}

}  // namespace

bool TerminationRequested()
{
    return g_signalSeen != 0;
}

bool EndRequestedBySignal()
{
    return g_endAllBySignal;
}

CWinApp::CWinApp(LPCTSTR)
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

HICON CWinApp::LoadIcon(UINT id) const
{
    auto image = window_layer::LoadPicture(id);
    if (!image) return nullptr;
    auto* icon = new IconResource;
    icon->image = std::move(image);
    return icon;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return nullptr;
}

CWnd* AfxGetMainWnd()
{
    if (g_app && g_app->m_pMainWnd) return g_app->m_pMainWnd;
    const auto& running = window_layer::RunningDialogs();
    return running.empty() ? nullptr : running.front();
}

void AfxWinMain(CWinApp& app)
{
    InitInterfaceThread();
    InternetStartup();
    InstallSignalHandlers();
    app.InitInstance();
    // Worker threads may still wait on the network: leave without running
    // static destructors under them.
    std::fflush(nullptr);
    _exit(ExitStatus());
}
