#include "framework/PathText.h"

std::wstring folderOfPath(const std::wstring& path, PathKind kind)
{
    const std::size_t separator = kind == PathKind::Chosen ? path.find_last_of(L"\\/") : path.rfind(L'\\');
    if (separator == std::wstring::npos)
        return kind == PathKind::Chosen ? path : std::wstring();
    return path.substr(0, separator);
}

std::wstring extensionOfPath(const std::wstring& path)
{
    const std::size_t nameStart = path.find_last_of(L"\\/");
    const std::size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (nameStart != std::wstring::npos && dot < nameStart))
        return std::wstring();  // the "." belongs to a folder name
    return path.substr(dot + 1);
}
