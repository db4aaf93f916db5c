#include "ui/FolderMemory.h"

#include "ui/AsciiCase.h"

FolderMemory lastFolderByExtension;

std::optional<std::wstring> FolderMemory::lookup(const std::wstring& extension) const
{
    const auto found = folders_.find(asciiLower(extension));
    if (found == folders_.end())
        return std::nullopt;
    return found->second;
}

void FolderMemory::remember(const std::wstring& extension, const std::wstring& folder)
{
    folders_[asciiLower(extension)] = folder;
}
