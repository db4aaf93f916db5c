// The eleven product slots and the rule that finds where a slot's executable
// is installed. Portable: the platform is reached only through InstallQueries.
#pragma once

#include "launch/PathQuery.h"
#include "res/resource.h"

#include <array>
#include <string>

struct ProductSlot {
    const wchar_t* folderName;  // folder under "<root>\Kestrova\"; base of the " Evaluation"/" Beta" names
    const wchar_t* exeName;
    bool is64Bit;
    int buttonId;
    int modeComboId;
    int injectCheckId;
    int autoTestEditId;
    int browseButtonId;
};

constexpr std::size_t kProductSlotCount = 11;
// Slot order is the order of the dialog rows and of every refresh.
inline constexpr std::array<ProductSlot, kProductSlotCount> kProductSlots = {{
    {L"Larkspur", L"larkspur.exe", false, IDC_LAUNCH_LARKSPUR_X86, IDC_MODE_LARKSPUR_X86,
     IDC_INJECT_LARKSPUR_X86, IDC_AUTOTEST_LARKSPUR_X86, IDC_BROWSE_LARKSPUR_X86},
    {L"Marrowby", L"marrowby.exe", false, IDC_LAUNCH_MARROWBY_X86, IDC_MODE_MARROWBY_X86,
     IDC_INJECT_MARROWBY_X86, IDC_AUTOTEST_MARROWBY_X86, IDC_BROWSE_MARROWBY_X86},
    {L"Marrowby x64", L"marrowby_x64.exe", true, IDC_LAUNCH_MARROWBY_X64, IDC_MODE_MARROWBY_X64,
     IDC_INJECT_MARROWBY_X64, IDC_AUTOTEST_MARROWBY_X64, IDC_BROWSE_MARROWBY_X64},
    {L"Nettlecombe", L"nettlecombe.exe", false, IDC_LAUNCH_NETTLECOMBE_X86, IDC_MODE_NETTLECOMBE_X86,
     IDC_INJECT_NETTLECOMBE_X86, IDC_AUTOTEST_NETTLECOMBE_X86, IDC_BROWSE_NETTLECOMBE_X86},
    {L"Nettlecombe x64", L"nettlecombe_x64.exe", true, IDC_LAUNCH_NETTLECOMBE_X64, IDC_MODE_NETTLECOMBE_X64,
     IDC_INJECT_NETTLECOMBE_X64, IDC_AUTOTEST_NETTLECOMBE_X64, IDC_BROWSE_NETTLECOMBE_X64},
    {L"Orrin", L"orrin.exe", false, IDC_LAUNCH_ORRIN_X86, IDC_MODE_ORRIN_X86,
     IDC_INJECT_ORRIN_X86, IDC_AUTOTEST_ORRIN_X86, IDC_BROWSE_ORRIN_X86},
    {L"Orrin x64", L"orrin_x64.exe", true, IDC_LAUNCH_ORRIN_X64, IDC_MODE_ORRIN_X64,
     IDC_INJECT_ORRIN_X64, IDC_AUTOTEST_ORRIN_X64, IDC_BROWSE_ORRIN_X64},
    {L"Pellworth", L"pellworth.exe", false, IDC_LAUNCH_PELLWORTH_X86, IDC_MODE_PELLWORTH_X86,
     IDC_INJECT_PELLWORTH_X86, IDC_AUTOTEST_PELLWORTH_X86, IDC_BROWSE_PELLWORTH_X86},
    {L"Pellworth x64", L"pellworth_x64.exe", true, IDC_LAUNCH_PELLWORTH_X64, IDC_MODE_PELLWORTH_X64,
     IDC_INJECT_PELLWORTH_X64, IDC_AUTOTEST_PELLWORTH_X64, IDC_BROWSE_PELLWORTH_X64},
    {L"Quenby", L"quenby.exe", false, IDC_LAUNCH_QUENBY_X86, IDC_MODE_QUENBY_X86,
     IDC_INJECT_QUENBY_X86, IDC_AUTOTEST_QUENBY_X86, IDC_BROWSE_QUENBY_X86},
    {L"Quenby x64", L"quenby_x64.exe", true, IDC_LAUNCH_QUENBY_X64, IDC_MODE_QUENBY_X64,
     IDC_INJECT_QUENBY_X64, IDC_AUTOTEST_QUENBY_X64, IDC_BROWSE_QUENBY_X64},
}};

enum class ProgramFilesKind { X86, Native };

// The two platform queries the resolution is built on.
class InstallQueries : public PathQuery {
public:
    // Writes the program-files folder text into `buffer`; on failure the
    // buffer may keep what it held before (the caller uses it regardless).
    virtual void queryProgramFilesFolder(ProgramFilesKind kind, std::wstring& buffer) = 0;
};

bool fileExistsInFolder(InstallQueries& queries, const std::wstring& folder, const std::wstring& name);

// Full path of the executable: full release, else evaluation, else (untested)
// beta, under the program-files root that holds the product folder.
std::wstring resolveInstallPath(InstallQueries& queries, const std::wstring& folderName,
                                const std::wstring& exeName);

std::wstring getProductExePath(InstallQueries& queries, const ProductSlot& slot);
