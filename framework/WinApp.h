// The one application object and the entry point that runs it.
#pragma once

#include "framework/Wnd.h"

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // FALSE: no message loop, the process ends (a dialog-only program).
    virtual BOOL InitInstance();

    static CWinApp* current();

    CWnd* m_pMainWnd = nullptr;
};

// Runs the application object: InitInstance, then a message loop only when
// it returned TRUE. Returns the process exit code (0; -1 without an object).
int AfxWinMain();

// Lets the system's restart manager restart the program after an update or a
// crash: no command line, no recovery callback. Windows has one from Vista on;
// before, nothing is registered and the result is false.
bool AfxRegisterApplicationRestart();
