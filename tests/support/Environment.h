// The test program's own environment.
#pragma once

#include <optional>
#include <string>

std::optional<std::wstring> environmentVariable(const std::wstring& name);
void removeNoxVariables();  // every name starting with NOX_, any case

// A positive number from the environment (run lengths of the long tests), else `fallback`.
long settingOr(const wchar_t* name, long fallback);
