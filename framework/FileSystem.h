// What the launcher asks of the file system itself.
#pragma once

#include <string>

// True for an existing file or directory (GetFileAttributesW).
bool pathExists(const std::wstring& path);
