// The file dialog that opens on its default extension's filter and in the
// folder last chosen for that extension: the remembered folder as applied,
// and the system's dialog on both of its paths (FileDialogPath).
#include "ui/CIndexedFileDialog.h"

#include "tests/support/Files.h"
#include "tests/win/FileDialogPath.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(CIndexedFileDialog, RemembersFolderAppliesOnlyWhileItExists)
{
    const TempFolder temp(L"memory");
    const std::wstring existing = temp.path();
    const std::wstring gone = temp.path() + L"\\deleted";
    struct Case {
        std::optional<std::wstring> remembered;
        const wchar_t* expectedInitial;  // nullptr: left to the system
    };
    const Case cases[] = {
        {std::nullopt, nullptr},
        {existing, existing.c_str()},
        {gone, nullptr},
        {std::wstring(L"C:"), L"C:\\"},  // a drive root, not the drive's current folder
    };
    for (const auto& c : cases) {
        FolderMemory memory;
        if (c.remembered)
            memory.remember(L"NOXATC", *c.remembered);
        CIndexedFileDialog dialog(TRUE, L"NoxAtc", nullptr, OFN_HIDEREADONLY,
                                  L"Auto Test Files (*.noxatc)|*.noxatc||", nullptr, 0, TRUE, memory);
        dialog.ApplyRememberedFolder();
        if (c.expectedInitial == nullptr)
            EXPECT_EQ(dialog.m_ofn.lpstrInitialDir, nullptr);
        else
            EXPECT_STREQ(dialog.m_ofn.lpstrInitialDir, c.expectedInitial);
        EXPECT_EQ(memory.lookup(L"noxatc"), c.remembered) << "a stale entry stays";
    }
}

using CIndexedFileDialogShown = FileDialogPath;

TEST_P(CIndexedFileDialogShown, SystemDialogOpensOnTheFilterOfTheDefaultExtension)
{
    const TempFolder temp(L"filter");
    CIndexedFileDialog dialog(TRUE, L"log", nullptr, OFN_HIDEREADONLY,
                              L"Text (*.txt)|*.txt|Logs (*.log)|*.log|All (*.*)|*.*||");
    dialog.folderMemoryEnabled = false;
    ASSERT_EQ(dialog.m_ofn.nFilterIndex, 2u);
    const FileDialogAnswer answer(temp.path() + L"\\chosen.log");
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(answer.dialogSeen());
    EXPECT_EQ(dialog.m_ofn.nFilterIndex, 2u) << "the file type the dialog showed when confirmed";
    expectClassicRuns(1);
}

// The default extension completes a name typed without one only where that
// file exists; the folder is remembered under the chosen name's extension, so
// a new bare name leaves the default extension's folder alone.
TEST_P(CIndexedFileDialogShown, BareNameIsCompletedOnlyWhereThatFileExists)
{
    const TempFolder temp(L"bare");
    ASSERT_TRUE(writeFile(temp.path() + L"\\nightly.noxatc", "auto test\n"));
    struct Case {
        const wchar_t* typed;
        std::wstring chosen;
        std::optional<std::wstring> remembered;
    };
    const Case cases[] = {
        {L"run", temp.path() + L"\\run", std::nullopt},
        {L"nightly", temp.path() + L"\\nightly.noxatc", temp.path()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.typed)));
        FolderMemory memory;
        CIndexedFileDialog dialog(TRUE, L"noxatc", nullptr, OFN_HIDEREADONLY,
                                  L"Auto Test Files (*.noxatc)|*.noxatc||", nullptr, 0, TRUE, memory);
        const FileDialogAnswer answer(temp.path() + L"\\" + c.typed);
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetPathName(), c.chosen);
        EXPECT_EQ(memory.lookup(L"noxatc"), c.remembered);
    }
    expectClassicRuns(2);
}

INSTANTIATE_TEST_SUITE_P(FileDialogs, CIndexedFileDialogShown, testing::Bool(), fileDialogPathName);

}  // namespace
