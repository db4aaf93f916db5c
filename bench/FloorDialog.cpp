// Floor for the launcher's start-up and idle cost: shows a launcher dialog
// template, loaded from the launcher's own executable, with no logic of its
// own. With "refresh" it also makes, on the same 100 ms timer, exactly the
// platform calls of the launcher's enabling pass (see BareRefresh.h).
//   bench_floor.exe LAUNCHER.exe customer|developer [refresh]
#include "bench/BareRefresh.h"
#include "bench/Edition.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace {

INT_PTR CALLBACK floorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        if (lParam) {
            bareRefresh(dialog);
            SetTimer(dialog, 1, 100, nullptr);
        }
        return TRUE;
    case WM_TIMER:
        bareRefresh(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args)
        return 2;
    int result = 2;
    const unsigned templateId = count >= 3 ? editionTemplate(args[2]) : 0;
    if (templateId != 0) {
        const bool refresh = count >= 4 && std::wcscmp(args[3], L"refresh") == 0;
        // Resources only: nothing of the launcher's code runs.
        HMODULE launcher = LoadLibraryExW(args[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (launcher) {
            DialogBoxParamW(launcher, MAKEINTRESOURCEW(templateId), nullptr, floorProc, refresh ? 1 : 0);
            FreeLibrary(launcher);
            result = 0;
        }
    }
    LocalFree(args);
    return result;
}
