#include "ui/CIndexedFileDialog.h"

#include "framework/FileSystem.h"
#include "framework/PathText.h"
#include "ui/AsciiCase.h"
#include "ui/FileFilter.h"

CIndexedFileDialog::CIndexedFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension, LPCWSTR fileName,
                                       DWORD flags, LPCWSTR filter, CWnd* parent, DWORD size, BOOL vistaStyle,
                                       FolderMemory& memory)
    : CFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent, size, vistaStyle),
      m_memory(memory)
{
    m_ofn.nFilterIndex = FindFilterIndex(filter ? filter : L"", GetDefExt());
}

INT_PTR CIndexedFileDialog::DoModal()
{
    if (folderMemoryEnabled)
        ApplyRememberedFolder();
    const INT_PTR result = CFileDialog::DoModal();
    if (result == IDOK && folderMemoryEnabled)
        RememberFolder();
    return result;
}

void CIndexedFileDialog::ApplyRememberedFolder()
{
    const auto folder = m_memory.lookup(asciiLower(GetDefExt()));
    if (!folder)
        return;
    // A file in a drive's root is remembered as "C:", which Windows reads as
    // that drive's current folder; the root is meant.
    std::wstring initial = *folder;
    if (initial.size() == 2 && initial[1] == L':')
        initial += L'\\';
    if (!pathExists(initial))
        return;  // gone: the system chooses, the entry stays
    m_initialFolder = initial;
    m_ofn.lpstrInitialDir = m_initialFolder.c_str();
}

void CIndexedFileDialog::RememberFolder()
{
    m_memory.remember(asciiLower(GetFileExt()), folderOfPath(GetPathName(), PathKind::Chosen));
}
