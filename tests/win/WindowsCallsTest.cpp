// The arguments the launch layer hands its Windows calls, seen by stand-ins
// in the import table: where the real calls' effects cannot be seen here
// (a failing folder query, an elevation prompt).
#include "launch/WindowsInstallQueries.h"
#include "launch/WindowsToolPlatform.h"
#include "tests/support/Files.h"
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

struct ShellStart {
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
    int show;
};
std::vector<ShellStart> shellStarts;

HINSTANCE WINAPI recordShellStart(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR, INT show)
{
    shellStarts.push_back({verb ? verb : L"", file ? file : L"", parameters ? parameters : L"", show});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));  // started
}

TEST(WindowsToolPlatform, ElevatedStartsAskTheShellForRunas)
{
    const TempFolder temp(L"tools");
    const std::wstring tool = temp.path() + L"\\Tool Dir\\tool.exe";
    ASSERT_TRUE(plantStub(tool));
    const ImportReplacement replacement("SHELL32.dll", "ShellExecuteW", &recordShellStart);
    ASSERT_TRUE(replacement.active());
    shellStarts.clear();
    WindowsToolPlatform platform;

    EXPECT_EQ(platform.shellExecuteRunas(tool), 42);
    RunToolElevated(platform, tool);  // this system supports elevation
    RunToolAlwaysElevated(platform, tool);

    ASSERT_EQ(shellStarts.size(), 3u);
    for (const ShellStart& start : shellStarts) {
        EXPECT_EQ(start.verb, L"runas");
        EXPECT_EQ(start.file, tool);
        EXPECT_EQ(start.parameters, L"");
        EXPECT_EQ(start.show, SW_SHOWNORMAL);
    }
}

}  // namespace
