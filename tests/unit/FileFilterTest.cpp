#include "ui/FileFilter.h"

#include <gtest/gtest.h>

namespace {

TEST(FindFilterIndex, NumbersPatternListsAndMatchesTheLastExtension)
{
    struct Case {
        const wchar_t* filter;
        const wchar_t* extension;
        unsigned long expected;
    };
    const Case cases[] = {
        {L"Auto Test Files (*.noxatc)|*.noxatc||", L"noxatc", 1},
        {L"Auto Test Files (*.noxatc)|*.noxatc||", L"NOXATC", 1},
        {L"Auto Test Files (*.NoxAtc)|*.NoxAtc||", L"noxatc", 1},
        {L"Text (*.txt)|*.txt|Auto Test Files (*.noxatc)|*.noxatc||", L"noxatc", 2},
        {L"Text (*.txt)|*.txt;*.log|All (*.*)|*.*||", L"log", 1},
        {L"Text (*.txt)|;;*.txt;;|Logs (*.log)|*.log||", L"log", 2},   // empty patterns dropped
        {L"||Logs (*.log)||*.log||", L"log", 1},                        // empty pieces dropped
        {L"Archives (*.tar.gz)|*.tar.gz||", L"gz", 1},                  // text after the last "."
        {L"Archives (*.tar.gz)|*.tar.gz||", L"tar.gz", 0},
        {L"Auto Test Files (*.noxatc)|*.noxatc||", L"noxat", 0},        // whole text, not a prefix
        {L"Auto Test Files (*.noxatc)|*.noxatcx||", L"noxatc", 0},
        {L"All (*.*)|*||", L"noxatc", 0},                               // "*" has no extension
        {L"Odd (x)|name.||", L"", 0},                                   // empty extension matches nothing
        {L"", L"noxatc", 0},
        {L"Text|*.txt||", L"txt", 2},  // a description without "(" counts as a pattern list
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindFilterIndex(c.filter, c.extension), c.expected)
            << "filter \"" << testing::PrintToString(std::wstring(c.filter)) << "\" extension "
            << testing::PrintToString(std::wstring(c.extension));
}

}  // namespace
