// The program-files folder queries as the launch layer makes them, seen by a
// stand-in in the import table: a failing query cannot be had from the system.
#include "launch/ProductLaunch.h"
#include "launch/WindowsInstallQueries.h"
#include "tests/support/ImportReplacement.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

struct FolderQuery {
    int csidl;
    BOOL create;
    std::wstring bufferOnEntry;
};
std::vector<FolderQuery> folderQueries;
std::map<int, std::wstring> folderAnswers;  // a folder without an answer: the query fails, writing nothing

BOOL WINAPI answerFolder(HWND, LPWSTR path, int csidl, BOOL create)
{
    folderQueries.push_back({csidl, create, path});
    const auto answer = folderAnswers.find(csidl);
    if (answer == folderAnswers.end())
        return FALSE;
    std::wcscpy(path, answer->second.c_str());
    return TRUE;
}

TEST(WindowsInstallQueries, EachQueryStartsFromTheTextItIsHandedAndKeepsItWhenTheQueryFails)
{
    const ImportReplacement replacement("SHELL32.dll", "SHGetSpecialFolderPathW", &answerFolder);
    ASSERT_TRUE(replacement.active());
    folderQueries.clear();
    folderAnswers = {{CSIDL_PROGRAM_FILESX86, L"Q:\\Programs (x86)"}};
    WindowsInstallQueries queries;

    std::wstring buffer = L"C:\\Earlier";
    queries.queryProgramFilesFolder(ProgramFilesKind::X86, buffer);
    EXPECT_EQ(buffer, L"Q:\\Programs (x86)");
    queries.queryProgramFilesFolder(ProgramFilesKind::Native, buffer);
    EXPECT_EQ(buffer, L"Q:\\Programs (x86)") << "a failed query keeps the earlier text";

    ASSERT_EQ(folderQueries.size(), 2u);
    EXPECT_EQ(folderQueries[0].csidl, CSIDL_PROGRAM_FILESX86);
    EXPECT_EQ(folderQueries[0].bufferOnEntry, L"C:\\Earlier");
    EXPECT_EQ(folderQueries[1].csidl, CSIDL_PROGRAM_FILES);
    EXPECT_EQ(folderQueries[1].bufferOnEntry, L"Q:\\Programs (x86)");
    for (const FolderQuery& query : folderQueries)
        EXPECT_FALSE(query.create);

    // The launcher's own resolution: the native query fails, so the x86 text is cut.
    EXPECT_EQ(getProductExePath(kProductSlots[2]), L"Q:\\Programs\\Kestrova\\Marrowby x64 Beta\\marrowby_x64.exe");
}

}  // namespace
