// The system's file open/save dialog: the item-based dialog where the system
// has it, else the classic one. Settings live in m_ofn as with the classic
// dialog, so derived dialogs may adjust them before DoModal.
#pragma once

#include "framework/Wnd.h"

#include <commdlg.h>

#include <string>
#include <vector>

class CFileDialog {
public:
    // `filter` is "Description|patterns|...||"; `defaultExtension` has no dot.
    explicit CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension = nullptr, LPCWSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr,
                         CWnd* parent = nullptr, DWORD size = 0, BOOL vistaStyle = TRUE);
    virtual ~CFileDialog() = default;
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK with a chosen file, IDCANCEL otherwise (also when no dialog could
    // be shown).
    virtual INT_PTR DoModal();

    // The chosen file's full path; empty before a confirmed choice.
    std::wstring GetPathName() const;
    // Its extension without the dot, as chosen (case kept); empty if none.
    std::wstring GetFileExt() const;
    const std::wstring& GetDefExt() const { return m_defaultExtension; }

    OPENFILENAMEW m_ofn;

private:
    INT_PTR runItemDialog(bool& shown);
    INT_PTR runClassicDialog();

    bool m_open;
    bool m_vistaStyle;
    CWnd* m_parent;
    std::wstring m_defaultExtension;
    std::wstring m_initialFileName;
    std::wstring m_filter;                 // as given, "|"-separated
    std::vector<wchar_t> m_classicFilter;  // NUL-separated, for m_ofn
    std::vector<wchar_t> m_fileBuffer;     // m_ofn.lpstrFile
    std::wstring m_pathName;
};
