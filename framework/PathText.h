// Reading paths as text. Portable.
#pragma once

#include <string>

// Built: the paths the launcher makes, where only the backslash separates;
// a path without one has no folder (empty). Chosen: a path a file dialog
// handed back, where either slash separates; without one it is kept whole.
enum class PathKind { Built, Chosen };

// The path up to, not including, its last separator.
std::wstring folderOfPath(const std::wstring& path, PathKind kind = PathKind::Built);

// The file name's extension without the dot, as written; empty when the name has no ".".
std::wstring extensionOfPath(const std::wstring& path);
