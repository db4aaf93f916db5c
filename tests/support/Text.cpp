#include "tests/support/Text.h"

#include <windows.h>

std::string narrow(const std::wstring& text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t unit : text)
        bytes.push_back(static_cast<char>(unit));
    return bytes;
}

std::wstring fromUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(size > 0 ? static_cast<std::size_t>(size) : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], size);
    return text;
}
