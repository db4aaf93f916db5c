// The dialog template of the edition a benchmark's command line names
// ("customer" or "developer"), from the launcher's own resource ids; 0 for
// any other word.
#pragma once

#include "res/resource.h"

#include <cwchar>

inline unsigned editionTemplate(const wchar_t* edition)
{
    if (std::wcscmp(edition, L"customer") == 0)
        return IDD_NOXLAUNCHER_DIALOG;
    return std::wcscmp(edition, L"developer") == 0 ? IDD_NOXLAUNCHER_DEV_DIALOG : 0;
}
