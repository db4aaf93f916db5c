#include "ui/FileFilter.h"

#include "ui/AsciiCase.h"

#include <vector>

namespace {

std::vector<std::wstring> splitDroppingEmpty(const std::wstring& text, wchar_t separator)
{
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::wstring::npos)
            end = text.size();
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

bool listOffersExtension(const std::wstring& patternList, const std::wstring& extension)
{
    for (const std::wstring& pattern : splitDroppingEmpty(patternList, L';')) {
        const std::size_t dot = pattern.rfind(L'.');
        if (dot == std::wstring::npos || dot + 1 == pattern.size())
            continue;  // "*" or "name." names no extension
        if (equalsIgnoringAsciiCase(pattern.substr(dot + 1), extension))
            return true;
    }
    return false;
}

}  // namespace

unsigned long FindFilterIndex(const std::wstring& filterText, const std::wstring& defaultExtension)
{
    unsigned long listNumber = 0;
    for (const std::wstring& piece : splitDroppingEmpty(filterText, L'|')) {
        if (piece.find(L'(') != std::wstring::npos)
            continue;  // description
        ++listNumber;
        if (listOffersExtension(piece, defaultExtension))
            return listNumber;
    }
    return 0;
}
