// Case folding of the C locale: only A-Z change, every other character stays.
#pragma once

#include <string>

inline wchar_t asciiLower(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

inline std::wstring asciiLower(std::wstring text)
{
    for (wchar_t& c : text)
        c = asciiLower(c);
    return text;
}

inline bool equalsIgnoringAsciiCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}
