#include "launch/WindowsInstallQueries.h"

#include "framework/FileSystem.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>

void WindowsInstallQueries::queryProgramFilesFolder(ProgramFilesKind kind, std::wstring& buffer)
{
    wchar_t folder[MAX_PATH] = L"";
    std::wcsncpy(folder, buffer.c_str(), MAX_PATH - 1);
    const int csidl = kind == ProgramFilesKind::X86 ? CSIDL_PROGRAM_FILESX86 : CSIDL_PROGRAM_FILES;
    SHGetSpecialFolderPathW(nullptr, folder, csidl, FALSE);
    folder[MAX_PATH - 1] = L'\0';
    buffer = folder;
}

bool WindowsInstallQueries::pathExists(const std::wstring& path)
{
    return ::pathExists(path);
}

std::wstring getProductExePath(const ProductSlot& slot)
{
    WindowsInstallQueries queries;
    return getProductExePath(queries, slot);
}
