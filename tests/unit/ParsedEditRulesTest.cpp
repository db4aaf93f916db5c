#include "ui/ParsedEditRules.h"

#include <gtest/gtest.h>

#include <bitset>
#include <string>

namespace {

// The acceptance table written out character by character.
const std::string kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
const std::string kDigits = "0123456789";
const std::string kHex = "0123456789ABCDEFabcdef";
const std::string kAsciiPrintable =
    " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
const std::string kPathAscii =
    " !#$%&'()*+,-./0123456789:;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{}~\x7f";

struct Row {
    std::string ascii;  // accepted characters from U+0020 to U+007F
    bool aboveAscii;    // U+0080 and up accepted
    bool wildcard;      // '*' while wildcards are allowed
};

Row rowOf(unsigned style)
{
    const Row none{"", false, false};
    const Row path{kPathAscii, true, false};
    switch (style) {
    case 0: return none;
    case 1: return {kLetters + kDigits, false, false};
    case 2: return {kLetters + kDigits + "?- ", false, false};
    case 3: return {kDigits, false, false};
    case 4: return {kDigits + "%", false, false};
    case 5: return {kDigits + "%*", false, false};
    case 6: return {kDigits + "%*,", false, false};
    case 7: return {kDigits + ",", false, false};
    case 8: return {kDigits + "-", false, false};
    case 9: return {kHex + "#x", false, false};
    case 10: return {kDigits + ".", false, false};
    case 11: return {kDigits + ".-", false, false};
    case 12: return {kLetters, false, false};
    case 13: case 14: case 15: case 16: case 17: case 25: case 28: case 32: case 35: case 38:
    case 41: case 44: case 52: case 53: case 54: case 55: case 56: case 57: case 58:
        return path;
    case 18: return {kLetters + kDigits + "_", false, false};
    case 19: return {"01", false, false};
    case 20: return {"TRUEFALStruefals", false, false};
    case 21: case 46: return {kLetters + kDigits + "._`<>$", false, true};
    case 22: case 47: return {kLetters + kDigits + "_`<>$", false, true};
    case 23: case 26: case 30: case 33: case 36: case 39: case 42:
        return {kLetters + kDigits + "._<>$?", false, true};
    case 24: case 27: case 31: case 34: case 37: case 40: case 43:
        return {kLetters + kDigits + "_?", false, true};
    case 29: return {kLetters + kDigits + "_:", false, true};
    case 45: return {kAsciiPrintable + "\x7f", true, false};
    case 48: return {kLetters + kDigits + "!#$%&*+-./=?@\\^_`{|}~ \"", false, false};
    case 49: return {kDigits + " +", false, false};
    case 50: return {kLetters + kDigits + "-.", false, false};
    case 51: return {kAsciiPrintable.substr(1) + "\x7f", false, false};
    default: return none;  // 59 and above
    }
}

TEST(ParsedEditRules, EveryStyleAgainstEveryUtf16UnitMatchesTheTable)
{
    for (unsigned style = 0; style <= 60; ++style) {
        const Row row = rowOf(style);
        std::bitset<0x80> ascii;
        for (char c : row.ascii)
            ascii.set(static_cast<unsigned char>(c));
        for (bool wildcards : {false, true}) {
            int mismatches = 0;
            for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
                bool expected;
                if (unit < 0x20)
                    expected = true;  // control characters: every style
                else if (unit >= 0x80)
                    expected = row.aboveAscii;
                else
                    expected = ascii.test(unit) || (unit == '*' && row.wildcard && wildcards);
                const bool actual = IsCharAllowed(style, static_cast<wchar_t>(unit), wildcards);
                if (actual != expected && ++mismatches <= 3)
                    ADD_FAILURE() << "style " << style << " U+" << std::hex << unit << std::dec
                                  << " wildcards " << wildcards << ": got " << actual;
            }
            EXPECT_EQ(mismatches, 0) << "style " << style << " wildcards " << wildcards;
        }
    }
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
