#include "tests/support/Files.h"

#include "framework/UniqueHandle.h"

#include <windows.h>

namespace {

// "\\?\C:\..." takes the path literally and without the MAX_PATH limit; a
// doubled separator ("C:\Root\\Kestrova", as a root with a trailing
// backslash gives) would then name an empty folder, so it goes.
std::wstring longForm(const std::wstring& path)
{
    std::wstring form = L"\\\\?\\" + path;
    for (std::size_t at; (at = form.find(L"\\\\", 4)) != std::wstring::npos;)
        form.erase(at, 1);
    return form;
}

bool exists(const std::wstring& longPath)
{
    return GetFileAttributesW(longPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void removeLongTree(const std::wstring& longPath)
{
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((longPath + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = longPath + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeLongTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    if (!RemoveDirectoryW(longPath.c_str()))
        DeleteFileW(longPath.c_str());
}

}  // namespace

std::wstring binFolder()
{
    std::wstring self(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, &self[0], static_cast<DWORD>(self.size()))) >= self.size())
        self.resize(self.size() * 2);
    self.resize(length);
    return folderOf(self);
}

std::wstring folderOf(const std::wstring& path)
{
    const std::size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool createFolders(const std::wstring& folder)
{
    const std::wstring target = longForm(folder) + L"\\";
    for (std::size_t at = target.find(L'\\', 7); at != std::wstring::npos; at = target.find(L'\\', at + 1))
        CreateDirectoryW(target.substr(0, at).c_str(), nullptr);
    return exists(longForm(folder));
}

bool plantStub(const std::wstring& exePath)
{
    return createFolders(folderOf(exePath)) &&
           CopyFileW((binFolder() + L"\\stub_product.exe").c_str(), longForm(exePath).c_str(), FALSE) != FALSE;
}

bool writeFile(const std::wstring& path, const std::string& bytes)
{
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool removeTree(const std::wstring& path)
{
    const std::wstring target = longForm(path);
    removeLongTree(target);
    return !exists(target);
}

TempFolder::TempFolder(const std::wstring& namePrefix)
{
    wchar_t temp[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, temp);  // ends in a backslash
    static unsigned counter = 0;
    for (;;) {
        path_ = temp + namePrefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) +
                L"-" + std::to_wstring(GetTickCount() % 100000);
        if (CreateDirectoryW(path_.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

TempFolder::~TempFolder()
{
    // A stub that has just written its report may still be closing its exe.
    for (int attempt = 0; attempt < 50 && !removeTree(path_); ++attempt)
        Sleep(100);
}
