#include "launch/ProductCatalogue.h"

namespace {
const std::wstring kMakerFolder = L"\\Kestrova\\";

// The native query may name the x86 folder; the 64-bit root is that text
// without " (x86)" and whatever follows it. Only the blank-led forms count.
void cutAtX86Marker(std::wstring& root)
{
    std::size_t at = root.find(L" (x86)");
    if (at == std::wstring::npos)
        at = root.find(L" (X86)");
    if (at != std::wstring::npos)
        root.erase(at);
}
}  // namespace

bool fileExistsInFolder(InstallQueries& queries, const std::wstring& folder, const std::wstring& name)
{
    return queries.pathExists(folder + L"\\" + name);
}

std::wstring resolveInstallPath(InstallQueries& queries, const std::wstring& folderName,
                                const std::wstring& exeName)
{
    const std::wstring productFolder = L"Kestrova\\" + folderName;
    std::wstring root;  // one buffer for both queries, as the platform call fills it
    queries.queryProgramFilesFolder(ProgramFilesKind::X86, root);
    if (!fileExistsInFolder(queries, root, productFolder)) {
        queries.queryProgramFilesFolder(ProgramFilesKind::Native, root);
        if (!fileExistsInFolder(queries, root, productFolder))
            cutAtX86Marker(root);
    }

    const std::wstring fullRelease = root + kMakerFolder + folderName;
    if (fileExistsInFolder(queries, fullRelease, exeName))
        return fullRelease + L"\\" + exeName;
    const std::wstring evaluation = fullRelease + L" Evaluation";
    if (fileExistsInFolder(queries, evaluation, exeName))
        return evaluation + L"\\" + exeName;
    return fullRelease + L" Beta\\" + exeName;
}

std::wstring getProductExePath(InstallQueries& queries, const ProductSlot& slot)
{
    return resolveInstallPath(queries, slot.folderName, slot.exeName);
}
