// The shipped 32-bit programs, driven from outside, in the two prefixes that
// only these tests make. Under WOW64 on 64-bit Windows they are the whole
// windows-x86 suite's subject; here the systems that suite cannot be:
//
// On 32-bit Windows (X86Smoke32BitWindows, in a prefix made as 32-bit
// Windows, with the 32-bit stub as products) there is no WOW64 and no
// "C:\Program Files (x86)": the x86 program-files query
// (CSIDL_PROGRAM_FILESX86) answers "C:\Program Files", the same folder as the
// native one, so x86 products are found there at the first probe.
//
// As on XP (X86SmokeXp, likewise, in a prefix made as 32-bit Windows that
// answers version 5.1 and offers no item-based file dialog: its creation fails
// as on XP, so Browse takes the classic dialog) one developer edition shows its
// rows, Browses twice, its About box and Tools dialog, and ends.
//
// NOX_X86_BIN names the folder of the 32-bit build's executables. The waits
// bound failures, not the pace: a busy machine may take many seconds to start
// a program in a fresh prefix.
#include "launch/ProductCatalogue.h"
#include "launch/ToolTable.h"
#include "tests/e2e/LauncherDriver.h"
#include "tests/e2e/ProcessProbe.h"
#include "tests/support/Environment.h"
#include "tests/support/Files.h"
#include "tests/support/Slots.h"
#include "tests/support/StubReport.h"
#include "tests/support/Text.h"
#include "tests/support/WindowQuery.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

namespace {

using e2e::Installation;
using e2e::Launcher;
using Variables = std::map<std::wstring, std::wstring>;

constexpr DWORD kStartMs = 300000;
constexpr DWORD kSlowMs = 120000;

// NOX_X86_SHIPPED, where set, names the folder of the programs as packed for release
// (signed, in scripts/test), which take the place of the build's own.
std::wstring x86Folder()
{
    const auto shipped = environmentVariable(L"NOX_X86_SHIPPED");
    return shipped && !shipped->empty() ? *shipped : environmentVariable(L"NOX_X86_BIN").value_or(L"");
}

// The executables under test must be the 32-bit build's: checked before anything starts.
::testing::AssertionResult is32BitProgram(const std::wstring& exe)
{
    DWORD kind = 0;
    if (!GetBinaryTypeW(exe.c_str(), &kind))
        return ::testing::AssertionFailure() << narrow(exe) << " is missing (build the windows-x86 preset)";
    if (kind != SCS_32BIT_BINARY)
        return ::testing::AssertionFailure() << narrow(exe) << " is not a 32-bit program";
    return ::testing::AssertionSuccess();
}

std::wstring programFilesFolder(int csidl)
{
    wchar_t folder[MAX_PATH] = L"";
    SHGetSpecialFolderPathW(nullptr, folder, csidl, FALSE);
    return folder;
}

// Expects exactly the rows of `installed` enabled, waiting for the first refreshes.
void expectOnlyRowsEnabled(const Launcher& launcher, const std::vector<int>& installed, int slotCount)
{
    for (int number : installed)
        EXPECT_TRUE(launcher.waitEnabled(slot(number).buttonId, true, kSlowMs)) << "row " << number;
    for (int number = 1; number <= slotCount; ++number) {
        if (std::find(installed.begin(), installed.end(), number) == installed.end()) {
            EXPECT_FALSE(launcher.enabled(slot(number).buttonId)) << "row " << number;
        }
    }
}

// The file dialog (the item-based one, reached through COM, or the classic
// one): the chosen file's full path lands in the field, the row is refreshed,
// and the next dialog opens in that file's folder, where a bare name lands.
void browseChoosesAFileAndRemembersItsFolder(const Launcher& developer, const ProductSlot& row, bool classic)
{
    const TempFolder suite(L"nox x86 suite ");
    const std::wstring chosen = suite.path() + L"\\Run One.noxatc";
    ASSERT_TRUE(writeFile(chosen, "auto test\n"));
    const HWND field = developer.control(row.autoTestEditId);

    bool shownClassic = !classic;
    ASSERT_TRUE(developer.browse(row.browseButtonId, chosen, kSlowMs, &shownClassic))
        << "no file dialog owned by the launcher";
    EXPECT_EQ(shownClassic, classic) << "the classic dialog";
    EXPECT_EQ(windowText(field), chosen);
    for (int id : {row.buttonId, row.modeComboId, row.injectCheckId, row.autoTestEditId, row.browseButtonId})
        EXPECT_TRUE(developer.enabled(id)) << "control " << id << " after Browse";

    ASSERT_TRUE(developer.browse(row.browseButtonId, L"second.noxatc", kSlowMs)) << "no second file dialog";
    EXPECT_EQ(windowText(field), suite.path() + L"\\second.noxatc");
}

void aboutOpensAndCloses(const Launcher& developer)
{
    const HWND about = developer.openAbout(IDM_ABOUTBOX, kSlowMs);
    ASSERT_NE(about, nullptr) << "no About box owned by the launcher";
    EXPECT_TRUE(e2e::closeWith(about, IDOK, kSlowMs)) << "the About box stays open";
}

// The first tool of `kind` whose executable is not `otherExe`.
const ToolButton& toolOfKind(ToolLaunchKind kind, const std::wstring& otherExe = L"")
{
    return *std::find_if(kToolButtons.begin(), kToolButtons.end(),
                         [&](const ToolButton& tool) { return tool.kind == kind && tool.exePath != otherExe; });
}

struct PlantedTools {
    const ToolButton& plain = toolOfKind(ToolLaunchKind::Plain);
    const ToolButton& elevated = toolOfKind(ToolLaunchKind::ElevatedWhenSupported);
    const ToolButton& always = toolOfKind(ToolLaunchKind::AlwaysElevated);
    // Never planted.
    const ToolButton& missingPlain = toolOfKind(ToolLaunchKind::Plain, plain.exePath);
    const ToolButton& missingElevated = toolOfKind(ToolLaunchKind::ElevatedWhenSupported, elevated.exePath);

