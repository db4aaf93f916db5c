// The arguments the launch layer hands its Windows calls, seen by stand-ins
// in the import table: where the real calls' effects cannot be seen here
// (a failing folder query, an elevation prompt).
#include "launch/ProductLaunch.h"
#include "launch/WindowsInstallQueries.h"
#include "launch/WindowsToolPlatform.h"
#include "tests/support/Files.h"
#include "tests/support/ImportReplacement.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/StubReport.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <map>
#include <string>
#include <type_traits>
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

// What a process start asks of the system besides the program: creation flags,
// handle inheritance, its own environment and the start-up information. Seen
// here rather than in the started stub because a windowed program shows no
// sign of a console flag: the system gives it no console either way.
std::vector<std::wstring> processStarts;
decltype(&CreateProcessW) realCreateProcess = nullptr;

BOOL WINAPI recordProcessStart(LPCWSTR application, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                               LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags, LPVOID environment,
                               LPCWSTR folder, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION created)
{
    processStarts.push_back(L"creation flags " + std::to_wstring(flags) + L", inherit " + std::to_wstring(inherit) +
                            (environment ? L", own environment" : L"") + L", start-up flags " +
                            std::to_wstring(startup->dwFlags) + L", show " + std::to_wstring(startup->wShowWindow));
    return realCreateProcess(application, commandLine, processAttributes, threadAttributes, inherit, flags,
                             environment, folder, startup, created);
}

TEST(DetachedStart, ProductsAndPlainToolsAreShownWithoutCreationFlagsOrInheritedHandles)
{
    const TempFolder temp(L"starts");
    const std::wstring product = temp.path() + L"\\product.exe";
    const std::wstring tool = temp.path() + L"\\tool.exe";
    ASSERT_TRUE(plantStub(product) && plantStub(tool));
    const ImportReplacement replacement("KERNEL32.dll", "CreateProcessW", &recordProcessStart);
    ASSERT_TRUE(replacement.active());
    realCreateProcess = replacement.original<std::remove_pointer_t<decltype(realCreateProcess)>>();
    processStarts.clear();

    {
        const MessageBoxCatcher catcher;  // a failed launch must not hang the run
        launchProduct(nullptr, product, 0, 0);  // no dialog: no mode box, nothing checked
        EXPECT_TRUE(catcher.caught().empty());
    }
    WindowsToolPlatform platform;
    RunTool(platform, tool);
    EXPECT_TRUE(waitForReport(product).has_value() && waitForReport(tool).has_value());

    const std::wstring shownDetached = L"creation flags 0, inherit 0, start-up flags 1, show 5";
    EXPECT_EQ(processStarts, (std::vector<std::wstring>{shownDetached, shownDetached}));
}

}  // namespace
