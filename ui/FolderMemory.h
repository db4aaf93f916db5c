// The folder each file extension was last chosen from, kept for the life of
// the process so the next file dialog for that extension starts there.
#pragma once

#include <map>
#include <optional>
#include <string>

class FolderMemory {
public:
    // Keys are compared in lower case (ASCII): "NOXATC" and "noxatc" are one.
    std::optional<std::wstring> lookup(const std::wstring& extension) const;
    void remember(const std::wstring& extension, const std::wstring& folder);

private:
    std::map<std::wstring, std::wstring> folders_;
};

// The one memory every auto-test dialog of the process shares.
extern FolderMemory lastFolderByExtension;
