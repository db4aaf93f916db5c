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

std::wstring extensionKeyOf(const std::wstring& path)
{
    const std::size_t nameStart = path.find_last_of(L"\\/");
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (nameStart != std::wstring::npos && dot < nameStart))
        return std::wstring();  // the "." belongs to a folder name
    return asciiLower(path.substr(dot + 1));
}

std::wstring folderOfChosenPath(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(0, separator);
}
