// The item-based dialog and its helpers come with Vista; the program targets
// XP, whose SDK hides them. This file creates that dialog at run time and takes
// the classic one where it cannot be created, so it may see their declarations
// (_WIN32_WINNT stays at XP: nothing here is imported).
#ifndef NTDDI_VERSION
#define NTDDI_VERSION 0x06000000  // NTDDI_VISTA
#endif
#ifndef _WIN32_IE
#define _WIN32_IE 0x0700  // NOLINT(bugprone-reserved-identifier): the SDK's own switch, _WIN32_IE_IE70
#endif

#include "framework/FileDialog.h"

#include "framework/ComPtr.h"
#include "framework/FileSystem.h"
#include "framework/PathText.h"

#include <shobjidl.h>

#include <memory>

namespace {

constexpr std::size_t kFileBufferLength = 32768;  // the longest path Windows takes

// "Desc|patterns|...||" as (description, patterns) pairs; an empty
// description ends the list, as the NUL-separated form does.
std::vector<std::pair<std::wstring, std::wstring>> filterPairs(const std::wstring& filter)
{
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    for (std::size_t bar; (bar = filter.find(L'|', start)) != std::wstring::npos; start = bar + 1)
        pieces.push_back(filter.substr(start, bar - start));
    pieces.push_back(filter.substr(start));

    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    for (std::size_t i = 0; i + 1 < pieces.size() && !pieces[i].empty(); i += 2)
        pairs.emplace_back(pieces[i], pieces[i + 1]);
    return pairs;
}

FILEOPENDIALOGOPTIONS itemOptionsFor(DWORD classicFlags)
{
    struct Pair {
        DWORD classic;
        FILEOPENDIALOGOPTIONS item;
    };
    static const Pair kPairs[] = {
        {OFN_OVERWRITEPROMPT, FOS_OVERWRITEPROMPT},   {OFN_NOCHANGEDIR, FOS_NOCHANGEDIR},
        {OFN_NOVALIDATE, FOS_NOVALIDATE},             {OFN_PATHMUSTEXIST, FOS_PATHMUSTEXIST},
        {OFN_FILEMUSTEXIST, FOS_FILEMUSTEXIST},       {OFN_CREATEPROMPT, FOS_CREATEPROMPT},
        {OFN_NODEREFERENCELINKS, FOS_NODEREFERENCELINKS}, {OFN_DONTADDTORECENT, FOS_DONTADDTORECENT},
        {OFN_FORCESHOWHIDDEN, FOS_FORCESHOWHIDDEN},
    };
    FILEOPENDIALOGOPTIONS options = FOS_FORCEFILESYSTEM;
    for (const Pair& pair : kPairs)
        if (classicFlags & pair.classic)
            options |= pair.item;
    return options;
}

struct CoTaskMemFreer {
    void operator()(wchar_t* text) const
    {
        if (const auto free = systemFunction<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree"))
            free(text);
    }
};

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCWSTR defaultExtension, LPCWSTR fileName, DWORD flags,
                         LPCWSTR filter, CWnd* parent, DWORD size, BOOL vistaStyle)
    : m_ofn(),
      m_open(openFileDialog != FALSE),
      m_vistaStyle(vistaStyle != FALSE),
      m_parent(parent),
      m_defaultExtension(defaultExtension ? defaultExtension : L""),
      m_initialFileName(fileName ? fileName : L""),
      m_filter(filter ? filter : L""),
      m_fileBuffer(kFileBufferLength, L'\0')
{
    for (const auto& [description, patterns] : filterPairs(m_filter)) {
        m_classicFilter.insert(m_classicFilter.end(), description.begin(), description.end());
        m_classicFilter.push_back(L'\0');
        m_classicFilter.insert(m_classicFilter.end(), patterns.begin(), patterns.end());
        m_classicFilter.push_back(L'\0');
    }
    m_classicFilter.push_back(L'\0');
    m_classicFilter.push_back(L'\0');

    m_initialFileName.copy(m_fileBuffer.data(), kFileBufferLength - 1);

    m_ofn.lStructSize = size != 0 ? size : sizeof(OPENFILENAMEW);
    m_ofn.lpstrFilter = m_classicFilter.size() > 2 ? m_classicFilter.data() : nullptr;
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(kFileBufferLength);
    m_ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = m_parent ? m_parent->GetSafeHwnd() : nullptr;
    m_pathName.clear();
    const ComApartment apartment;
    bool shown = false;
    if (m_vistaStyle && apartment.singleThreaded()) {
        const INT_PTR result = runItemDialog(shown);
        if (shown)
            return result;
    }
    return runClassicDialog();
}

// `shown` stays false when the system has no item dialog to offer.
INT_PTR CFileDialog::runItemDialog(bool& shown)
{
    ComPtr<IFileDialog> dialog;
    const CLSID& kind = m_open ? CLSID_FileOpenDialog : CLSID_FileSaveDialog;
    const auto create = systemFunction<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    if (!create || FAILED(create(kind, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog, dialog.putVoid())))
        return IDCANCEL;
    shown = true;

    dialog->SetOptions(itemOptionsFor(m_ofn.Flags));

    const auto pairs = filterPairs(m_filter);
    std::vector<COMDLG_FILTERSPEC> specs;
    specs.reserve(pairs.size());
    for (const auto& [description, patterns] : pairs)
        specs.push_back({description.c_str(), patterns.c_str()});
    if (!specs.empty()) {
        dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
        if (m_ofn.nFilterIndex != 0)
            dialog->SetFileTypeIndex(m_ofn.nFilterIndex);
    }
    if (!m_defaultExtension.empty())
        dialog->SetDefaultExtension(m_defaultExtension.c_str());
    if (!m_initialFileName.empty())
        dialog->SetFileName(m_initialFileName.c_str());
    if (m_ofn.lpstrInitialDir != nullptr) {
        // Looked up, not imported, like the dialog itself: the program also loads on XP.
        using CreateItemFunction = HRESULT WINAPI(PCWSTR path, IBindCtx* context, REFIID id, void** item);
        const auto createItem = systemFunction<CreateItemFunction>(L"shell32.dll", "SHCreateItemFromParsingName");
        ComPtr<IShellItem> folder;
        if (createItem && SUCCEEDED(createItem(m_ofn.lpstrInitialDir, nullptr, IID_IShellItem, folder.putVoid())))
            dialog->SetFolder(folder.get());
    }

    if (FAILED(dialog->Show(m_ofn.hwndOwner)))  // cancelled, closed or failed
        return IDCANCEL;
    ComPtr<IShellItem> chosen;
    if (FAILED(dialog->GetResult(chosen.put())))
        return IDCANCEL;
    wchar_t* rawPath = nullptr;
    if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &rawPath)) || rawPath == nullptr)
        return IDCANCEL;
    const std::unique_ptr<wchar_t, CoTaskMemFreer> path(rawPath);
    m_pathName = path.get();
    // The classic open dialog completes a name typed without extension with the
    // default one where such a file exists; the item dialog may do so only when
    // every choice must exist, which would forbid typing a new name.
    if (m_open && !m_defaultExtension.empty() && GetFileExt().empty()) {
        const std::wstring completed = m_pathName + L'.' + m_defaultExtension;
        if (pathExists(completed))
            m_pathName = completed;
    }

    UINT typeIndex = 0;
    if (SUCCEEDED(dialog->GetFileTypeIndex(&typeIndex)))
        m_ofn.nFilterIndex = typeIndex;
    return IDOK;
}

INT_PTR CFileDialog::runClassicDialog()
{
    const auto run = m_open ? systemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW")
                            : systemFunction<decltype(GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
    const BOOL chosen = run ? run(&m_ofn) : FALSE;
    if (!chosen)
        return IDCANCEL;
    m_pathName = m_fileBuffer.data();
    return IDOK;
}

std::wstring CFileDialog::GetPathName() const
{
    return m_pathName;
}

std::wstring CFileDialog::GetFileExt() const
{
    return extensionOfPath(m_pathName);
}
