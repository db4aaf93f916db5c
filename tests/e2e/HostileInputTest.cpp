// Unfriendly installations: program-files roots of odd shapes set through the
// registry, product folders that are files, and paths beyond MAX_PATH. The
// launcher must follow them or fail with its own messages, never crash or
// cut a path short.
#include "tests/e2e/LauncherDriver.h"
#include "tests/support/Files.h"
#include "tests/support/MessageBoxes.h"
#include "tests/support/Slots.h"
#include "tests/support/StubReport.h"
#include "tests/support/Text.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

using e2e::Launcher;

constexpr const wchar_t* kCurrentVersion = L"Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const wchar_t* kNativeValue = L"ProgramFilesDir";
constexpr const wchar_t* kX86Value = L"ProgramFilesDir (x86)";

// Sets one string value under HKLM\...\CurrentVersion in one registry view
// (32- or 64-bit) and puts the old one back (or deletes it) when the object
// goes, whatever way the test ends.
class RegistryValueOverride {
public:
    RegistryValueOverride(REGSAM view, const wchar_t* name, const std::wstring& value) : name_(name)
    {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, KEY_QUERY_VALUE | KEY_SET_VALUE | view, &key_) !=
            ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        wchar_t old[1024];
        DWORD size = sizeof old;
        if (RegQueryValueExW(key_, name_, nullptr, &oldType_, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS)
            old_ = std::wstring(old, size / sizeof(wchar_t)).c_str();
        set_ = RegSetValueExW(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    ~RegistryValueOverride()
    {
        if (!key_)
            return;
        if (old_)
            RegSetValueExW(key_, name_, 0, oldType_, reinterpret_cast<const BYTE*>(old_->c_str()),
                           static_cast<DWORD>((old_->size() + 1) * sizeof(wchar_t)));
        else
            RegDeleteValueW(key_, name_);
        RegCloseKey(key_);
    }
    RegistryValueOverride(const RegistryValueOverride&) = delete;
    RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

    bool set() const { return set_; }

private:
    const wchar_t* name_;
    HKEY key_ = nullptr;
    DWORD oldType_ = REG_SZ;
    std::optional<std::wstring> old_;
    bool set_ = false;
};

std::wstring specialFolder(int csidl)
{
    wchar_t folder[MAX_PATH] = L"";
    SHGetSpecialFolderPathW(nullptr, folder, csidl, FALSE);
    return folder;
}

// Both roots overridden in both registry views, so a 32-bit and a 64-bit
// launcher see them alike. A test that cannot set them fails: nothing here
// would be tested otherwise.
class Roots {
public:
    Roots(const std::wstring& x86, const std::wstring& native) : x86_(x86), native_(native)
    {
        for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
            overrides_.push_back(std::make_unique<RegistryValueOverride>(view, kX86Value, x86));
            overrides_.push_back(std::make_unique<RegistryValueOverride>(view, kNativeValue, native));
        }
    }

    // Why the override did not take, or nothing when it did.
    std::optional<std::string> problem() const
    {
        for (const auto& value : overrides_)
            if (!value->set())
                return std::string("the registry value could not be set");
        const std::wstring x86 = specialFolder(CSIDL_PROGRAM_FILESX86);
        const std::wstring native = specialFolder(CSIDL_PROGRAM_FILES);
        if (x86 != x86_ || native != native_)
            return "the program-files folder query answers " + narrow(x86) + " and " + narrow(native);
        return std::nullopt;
    }

private:
    std::wstring x86_;
    std::wstring native_;
    std::vector<std::unique_ptr<RegistryValueOverride>> overrides_;
};

#define REQUIRE_ROOTS(roots) ASSERT_EQ((roots).problem(), std::nullopt)

// A folder tree removed when the test ends.
struct TreeGuard {
    explicit TreeGuard(std::wstring top) : path(std::move(top)) { removeTree(path); }
    ~TreeGuard() { removeTree(path); }
    std::wstring path;
};

// Clicks a launch button and returns the stub's command line, or the text of
// the message box the launcher showed instead.
struct Outcome {
    std::optional<std::wstring> commandLine;
    std::optional<CaughtMessageBox> box;
};

Outcome clickAndSee(const Launcher& launcher, int buttonId, const std::wstring& exe)
{
    discardReport(exe);
    // Sent as the button's notification: a disabled row's button still counts here.
    PostMessageW(launcher.dialog(), WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(launcher.control(buttonId)));
    Outcome outcome;
    waitUntil([&] {
        if (auto report = readReport(exe))
            outcome.commandLine = report->commandLine;
        else
            outcome.box = takeMessageBox(launcher.dialog(), 0);
        return outcome.commandLine || outcome.box;
    });
    return outcome;
}

TEST(HostileInput, OddRootsAreFollowedAndLaunchedVerbatim)
{
    const struct {
        const char* what;
        std::wstring x86Root;
        std::wstring nativeRoot;
        std::wstring expectedExe;  // where the launcher must find slot 1
    } cases[] = {
        // No product folder under either root: the native text is cut before " (x86)".
        {"native root with (x86) inside", L"C:\\Nowhere x86", L"C:\\Apps (x86)\\Programs",
         L"C:\\Apps\\Kestrova\\Larkspur\\larkspur.exe"},
        {"non-ASCII root", L"C:\\Progr\u00e4mme \u00e9t\u00e9 \u7a0b\u5e8f", L"C:\\Nowhere",
         L"C:\\Progr\u00e4mme \u00e9t\u00e9 \u7a0b\u5e8f\\Kestrova\\Larkspur\\larkspur.exe"},
        // Joined as given: the separator is doubled.
        {"root ending in a backslash", L"C:\\Trailing Root\\", L"C:\\Nowhere",
         L"C:\\Trailing Root\\\\Kestrova\\Larkspur\\larkspur.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Roots roots(c.x86Root, c.nativeRoot);
        REQUIRE_ROOTS(roots);
        const std::wstring top = c.expectedExe.substr(0, c.expectedExe.find(L"\\Kestrova"));
        TreeGuard tree(top.back() == L'\\' ? top.substr(0, top.size() - 1) : top);
        const std::wstring exe = c.expectedExe;
        ASSERT_TRUE(plantStub(exe));

        Launcher launcher(Launcher::Edition::Customer);
        ASSERT_NE(launcher.dialog(), nullptr);
        EXPECT_TRUE(launcher.waitEnabled(slot(1).buttonId, true));
        EXPECT_FALSE(launcher.enabled(slot(2).buttonId));
        const Outcome outcome = clickAndSee(launcher, slot(1).buttonId, exe);
        ASSERT_TRUE(outcome.commandLine.has_value()) << (outcome.box ? narrow(outcome.box->text) : "nothing happened");
        EXPECT_EQ(*outcome.commandLine, exe);
    }
}

TEST(HostileInput, ProductFolderThatIsAFileKeepsTheSearchThereAndReportsTheBetaPath)
{
    const std::wstring root = L"C:\\Hostile Files";
    Roots roots(root, L"C:\\Nowhere");
    REQUIRE_ROOTS(roots);
    TreeGuard tree(root);
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\Kestrova").c_str(), nullptr);
    const std::wstring file = root + L"\\Kestrova\\Larkspur";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);

    Launcher launcher(Launcher::Edition::Customer);
    ASSERT_NE(launcher.dialog(), nullptr);
    // Another product installed now shows once a refresh has run since: that
    // refresh looked at this row as well.
    ASSERT_TRUE(plantStub(root + L"\\Kestrova\\Marrowby\\marrowby.exe"));
    ASSERT_TRUE(launcher.waitEnabled(slot(2).buttonId, true));
    EXPECT_FALSE(launcher.enabled(slot(1).buttonId));
    const Outcome outcome = clickAndSee(launcher, slot(1).buttonId, root + L"\\Kestrova\\Larkspur\\larkspur.exe");
    ASSERT_TRUE(outcome.box.has_value());
    EXPECT_EQ(outcome.box->text, L"The file " + root + L"\\Kestrova\\Larkspur Beta\\larkspur.exe does not exist");
    EXPECT_TRUE(IsWindow(launcher.dialog()));
}

// Beyond MAX_PATH the launcher either starts the product at its full path or
// names the full path in one of its two messages; it never cuts it short.
TEST(HostileInput, PathsLongerThanMaxPathFailCleanlyOrLaunchWhole)
{
    std::wstring root = L"C:\\Long";
    while (root.size() < 230)
        root += L"\\segment-of-a-long-root";
    Roots roots(root, L"C:\\Nowhere");
    REQUIRE_ROOTS(roots);
    TreeGuard tree(L"C:\\Long");
    const std::wstring exe = root + L"\\Kestrova\\Nettlecombe\\nettlecombe.exe";
    ASSERT_TRUE(plantStub(exe));
    const std::wstring folderExe = root + L"\\Kestrova\\Orrin\\orrin.exe";
    ASSERT_TRUE(createFolders(folderExe));  // the "executable" is a folder
    ASSERT_GT(exe.size(), static_cast<std::size_t>(MAX_PATH));

    Launcher launcher(Launcher::Edition::Customer);
    ASSERT_NE(launcher.dialog(), nullptr);
    for (const auto& [buttonId, path] : {std::make_pair(slot(4).buttonId, exe), std::make_pair(slot(6).buttonId, folderExe)}) {
        SCOPED_TRACE(narrow(path.substr(path.rfind(L'\\'))));
        const Outcome outcome = clickAndSee(launcher, buttonId, path);
        ASSERT_TRUE(outcome.commandLine || outcome.box) << "neither a launch nor a message";
        std::printf("%s\n", outcome.commandLine ? "launched" : narrow(outcome.box->text).c_str());
        if (outcome.commandLine) {
            EXPECT_EQ(*outcome.commandLine, path);
        } else {
            const std::wstring& text = outcome.box->text;
            EXPECT_TRUE(text == L"The file " + path + L" does not exist" || text == L"Failed to launch application " + path)
                << narrow(text);
        }
        EXPECT_TRUE(IsWindow(launcher.dialog()));
    }
}

}  // namespace
