// Reads another process's resource counts and environment from outside, for
// the leak and soak tests. Each count is absent where the platform does not
// report it for another process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct ProcessCounts {
    std::optional<DWORD> handles;
    std::optional<DWORD> gdiObjects;
    std::optional<DWORD> userObjects;
    std::optional<SIZE_T> privateBytes;
};

ProcessCounts readCounts(DWORD processId);
std::string describe(const ProcessCounts& counts);

// NAME=value entries of the process's environment block; absent when it cannot be read.
std::optional<std::vector<std::wstring>> readEnvironment(DWORD processId);

}  // namespace e2e
