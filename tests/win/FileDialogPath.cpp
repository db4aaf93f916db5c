#include "tests/win/FileDialogPath.h"

#include "tests/support/WindowQuery.h"

#include <commdlg.h>
#include <shobjidl.h>

#include <cwchar>

using namespace std::string_literals;

std::vector<ClassicRun> classicRuns;

namespace {

HRESULT WINAPI createWithoutItemDialogs(REFCLSID kind, LPUNKNOWN outer, DWORD context, REFIID id, LPVOID* object)
{
    if (IsEqualCLSID(kind, CLSID_FileOpenDialog) || IsEqualCLSID(kind, CLSID_FileSaveDialog))
        return REGDB_E_CLASSNOTREG;  // as on XP
    return ExportStandIns::real<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance")(kind, outer, context,
                                                                                              id, object);
}

BOOL WINAPI recordClassicRun(LPOPENFILENAMEW settings)
{
    std::wstring filter;
    for (const wchar_t* piece = settings->lpstrFilter; piece && *piece; piece += std::wcslen(piece) + 1)
        filter += piece + L"\0"s;
    classicRuns.push_back({settings->hwndOwner, settings->lStructSize, filter, settings->nFilterIndex,
                           settings->nMaxFile, settings->Flags,
                           settings->lpstrInitialDir ? std::optional<std::wstring>(settings->lpstrInitialDir)
                                                     : std::nullopt});
    return ExportStandIns::real<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW")(settings);
}

}  // namespace

void FileDialogPath::SetUp()
{
    if (!GetParam())
        exports_.answer("CoCreateInstance", &createWithoutItemDialogs);
    exports_.answer("GetOpenFileNameW", &recordClassicRun);
    ASSERT_TRUE(exports_.active());
    classicRuns.clear();
}

std::string fileDialogPathName(const testing::TestParamInfo<bool>& info)
{
    return info.param ? "ItemDialog" : "ClassicDialog";
}

FileDialogAnswer::FileDialogAnswer(std::optional<std::wstring> name)
    : driver_([this, name] { return step(name); })
{
}

bool FileDialogAnswer::step(const std::optional<std::wstring>& name)
{
    const HWND dialog = findThreadWindow(L"#32770");
    ++ticks_;
    if (dialog == nullptr)
        return answered_ || ticks_ > kGiveUpTicks;
    seen_ = true;
    if (ticks_ > kGiveUpTicks) {
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }
    if (answered_)
        return false;  // waiting for it to close
    const HWND edit = name ? fileNameField(dialog) : nullptr;
    if (name && edit == nullptr)
        return false;
    classic_ = isClassicFileDialog(dialog);
    if (edit != nullptr)
        SetWindowTextW(edit, name->c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(name ? IDOK : IDCANCEL, BN_CLICKED), 0);
    answered_ = true;
    return false;
}