    explicit PlantedTools(Installation& disk)
    {
        for (const ToolButton* tool : {&plain, &elevated, &always})
            disk.plantAt(tool->exePath);
    }
};

// The Tools dialog with its buttons; one tool of each kind started, a missing
// one of each kind that tests for it starting nothing; the launcher's rows
// go on following the disk under it (`planted` is installed once it is open).
void toolsStartEachKind(const Launcher& developer, Installation& disk, const PlantedTools& tools,
                        const std::wstring& root, const ProductSlot& planted)
{
    const HWND dialog = developer.openTools(kSlowMs);
    ASSERT_NE(dialog, nullptr) << "no Tools dialog owned by the launcher";
    disk.plant(root, planted.folderName, planted.exeName);
    for (const ToolButton& tool : kToolButtons)
        EXPECT_EQ(windowText(GetDlgItem(dialog, tool.buttonId)), tool.caption);
    EXPECT_EQ(windowText(GetDlgItem(dialog, IDCANCEL)), L"Close");

    const std::wstring plain = tools.plain.exePath;
    discardReport(plain);
    PostMessageW(GetDlgItem(dialog, tools.plain.buttonId), BM_CLICK, 0, 0);
    const auto report = waitForReport(plain, kSlowMs);
    ASSERT_TRUE(report.has_value()) << "the plain tool did not start";
    EXPECT_EQ(report->commandLine, plain);
    EXPECT_EQ(report->folder, folderOf(plain));

    // Wine has no elevation: "runas" starts the program at once, as the shell
    // starts it (the path quoted, the launcher's own folder), where Windows
    // would ask for administrator rights first; at version 5.1 too.
    for (const ToolButton* tool : {&tools.elevated, &tools.always}) {
        const std::wstring path = tool->exePath;
        discardReport(path);
        EXPECT_TRUE(e2e::clickReturns(GetDlgItem(dialog, tool->buttonId), kSlowMs)) << narrow(path);
        const auto started = waitForReport(path, kSlowMs);
        EXPECT_EQ(started.value_or(StubReport{}).commandLine, L"\"" + path + L"\"") << narrow(path) << " as started";
    }

    const std::vector<DWORD> before = e2e::runningProcessIds();
    for (const ToolButton* tool : {&tools.missingPlain, &tools.missingElevated}) {
        ASSERT_EQ(GetFileAttributesW(tool->exePath), INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(e2e::clickReturns(GetDlgItem(dialog, tool->buttonId), kSlowMs)) << narrow(tool->exePath);
    }
    EXPECT_EQ(e2e::processesStartedSince(before), std::vector<DWORD>{}) << "a missing tool started something";

    EXPECT_TRUE(developer.waitEnabled(planted.buttonId, true, kSlowMs)) << "rows stand still under the Tools dialog";
    EXPECT_TRUE(e2e::closeWith(dialog, IDCANCEL, kSlowMs));
    EXPECT_TRUE(developer.enabled(planted.buttonId));
}

TEST(X86Smoke32BitWindows, CustomerEditionFindsX86ProductsUnderProgramFiles)
{
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    ASSERT_EQ(system.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_INTEL) << "this is not 32-bit Windows";
    EXPECT_EQ(programFilesFolder(CSIDL_PROGRAM_FILES), L"C:\\Program Files");
    EXPECT_EQ(programFilesFolder(CSIDL_PROGRAM_FILESX86), L"C:\\Program Files");
    const std::wstring folder = x86Folder();
    ASSERT_FALSE(folder.empty()) << "NOX_X86_BIN names no folder";
    ASSERT_TRUE(is32BitProgram(folder + L"\\noxLauncher.exe"));

    Installation disk;
    const std::wstring x86Exe = disk.plant(Installation::nativeRoot(), slot(6).folderName, slot(6).exeName);

    SetEnvironmentVariableW(L"NOX_SHOW_MESSAGES", L"1");
    Launcher customer(Launcher::Edition::Customer, folder, kStartMs);
    SetEnvironmentVariableW(L"NOX_SHOW_MESSAGES", nullptr);
    ASSERT_NE(customer.dialog(), nullptr) << "no customer dialog";
    expectOnlyRowsEnabled(customer, {6}, 9);

    customer.selectMode(slot(6).modeComboId, 1);  // "Record Full Message Statistics"
    const StubReport report = customer.launch(6, x86Exe, kSlowMs).value_or(StubReport{});
    EXPECT_EQ(report.commandLine, L"C:\\Program Files\\Kestrova\\Orrin\\orrin.exe");
    EXPECT_EQ(report.folder, L"C:\\Program Files\\Kestrova\\Orrin");
    EXPECT_EQ(launchVariablesOf(report), (Variables{{L"NOX_RECORD_FULL_MESSAGE_STATS", L"1"}}));

    PostMessageW(customer.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(customer.waitForExit(kSlowMs)) << "customer edition still running after the system menu's Close";
}

HRESULT itemDialogCreation()
{
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IUnknown* dialog = nullptr;
    const HRESULT result = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                            reinterpret_cast<void**>(&dialog));
    if (dialog)
        dialog->Release();
    if (SUCCEEDED(joined))
        CoUninitialize();
    return result;
}

TEST(X86SmokeXp, DeveloperEditionFindsItsRowsBrowsesClassicallyAndStartsToolsAt51)
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(GetVersionExW(&version));
    ASSERT_EQ(version.dwMajorVersion * 10 + version.dwMinorVersion, 51u) << "this system does not answer as XP";
    ASSERT_EQ(itemDialogCreation(), REGDB_E_CLASSNOTREG) << "the item-based file dialog is still offered";
    const std::wstring folder = x86Folder();
    ASSERT_FALSE(folder.empty()) << "NOX_X86_BIN names no folder";
    ASSERT_TRUE(is32BitProgram(folder + L"\\noxLauncherDev.exe"));

    Installation disk;
    disk.plant(Installation::nativeRoot(), slot(6).folderName, slot(6).exeName);
    const PlantedTools tools(disk);

    const Launcher developer(Launcher::Edition::Developer, folder, kStartMs);
    ASSERT_NE(developer.dialog(), nullptr) << "no developer dialog";
    expectOnlyRowsEnabled(developer, {6}, 11);

    developer.selectMode(slot(6).modeComboId, 1);  // Browse is enabled with a recording mode
    browseChoosesAFileAndRemembersItsFolder(developer, slot(6), true);
    aboutOpensAndCloses(developer);
    toolsStartEachKind(developer, disk, tools, Installation::nativeRoot(), slot(10));

    developer.click(IDCANCEL);  // "Close"
    EXPECT_TRUE(developer.waitForExit(kSlowMs)) << "developer edition still running after Close";
}

}  // namespace
