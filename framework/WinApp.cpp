#include "framework/WinApp.h"

#include "framework/SystemLibrary.h"

namespace {

CWinApp* g_application = nullptr;

}  // namespace

CWinApp::CWinApp()
{
    if (!g_application)
        g_application = this;
}

CWinApp::~CWinApp()
{
    if (g_application == this)
        g_application = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

CWinApp* CWinApp::current()
{
    return g_application;
}

int AfxWinMain()
{
    CWinApp* app = CWinApp::current();
    if (!app)
        return -1;
    if (app->InitInstance()) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}

bool AfxRegisterApplicationRestart()
{
    // Looked up, not imported: the program also loads where kernel32 lacks it.
    using RegisterApplicationRestartFunction = HRESULT WINAPI(PCWSTR commandLine, DWORD flags);
    const auto registerRestart =
        systemFunction<RegisterApplicationRestartFunction>(L"kernel32.dll", "RegisterApplicationRestart");
    return registerRestart && SUCCEEDED(registerRestart(nullptr, 0));
}
