// Text conversions for test messages and files.
#pragma once

#include <string>

// For failure messages: each UTF-16 unit cut to a byte (ASCII stays readable).
std::string narrow(const std::wstring& text);
std::wstring fromUtf8(const std::string& bytes);
