// The application object: runs the launcher dialog once and ends the process.
#pragma once

#include "framework/WinApp.h"

class CnoxLauncherApp : public CWinApp {
public:
    CnoxLauncherApp();
    // Shows the launcher dialog modally; always FALSE, so the process then ends.
    BOOL InitInstance() override;
};
