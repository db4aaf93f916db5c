#include "app/noxLauncherApp.h"

#include "ui/CnoxLauncherDlg.h"

#include <commctrl.h>

CnoxLauncherApp::CnoxLauncherApp() = default;

BOOL CnoxLauncherApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    CWinApp::InitInstance();
    // The restart manager may restart the launcher after an update or a crash;
    // no recovery callback, nothing to save and no files to reopen. Systems
    // without a restart manager (before Vista) just run the launcher.
    AfxRegisterApplicationRestart();

    CnoxLauncherDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();  // every ending, failure included, takes the same path
    m_pMainWnd = nullptr;
    return FALSE;
}
