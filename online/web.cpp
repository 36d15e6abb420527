#include "online/web.h"

int g_programVersion = PROGRAM_VERSION;
std::atomic<int> g_webVersion{0};
std::atomic<int> g_webNewsPending{0};
std::atomic<int> g_updateAvailable{0};
std::atomic<int> g_webFetchBusy{0};

// The program's own web page, opened by a click on the news banner until the
// web fetch brings another address.
const char* const NEWS_URL_DEFAULT = "https://velmonar.example/";
const char* const PRODUCT_PAGE_URL = "https://velmonar.example/soft/Velmonar.php";
CString g_newsUrl;
CString g_newsText;

// Stands in until the online work fetches the web documents.
UINT WebFetchThread(LPVOID)
{
    return 0;
}
