#include "tests/support/Environment.h"

#include <windows.h>

#include <cwchar>
#include <vector>

std::optional<std::wstring> environmentVariable(const std::wstring& name)
{
    const DWORD needed = GetEnvironmentVariableW(name.c_str(), nullptr, 0);  // 1 for an empty value
    if (needed == 0)
        return std::nullopt;
    std::wstring value(needed, L'\0');
    const DWORD length = GetEnvironmentVariableW(name.c_str(), &value[0], needed);
    value.resize(length < needed ? length : 0);
    return value;
}

void removeNoxVariables()
{
    std::vector<std::wstring> names;
    wchar_t* const block = GetEnvironmentStringsW();
    if (block == nullptr)
        return;
    for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
        if (_wcsnicmp(entry, L"NOX_", 4) == 0) {
            const std::wstring text(entry);
            names.push_back(text.substr(0, text.find(L'=')));
        }
    }
    FreeEnvironmentStringsW(block);
    for (const std::wstring& name : names)
        SetEnvironmentVariableW(name.c_str(), nullptr);
}

long settingOr(const wchar_t* name, long fallback)
{
    const auto text = environmentVariable(name);
    if (!text)
        return fallback;
    const long value = std::wcstol(text->c_str(), nullptr, 10);
    return value > 0 ? value : fallback;
}
