// Unfriendly installations: program-files roots of odd shapes set through the
// registry, product folders that are files, and paths beyond MAX_PATH. The
// launcher must follow them or fail with its own messages, never crash or
// cut a path short.
#include "tests/e2e/LauncherDriver.h"
#include "launch/ProductCatalogue.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <optional>

namespace {

using e2e::Installation;
using e2e::Launcher;

const ProductSlot& slot(int number) { return kProductSlots[static_cast<std::size_t>(number - 1)]; }

std::string narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

constexpr const wchar_t* kCurrentVersion = L"Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const wchar_t* kNativeValue = L"ProgramFilesDir";
constexpr const wchar_t* kX86Value = L"ProgramFilesDir (x86)";

// Sets one string value under HKLM\...\CurrentVersion and puts the old one
// back (or deletes it) when the object goes, whatever way the test ends.
class RegistryValueOverride {
public:
    RegistryValueOverride(const wchar_t* name, const std::wstring& value) : name_(name)
    {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kCurrentVersion, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) !=
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

// Both roots overridden; skips when the platform's folder query does not
// follow the registry, since nothing here could then be tested.
struct Roots {
    Roots(const std::wstring& x86, const std::wstring& native) : x86Root(kX86Value, x86), nativeRoot(kNativeValue, native) {}
    RegistryValueOverride x86Root;
    RegistryValueOverride nativeRoot;
};

#define REQUIRE_ROOTS(roots, x86, native)                                                              \
    ASSERT_TRUE((roots).x86Root.set() && (roots).nativeRoot.set()) << "registry not writable";          \
    if (specialFolder(CSIDL_PROGRAM_FILESX86) != (x86) || specialFolder(CSIDL_PROGRAM_FILES) != (native)) \
    GTEST_SKIP() << "the program-files folder query does not follow the registry here"

// Creates every folder of `path` (long paths included) and copies the stub there.
std::wstring plantAt(const std::wstring& exePath)
{
    // The long form takes the path literally: a doubled separator must go.
    std::wstring longForm = L"\\\\?\\" + exePath;
    for (std::size_t at; (at = longForm.find(L"\\\\", 4)) != std::wstring::npos;)
        longForm.erase(at, 1);
    for (std::size_t at = longForm.find(L'\\', 7); at != std::wstring::npos; at = longForm.find(L'\\', at + 1))
        CreateDirectoryW(longForm.substr(0, at).c_str(), nullptr);
    CopyFileW((e2e::binFolder() + L"\\stub_product.exe").c_str(), longForm.c_str(), FALSE);
    return exePath;
}

void removeTree(const std::wstring& path)
{
    const std::wstring longForm = L"\\\\?\\" + path;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((longForm + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path + L"\\" + name);
            else
                DeleteFileW((longForm + L"\\" + name).c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(longForm.c_str());
    DeleteFileW(longForm.c_str());
}

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
    std::optional<e2e::SeenMessageBox> box;
};

Outcome clickAndSee(const Launcher& launcher, int buttonId, const std::wstring& exe)
{
    e2e::discardReport(exe);
    // Sent as the button's notification: a disabled row's button still counts here.
    PostMessageW(launcher.dialog(), WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(launcher.control(buttonId)));
    Outcome outcome;
    e2e::waitUntil([&] {
        if (auto report = e2e::waitForReport(exe, 0))
            outcome.commandLine = report->commandLine;
        else
            outcome.box = e2e::takeMessageBox(launcher.dialog(), 0);
        return outcome.commandLine || outcome.box;
    }, 10000);
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
        REQUIRE_ROOTS(roots, c.x86Root, c.nativeRoot);
        const std::wstring top = c.expectedExe.substr(0, c.expectedExe.find(L"\\Kestrova"));
        TreeGuard tree(top.back() == L'\\' ? top.substr(0, top.size() - 1) : top);
        const std::wstring exe = plantAt(c.expectedExe);

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
    REQUIRE_ROOTS(roots, root, L"C:\\Nowhere");
    TreeGuard tree(root);
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\Kestrova").c_str(), nullptr);
    const std::wstring file = root + L"\\Kestrova\\Larkspur";
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);

    Launcher launcher(Launcher::Edition::Customer);
    ASSERT_NE(launcher.dialog(), nullptr);
    Sleep(300);  // a few refresh periods
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
    REQUIRE_ROOTS(roots, root, L"C:\\Nowhere");
    TreeGuard tree(L"C:\\Long");
    const std::wstring exe = plantAt(root + L"\\Kestrova\\Nettlecombe\\nettlecombe.exe");
    const std::wstring folderExe = root + L"\\Kestrova\\Orrin\\orrin.exe";
    plantAt(folderExe + L"\\inside");  // the "executable" is a folder
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
