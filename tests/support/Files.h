// Scratch folders and stub products planted where a test needs them.
#pragma once

#include <string>

std::wstring binFolder();                         // of the running test program, the executables and the stub
std::wstring folderOf(const std::wstring& path);  // the text before the last backslash

// Creates `folder` and every folder above it (paths beyond MAX_PATH too); true when it is there.
bool createFolders(const std::wstring& folder);

// Copies bin\stub_product.exe to `exePath`, creating every folder on the way
// (paths beyond MAX_PATH too); false on failure.
bool plantStub(const std::wstring& exePath);

// Writes `bytes` as the whole of the file at `path`; false on failure.
bool writeFile(const std::wstring& path, const std::string& bytes);

// Removes a folder with everything in it, or a file (paths beyond MAX_PATH too);
// true when nothing is left at `path`.
bool removeTree(const std::wstring& path);

// A fresh folder under %TEMP%, removed with everything in it when destroyed.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& namePrefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};
