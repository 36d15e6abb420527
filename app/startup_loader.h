// The start-up loader and the program folder it finds.
#pragma once

#include "platform/strings.h"

// The program folder: forward slashes, no trailing slash; every data path is
// g_appDir followed by a name that begins with "/".
extern CString g_appDir;
