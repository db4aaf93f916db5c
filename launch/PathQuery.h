// The one question about the disk the portable decisions ask, answered by
// the platform (framework/FileSystem.h) or by a test's stand-in.
#pragma once

#include <string>

class PathQuery {
public:
    virtual ~PathQuery() = default;
    // True for an existing file or directory.
    virtual bool pathExists(const std::wstring& path) = 0;
};
