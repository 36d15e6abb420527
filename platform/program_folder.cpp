#include "platform/program_folder.h"

CString g_appDir;
