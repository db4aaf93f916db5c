#include "ui/FolderMemory.h"

#include "framework/PathText.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderMemory, ChosenPathGivesExtensionAndFolderWithoutSeparator)
{
    struct Case {
        const wchar_t* path;
        const wchar_t* key;
        const wchar_t* folder;
    };
    const Case cases[] = {
        {L"d:\\suite\\run.NOXATC", L"NOXATC", L"d:\\suite"},
        {L"C:\\run.noxatc", L"noxatc", L"C:"},
        {L"C:/tests/nightly/run.noxatc", L"noxatc", L"C:/tests/nightly"},
        {L"C:\\mixed/sep\\run.noxatc", L"noxatc", L"C:\\mixed/sep"},
        {L"\\\\server\\share\\run.noxatc", L"noxatc", L"\\\\server\\share"},
        {L"run.noxatc", L"noxatc", L"run.noxatc"},              // no separator: stored whole
        {L"C:\\suite.v2\\run", L"", L"C:\\suite.v2"},           // a dotted folder is no extension
        {L"C:\\suite\\archive.tar.GZ", L"GZ", L"C:\\suite"},
        {L"C:\\suite\\trailing.", L"", L"C:\\suite"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.path)));
        EXPECT_EQ(extensionOfPath(c.path), c.key);
        EXPECT_EQ(folderOfPath(c.path, PathKind::Chosen), c.folder);
    }
}

TEST(FolderMemory, LooksUpCaseInsensitivelyAndReplacesEarlierFolder)
{
    FolderMemory memory;
    EXPECT_FALSE(memory.lookup(L"noxatc").has_value());

    memory.remember(L"NOXATC", L"d:\\suite");
    EXPECT_EQ(memory.lookup(L"noxatc"), L"d:\\suite");
    EXPECT_EQ(memory.lookup(L"NoxAtc"), L"d:\\suite");
    EXPECT_FALSE(memory.lookup(L"txt").has_value());

    memory.remember(L"noxatc", L"e:\\other");
    EXPECT_EQ(memory.lookup(L"noxatc"), L"e:\\other");

    memory.remember(L"txt", L"f:\\notes");
    EXPECT_EQ(memory.lookup(L"noxatc"), L"e:\\other") << "keys are independent";
}

}  // namespace
