// Reads other processes from outside: which run, and their environment.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// NAME=value entries of the process's environment block; absent when it cannot be read.
std::optional<std::vector<std::wstring>> readEnvironment(DWORD processId);

// The ids of the processes running now, sorted.
std::vector<DWORD> runningProcessIds();
// Of the processes running now, those not in `before` (a runningProcessIds result).
std::vector<DWORD> processesStartedSince(const std::vector<DWORD>& before);

}  // namespace e2e
