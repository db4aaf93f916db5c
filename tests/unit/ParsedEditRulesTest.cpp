#include "ui/ParsedEditRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What a user typing into a field of the style sees kept and refused.
struct Typing {
    unsigned style;
    std::wstring accepted;
    std::wstring refused;
};

bool acceptsAll(unsigned style, const std::wstring& text, bool wildcards)
{
    for (wchar_t ch : text)
        if (!IsCharAllowed(style, ch, wildcards))
            return false;
    return true;
}

TEST(ParsedEditRules, EachStyleKeepsItsCharactersAndRefusesOthers)
{
    const Typing cases[] = {
        {0, L"", L"a1 .*"},
        {3, L"0123456789", L"a-. \u00b2"},                 // ASCII digits only
        {9, L"09afAF#x", L"gGX-"},                         // hexadecimal
        {12, L"azAZ", L"1_ \u00e9"},                       // ASCII letters only
        {14, L"C:\\Test files\\run?1*.noxatc\u00e9\u7a0b\x7f", L"<>\"|"},  // the launcher's path style
        {19, L"01", L"2aA"},
        {20, L"TRUEfalse", L"bxy1"},
        {45, L" ~<|\u00e9", L""},                          // everything
        {51, L"!~<|", L" \u00e9"},                         // ASCII without the blank
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(acceptsAll(c.style, c.accepted, false)) << "style " << c.style;
        for (wchar_t ch : c.refused)
            EXPECT_FALSE(IsCharAllowed(c.style, ch, false)) << "style " << c.style << " U+" << std::hex << +ch;
    }
}

TEST(ParsedEditRules, ControlCharactersPassEveryStyleAndWildcardsOnlyWhereAllowed)
{
    for (unsigned style = 0; style <= 60; ++style)
        for (wchar_t ch = 0; ch < 0x20; ++ch)
            EXPECT_TRUE(IsCharAllowed(style, ch, false)) << "style " << style;
    EXPECT_TRUE(IsCharAllowed(21, L'*', true));
    EXPECT_FALSE(IsCharAllowed(21, L'*', false));
    EXPECT_FALSE(IsCharAllowed(14, L'|', true)) << "wildcards add '*' alone";
    EXPECT_FALSE(IsCharAllowed(3, L'*', true)) << "and only to the wildcard styles";
}

TEST(ParsedEditRules, StyleNumbersAreUnsignedAndLargeOnesRejectPrintables)
{
    for (unsigned style : {59u, 60u, 1000u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(IsCharAllowed(style, L'a', true)) << style;
        EXPECT_TRUE(IsCharAllowed(style, L'\b', false)) << style;
    }
}

TEST(ParsedEditRules, ScrollCodesAndSteppingStayWithin0To32767)
{
    EXPECT_EQ(scrollStep(0), 1);
    EXPECT_EQ(scrollStep(1), -1);
    for (unsigned code : {2u, 3u, 4u, 5u, 8u, 0x10000u})
        EXPECT_EQ(scrollStep(code), std::nullopt) << code;

    struct Case {
        int current;
        int step;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {5, -1, 4},           {5, 1, 6},
        {0, 1, 1},            {0, -1, std::nullopt},
        {32766, 1, 32767},    {32767, 1, std::nullopt},
        {32767, -1, 32766},   {-5, 1, std::nullopt},  // -4 is still below 0
        {1, -1, 0},           {40000, -1, std::nullopt},
        {2147483647, 1, std::nullopt},
        {-2147483647 - 1, -1, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(stepValue(c.current, c.step), c.expected) << c.current << " step " << c.step;
}

}  // namespace
