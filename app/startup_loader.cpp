#include "app/startup_loader.h"

CString g_appDir;
