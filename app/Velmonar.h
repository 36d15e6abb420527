// The application object: runs the main dialog and ends the program with it.
#pragma once

#include "platform/window.h"

class CVelmonarApp : public CWinApp {
public:
    CVelmonarApp();
    BOOL InitInstance() override;
};

extern CVelmonarApp theApp;
