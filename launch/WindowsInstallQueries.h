// The install resolution's two queries answered by Windows.
#pragma once

#include "launch/ProductCatalogue.h"

class WindowsInstallQueries : public InstallQueries {
public:
    // SHGetSpecialFolderPathW into a MAX_PATH buffer seeded with `buffer`; the
    // success flag is not consulted, so a failed query keeps the earlier text.
    void queryProgramFilesFolder(ProgramFilesKind kind, std::wstring& buffer) override;
    bool pathExists(const std::wstring& path) override;
};

// The slot's executable path as the launcher sees it now; never cached.
std::wstring getProductExePath(const ProductSlot& slot);
