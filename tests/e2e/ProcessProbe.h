// Reads another process's environment from outside.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// NAME=value entries of the process's environment block; absent when it cannot be read.
std::optional<std::vector<std::wstring>> readEnvironment(DWORD processId);

}  // namespace e2e
