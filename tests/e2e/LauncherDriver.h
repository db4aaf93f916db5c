// Drives the real launcher executables from outside, as a user would: window
// messages to its controls, stub products planted under the program-files
// folders, and the stubs' reports read back.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

constexpr DWORD kSettleMs = 3000;  // far above the 100 ms refresh period: Wine under load is slow

std::wstring binFolder();  // folder of the running test program and the executables under test
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kSettleMs);
bool launcherIsWow64Build();  // a 32-bit launcher on 64-bit Windows sees x64 rows as runnable

// One running launcher; ended (closed, else terminated) when the object goes.
class Launcher {
public:
    enum class Edition { Customer, Developer };
    explicit Launcher(Edition edition, const std::wstring& arguments = L"");
    // The edition's executable in `folder` (another build's), given `startMs` to show its dialog.
    Launcher(Edition edition, const std::wstring& folder, DWORD startMs);
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    HWND dialog() const { return dialog_; }
    HWND control(int id) const { return GetDlgItem(dialog_, id); }
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    bool waitEnabled(int id, bool expected, DWORD timeoutMs = kSettleMs) const;

    void selectMode(int comboId, int position) const;  // as a user's pick: CB_SETCURSEL, then CBN_SELCHANGE
    void setCheck(int checkId, bool checked) const;
    void click(int buttonId) const;  // posted, since a click may open a modal box
    bool waitForExit(DWORD timeoutMs = kSettleMs) const;
    DWORD processId() const { return process_.dwProcessId; }

private:
    void start(Edition edition, const std::wstring& folder, const std::wstring& arguments, DWORD startMs);

    PROCESS_INFORMATION process_{};
    HWND dialog_ = nullptr;
};

// A top-level dialog window owned by `owner`, or by nobody when `owner` is null,
// with the given caption.
HWND waitForOwnedDialog(HWND owner, const std::wstring& caption, DWORD timeoutMs = kSettleMs);
std::wstring windowText(HWND window);

struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
};
// Waits for a message box owned by `owner`, reads it and dismisses it with OK.
std::optional<SeenMessageBox> takeMessageBox(HWND owner, DWORD timeoutMs = kSettleMs);

struct StubReport {
    std::wstring commandLine;
    std::wstring folder;
    std::map<std::wstring, std::wstring> variables;
};
// The report a stub product writes beside itself when started.
std::optional<StubReport> waitForReport(const std::wstring& exePath, DWORD timeoutMs = kSettleMs);
void discardReport(const std::wstring& exePath);

// Stub products planted under the program-files folders; all removed again
// (with their "Kestrova" folders) when the object goes.
class Installation {
public:
    Installation();
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    static std::wstring x86Root();     // "C:\Program Files (x86)"
    static std::wstring nativeRoot();  // "C:\Program Files"

    // Copies the stub to root\Kestrova\productFolder\exeName; returns that path.
    std::wstring plant(const std::wstring& root, const std::wstring& productFolder, const std::wstring& exeName);
    // A folder where the executable should be.
    std::wstring plantFolderAsExe(const std::wstring& root, const std::wstring& productFolder,
                                  const std::wstring& exeName);
    void remove(const std::wstring& exePath);

private:
    std::vector<std::wstring> roots_;
};

// Saves the whole screen as a BMP file (test artefact).
bool saveScreenshot(const std::wstring& path);
std::wstring artefactFolder();  // NOX_E2E_ARTEFACTS, else the bin folder

}  // namespace e2e
