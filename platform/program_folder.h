// The program folder: the prefix of every data path.
#pragma once

#include "platform/strings.h"

// Forward slashes, no trailing slash; every data path is g_appDir followed by
// a name that begins with "/". Set once by the start-up.
extern CString g_appDir;
