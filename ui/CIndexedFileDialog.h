// A file dialog that opens on the filter of its default extension and starts
// in the folder a file of that extension was last chosen from.
#pragma once

#include "framework/FileDialog.h"
#include "ui/FolderMemory.h"

#include <string>

class CIndexedFileDialog : public CFileDialog {
public:
    CIndexedFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension = nullptr, LPCWSTR fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr,
                       CWnd* parent = nullptr, DWORD size = 0, BOOL vistaStyle = TRUE,
                       FolderMemory& memory = lastFolderByExtension);

    INT_PTR DoModal() override;

    // Sets the initial folder from the memory when that folder still exists.
    void ApplyRememberedFolder();
    // Records the chosen file's folder under its extension.
    void RememberFolder();

    bool folderMemoryEnabled = true;

private:
    FolderMemory& m_memory;
    std::wstring m_initialFolder;  // m_ofn.lpstrInitialDir points here
};
