// Drives the real launcher executables from outside, as a user would: window
// messages to its controls, stub products planted under the program-files
// folders, and the stubs' reports read back.
#pragma once

#include "tests/support/StubReport.h"
#include "tests/support/Wait.h"

#include <optional>
#include <string>
#include <vector>

namespace e2e {

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
    bool waitEnabled(int id, bool expected, DWORD timeoutMs = kEventTimeoutMs) const;

    void selectMode(int comboId, int position) const;  // as a user's pick: CB_SETCURSEL, then CBN_SELCHANGE
    void setCheck(int checkId, bool checked) const;
    void click(int buttonId) const;  // posted, since a click may open a modal box
    // Clicks the slot's launch button; the report of the stub at `exe`, nothing when none came.
    std::optional<StubReport> launch(int slotNumber, const std::wstring& exe, DWORD timeoutMs = kEventTimeoutMs) const;

    // The launcher's own modal windows, owned by its dialog; nullptr when none showed.
    HWND openAbout(WPARAM command, DWORD timeoutMs = kEventTimeoutMs) const;  // a system command
    HWND openTools(DWORD timeoutMs = kEventTimeoutMs) const;
    HWND openFileDialog(int browseButtonId, DWORD timeoutMs = kEventTimeoutMs) const;  // its file name field shown
    // Presses Browse, answers the file dialog with `name` and returns once the
    // click's handling has ended; false when no file dialog showed. `classic`,
    // if given, tells whether it was the classic dialog.
    bool browse(int browseButtonId, const std::wstring& name, DWORD timeoutMs = kEventTimeoutMs,
                bool* classic = nullptr) const;
    bool waitForExit(DWORD timeoutMs = kEventTimeoutMs) const;
    DWORD processId() const { return process_.dwProcessId; }

private:
    void start(Edition edition, const std::wstring& folder, const std::wstring& arguments, DWORD startMs);

    PROCESS_INFORMATION process_{};
    HWND dialog_ = nullptr;
};

// Presses `buttonId` of another process's dialog (posted); true once the dialog is gone.
bool closeWith(HWND dialog, int buttonId, DWORD timeoutMs = kEventTimeoutMs);
// Types `name` into the file dialog's name field and presses Open.
void chooseFile(HWND fileDialog, const std::wstring& name);
// Presses `button` and waits for its click to be handled: false when the
// handling did not return within `timeoutMs`, i.e. it left a modal window open.
bool clickReturns(HWND button, DWORD timeoutMs = kEventTimeoutMs);

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
    // Copies the stub to `exePath`, an absolute path holding "\Kestrova\" (a tool's, say); returns it.
    std::wstring plantAt(const std::wstring& exePath);
    void remove(const std::wstring& exePath);

private:
    // The executable's path; its root is cleared when the object goes.
    std::wstring claim(const std::wstring& root, const std::wstring& productFolder, const std::wstring& exeName);

    std::vector<std::wstring> roots_;
};

}  // namespace e2e
