#include "bench/BareRefresh.h"

#include "launch/ProductCatalogue.h"

#include <shlobj.h>

#include <cwchar>

namespace {

constexpr std::size_t kPathChars = 1024;  // root (at most MAX_PATH) and the fixed tails fit

bool exists(const wchar_t* path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

void join(wchar_t* out, const wchar_t* root, const wchar_t* folder, const wchar_t* suffix, const wchar_t* name)
{
    std::swprintf(out, kPathChars, L"%ls\\Kestrova\\%ls%ls%ls%ls", root, folder, suffix, name ? L"\\" : L"",
                  name ? name : L"");
}

// Resolves one slot into `exe` and answers whether it exists, with the
// folder queries and probes of the install-folder search.
bool resolveAndProbe(const ProductSlot& slot, wchar_t* exe)
{
    wchar_t root[MAX_PATH] = L"";
    wchar_t probe[kPathChars];
    SHGetSpecialFolderPathW(nullptr, root, CSIDL_PROGRAM_FILESX86, FALSE);
    join(probe, root, slot.folderName, L"", nullptr);
    if (!exists(probe)) {
        SHGetSpecialFolderPathW(nullptr, root, CSIDL_PROGRAM_FILES, FALSE);
        join(probe, root, slot.folderName, L"", nullptr);
        if (!exists(probe)) {
            wchar_t* cut = std::wcsstr(root, L" (x86)");
            if (!cut)
                cut = std::wcsstr(root, L" (X86)");
            if (cut)
                *cut = L'\0';
        }
    }
    join(exe, root, slot.folderName, L"", slot.exeName);
    if (!exists(exe)) {
        join(exe, root, slot.folderName, L" Evaluation", slot.exeName);
        if (!exists(exe))
            join(exe, root, slot.folderName, L" Beta", slot.exeName);
    }
    return exists(exe);  // the enabling pass's own existence query
}

bool bareIsWow64()
{
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleW(L"KERNEL32.DLL");
    if (!kernel)
        return false;
    auto query = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    BOOL wow64 = FALSE;
    return query && query(GetCurrentProcess(), &wow64) && wow64;
}

void enable(HWND dialog, int id, bool enabled)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)
        return;
    EnableWindow(control, enabled);
    InvalidateRect(control, nullptr, FALSE);
    UpdateWindow(control);
}

}  // namespace

void bareQueries()
{
    wchar_t exe[kPathChars];
    for (const ProductSlot& slot : kProductSlots) {
        if (resolveAndProbe(slot, exe) && slot.is64Bit)
            bareIsWow64();
    }
}

void bareRefresh(HWND dialog)
{
    for (int id : {1066, IDOK, IDCANCEL, 1068})
        enable(dialog, id, true);
    wchar_t exe[kPathChars];
    for (const ProductSlot& slot : kProductSlots) {
        const bool installed = resolveAndProbe(slot, exe);
        const bool row = installed && (!slot.is64Bit || bareIsWow64());
        HWND mode = GetDlgItem(dialog, slot.modeComboId);
        if (mode) {
            LRESULT selection = SendMessageW(mode, CB_GETCURSEL, 0, 0);
            LRESULT code = selection == CB_ERR ? 0 : SendMessageW(mode, CB_GETITEMDATA, static_cast<WPARAM>(selection), 0);
            enable(dialog, slot.autoTestEditId, row && code != 0);
            enable(dialog, slot.browseButtonId, row && code != 0);
        }
        enable(dialog, slot.modeComboId, row);
        enable(dialog, slot.buttonId, row);
        enable(dialog, slot.injectCheckId, row);
    }
}
