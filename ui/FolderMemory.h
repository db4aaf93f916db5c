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

// Extension of the path's file name, without the dot and lower-cased; empty
// when the name has no ".".
std::wstring extensionKeyOf(const std::wstring& path);

// The path cut before its last "\" or "/" (separator dropped): "C:\run.x"
// gives "C:". A path without a separator is returned whole.
std::wstring folderOfChosenPath(const std::wstring& path);
