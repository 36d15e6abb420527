#include "online/web.h"

int g_programVersion = PROGRAM_VERSION;
std::atomic<int> g_webVersion{0};
std::atomic<int> g_webNewsPending{0};
std::atomic<int> g_updateAvailable{0};
std::atomic<int> g_webFetchBusy{0};

// Stands in until the online work fetches the web documents.
UINT WebFetchThread(LPVOID)
{
    return 0;
}
