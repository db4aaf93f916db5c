#include "framework/SystemLibrary.h"

#include <string>

FARPROC systemProc(const wchar_t* dllName, const char* procName)
{
    HMODULE module = GetModuleHandleW(dllName);
    if (!module) {
        // Only from the system folder: never a same-named DLL beside the launcher.
        wchar_t folder[MAX_PATH] = L"";
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return nullptr;
        module = LoadLibraryW((std::wstring(folder) + L"\\" + dllName).c_str());
    }
    return module ? GetProcAddress(module, procName) : nullptr;
}
