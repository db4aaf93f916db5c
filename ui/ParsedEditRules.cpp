#include "ui/ParsedEditRules.h"

#include <cstring>

namespace {

enum CharClass : unsigned {
    kNoClass = 0,
    kLetters = 1u << 0,
    kDigits = 1u << 1,
    kHexDigits = 1u << 2,
    kEverything = 1u << 3,
    kPathChars = 1u << 4,     // everything but < > " |
    kAsciiNoSpace = 1u << 5,  // U+0021..U+007F
};

struct StyleRow {
    unsigned classes;
    const char* extra;  // further ASCII characters accepted
    bool wildcard;      // '*' too while wildcards are allowed
};

constexpr StyleRow kPath = {kPathChars, "", false};
constexpr StyleRow kIdentDotAngle = {kLetters | kDigits, "._`<>$", true};
constexpr StyleRow kIdentAngle = {kLetters | kDigits, "_`<>$", true};
constexpr StyleRow kNameDotAngleQuery = {kLetters | kDigits, "._<>$?", true};
constexpr StyleRow kNameQuery = {kLetters | kDigits, "_?", true};

constexpr StyleRow kRows[] = {
    /* 0 */ {kNoClass, "", false},
    /* 1 */ {kLetters | kDigits, "", false},
    /* 2 */ {kLetters | kDigits, "?- ", false},
    /* 3 */ {kDigits, "", false},
    /* 4 */ {kDigits, "%", false},
    /* 5 */ {kDigits, "%*", false},
    /* 6 */ {kDigits, "%*,", false},
    /* 7 */ {kDigits, ",", false},
    /* 8 */ {kDigits, "-", false},
    /* 9 */ {kHexDigits, "#x", false},
    /* 10 */ {kDigits, ".", false},
    /* 11 */ {kDigits, ".-", false},
    /* 12 */ {kLetters, "", false},
    /* 13 */ kPath,
    /* 14 */ kPath,
    /* 15 */ kPath,
    /* 16 */ kPath,
    /* 17 */ kPath,
    /* 18 */ {kLetters | kDigits, "_", false},
    /* 19 */ {kNoClass, "01", false},
    /* 20 */ {kNoClass, "TRUEFALStruefals", false},
    /* 21 */ kIdentDotAngle,
    /* 22 */ kIdentAngle,
    /* 23 */ kNameDotAngleQuery,
    /* 24 */ kNameQuery,
    /* 25 */ kPath,
    /* 26 */ kNameDotAngleQuery,
    /* 27 */ kNameQuery,
    /* 28 */ kPath,
    /* 29 */ {kLetters | kDigits, "_:", true},
    /* 30 */ kNameDotAngleQuery,
    /* 31 */ kNameQuery,
    /* 32 */ kPath,
    /* 33 */ kNameDotAngleQuery,
    /* 34 */ kNameQuery,
    /* 35 */ kPath,
    /* 36 */ kNameDotAngleQuery,
    /* 37 */ kNameQuery,
    /* 38 */ kPath,
    /* 39 */ kNameDotAngleQuery,
    /* 40 */ kNameQuery,
    /* 41 */ kPath,
    /* 42 */ kNameDotAngleQuery,
    /* 43 */ kNameQuery,
    /* 44 */ kPath,
    /* 45 */ {kEverything, "", false},
    /* 46 */ kIdentDotAngle,
    /* 47 */ kIdentAngle,
    /* 48 */ {kLetters | kDigits, "!#$%&*+-./=?@\\^_`{|}~ \"", false},
    /* 49 */ {kDigits, " +", false},
    /* 50 */ {kLetters | kDigits, "-.", false},
    /* 51 */ {kAsciiNoSpace, "", false},
    /* 52 */ kPath,
    /* 53 */ kPath,
    /* 54 */ kPath,
    /* 55 */ kPath,
    /* 56 */ kPath,
    /* 57 */ kPath,
    /* 58 */ kPath,
};
constexpr unsigned kStyleCount = sizeof kRows / sizeof kRows[0];
static_assert(kStyleCount == 59, "styles 0 to 58");

bool isLetter(unsigned c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(unsigned c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(unsigned c)
{
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool inClasses(unsigned classes, unsigned c)
{
    return ((classes & kEverything) != 0) ||
           ((classes & kPathChars) != 0 && c != '<' && c != '>' && c != '"' && c != '|') ||
           ((classes & kAsciiNoSpace) != 0 && c >= 0x21 && c <= 0x7F) ||
           ((classes & kLetters) != 0 && isLetter(c)) || ((classes & kDigits) != 0 && isDigit(c)) ||
           ((classes & kHexDigits) != 0 && isHexDigit(c));
}

bool inExtra(const char* extra, unsigned c)
{
    // Never look a NUL up: strchr would find the terminator.
    return c != 0 && c < 0x80 && std::strchr(extra, static_cast<int>(c)) != nullptr;
}

}  // namespace

bool IsCharAllowed(unsigned parseStyle, wchar_t ch, bool wildcardAllowed)
{
    const auto c = static_cast<unsigned>(ch);
    if (c < 0x20)
        return true;
    if (parseStyle >= kStyleCount)
        return false;
    const StyleRow& row = kRows[parseStyle];
    if (row.wildcard && wildcardAllowed && c == '*')
        return true;
    return inClasses(row.classes, c) || inExtra(row.extra, c);
}

std::optional<int> scrollStep(unsigned scrollCode)
{
    switch (scrollCode) {
    case 0:
        return 1;
    case 1:
        return -1;
    default:
        return std::nullopt;
    }
}

std::optional<int> stepValue(int current, int step)
{
    const long long result = static_cast<long long>(current) + step;
    if (result < 0 || result > 0x7FFF)
        return std::nullopt;
    return static_cast<int>(result);
}
