#include "launch/ProductCatalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

namespace {

// Folder texts and a set of existing paths; counts the queries it answers.
class FakeInstallQueries : public InstallQueries {
public:
    std::optional<std::wstring> x86Folder;     // empty optional: the query fails
    std::optional<std::wstring> nativeFolder;
    std::set<std::wstring> existing;
    int folderQueries = 0;
    int existenceQueries = 0;

    void queryProgramFilesFolder(ProgramFilesKind kind, std::wstring& buffer) override
    {
        ++folderQueries;
        const auto& text = kind == ProgramFilesKind::X86 ? x86Folder : nativeFolder;
        if (text)
            buffer = *text;
    }
    bool pathExists(const std::wstring& path) override
    {
        ++existenceQueries;
        return existing.count(path) != 0;
    }
};

FakeInstallQueries bothRootsAre(const std::wstring& root)
{
    FakeInstallQueries fake;
    fake.x86Folder = root;
    fake.nativeFolder = root;
    return fake;
}

struct WorkedExample {
    const char* name;
    std::set<std::wstring> onDisk;
    int slotNumber;
    std::wstring expected;
};

const std::wstring kX86Root = L"C:\\Program Files (x86)";

TEST(ResolveInstallPath, WorkedExamplesWithBothQueriesAnsweringTheX86Folder)
{
    const WorkedExample examples[] = {
        {"full release under the x86 root",
         {L"C:\\Program Files (x86)\\Kestrova\\Marrowby", L"C:\\Program Files (x86)\\Kestrova\\Marrowby\\marrowby.exe"},
         2, L"C:\\Program Files (x86)\\Kestrova\\Marrowby\\marrowby.exe"},
        {"x64 full release under the cut native root",
         {L"C:\\Program Files\\Kestrova\\Marrowby x64", L"C:\\Program Files\\Kestrova\\Marrowby x64\\marrowby_x64.exe"},
         3, L"C:\\Program Files\\Kestrova\\Marrowby x64\\marrowby_x64.exe"},
        {"x64 evaluation only",
         {L"C:\\Program Files\\Kestrova\\Marrowby x64 Evaluation",
          L"C:\\Program Files\\Kestrova\\Marrowby x64 Evaluation\\marrowby_x64.exe"},
         3, L"C:\\Program Files\\Kestrova\\Marrowby x64 Evaluation\\marrowby_x64.exe"},
        {"x86 evaluation only is not looked for under the x86 root",
         {L"C:\\Program Files (x86)\\Kestrova\\Marrowby Evaluation",
          L"C:\\Program Files (x86)\\Kestrova\\Marrowby Evaluation\\marrowby.exe"},
         2, L"C:\\Program Files\\Kestrova\\Marrowby Beta\\marrowby.exe"},
        {"empty full-release folder keeps the root for the evaluation",
         {L"C:\\Program Files (x86)\\Kestrova\\Marrowby", L"C:\\Program Files (x86)\\Kestrova\\Marrowby Evaluation",
          L"C:\\Program Files (x86)\\Kestrova\\Marrowby Evaluation\\marrowby.exe"},
         2, L"C:\\Program Files (x86)\\Kestrova\\Marrowby Evaluation\\marrowby.exe"},
        {"nothing installed", {}, 2, L"C:\\Program Files\\Kestrova\\Marrowby Beta\\marrowby.exe"},
    };
    for (const auto& example : examples) {
        SCOPED_TRACE(example.name);
        FakeInstallQueries fake = bothRootsAre(kX86Root);
        fake.existing = example.onDisk;
        EXPECT_EQ(getProductExePath(fake, kProductSlots[example.slotNumber - 1]), example.expected);
        EXPECT_LE(fake.folderQueries, 2);
        EXPECT_LE(fake.existenceQueries, 4);
    }
}

TEST(ResolveInstallPath, ReleaseKindsRankFullThenEvaluationThenBeta)
{
    FakeInstallQueries fake = bothRootsAre(L"C:\\Program Files");
    const std::wstring base = L"C:\\Program Files\\Kestrova\\Orrin";
    fake.existing = {base + L"\\orrin.exe", base + L" Evaluation\\orrin.exe", base + L" Beta\\orrin.exe"};
    EXPECT_EQ(resolveInstallPath(fake, L"Orrin", L"orrin.exe"), base + L"\\orrin.exe");

    fake.existing.erase(base + L"\\orrin.exe");
    EXPECT_EQ(resolveInstallPath(fake, L"Orrin", L"orrin.exe"), base + L" Evaluation\\orrin.exe");

    fake.existing.erase(base + L" Evaluation\\orrin.exe");
    EXPECT_EQ(resolveInstallPath(fake, L"Orrin", L"orrin.exe"), base + L" Beta\\orrin.exe");

    fake.existing.clear();  // the beta path is returned untested
    EXPECT_EQ(resolveInstallPath(fake, L"Orrin", L"orrin.exe"), base + L" Beta\\orrin.exe");
}

TEST(ResolveInstallPath, NativeRootIsCutOnlyAtBlankLedX86Markers)
{
    struct Case {
        std::wstring nativeRoot;
        std::wstring expectedRoot;
    };
    const Case cases[] = {
        {L"D:\\Apps (x86)\\Programs", L"D:\\Apps"},
        {L"D:\\Apps (X86)\\Programs", L"D:\\Apps"},
        {L"D:\\A (X86) B (x86) C", L"D:\\A (X86) B"},  // lower-case form is searched first
        {L"D:\\Apps(x86)", L"D:\\Apps(x86)"},
        {L"D:\\Apps (X64)", L"D:\\Apps (X64)"},
        {L"D:\\Apps (x86", L"D:\\Apps (x86"},
        {L"", L""},
    };
    for (const auto& c : cases) {
        FakeInstallQueries fake;
        fake.x86Folder = L"E:\\Other (x86)";
        fake.nativeFolder = c.nativeRoot;
        EXPECT_EQ(resolveInstallPath(fake, L"Orrin", L"orrin.exe"), c.expectedRoot + L"\\Kestrova\\Orrin Beta\\orrin.exe")
            << std::string(c.nativeRoot.begin(), c.nativeRoot.end());
    }
}

TEST(ResolveInstallPath, X86QueryTextIsNeverCut)
{
    FakeInstallQueries fake = bothRootsAre(kX86Root);
    fake.existing = {kX86Root + L"\\Kestrova\\Orrin"};  // folder found: no cut even without the exe
    EXPECT_EQ(resolveInstallPath(fake, L"Orrin", L"orrin.exe"), kX86Root + L"\\Kestrova\\Orrin Beta\\orrin.exe");
}

// Roots that differ (a 64-bit caller on 64-bit Windows, or roots moved): the
// first root holding the product folder keeps the search, even without its
// exe, and a native root holding it is not cut at its " (x86)".
TEST(ResolveInstallPath, FirstRootHoldingTheProductFolderKeepsTheSearch)
{
    struct Case {
        const wchar_t* x86;
        const wchar_t* native;
        std::set<std::wstring> onDisk;
        std::wstring expected;
        int folderQueries;
    };
    const Case cases[] = {
        {L"D:\\Apps (x86)", L"D:\\Apps", {L"D:\\Apps (x86)\\Kestrova\\Orrin", L"D:\\Apps\\Kestrova\\Orrin\\orrin.exe"},
         L"D:\\Apps (x86)\\Kestrova\\Orrin Beta\\orrin.exe", 1},
        {L"C:\\Program Files (x86)", L"D:\\Tools (x86)",
         {L"D:\\Tools (x86)\\Kestrova\\Orrin", L"D:\\Tools (x86)\\Kestrova\\Orrin\\orrin.exe"},
         L"D:\\Tools (x86)\\Kestrova\\Orrin\\orrin.exe", 2},
    };
    for (const auto& c : cases) {
        FakeInstallQueries fake;
        fake.x86Folder = c.x86;
        fake.nativeFolder = c.native;
        fake.existing = c.onDisk;
        EXPECT_EQ(resolveInstallPath(fake, L"Orrin", L"orrin.exe"), c.expected);
        EXPECT_EQ(fake.folderQueries, c.folderQueries);
    }
}

TEST(ResolveInstallPath, TrailingBackslashOfAFolderTextIsKeptDoubled)
{
    FakeInstallQueries fake = bothRootsAre(L"C:\\Apps\\");
    fake.existing = {L"C:\\Apps\\\\Kestrova\\Orrin", L"C:\\Apps\\\\Kestrova\\Orrin\\orrin.exe"};
    EXPECT_EQ(resolveInstallPath(fake, L"Orrin", L"orrin.exe"), L"C:\\Apps\\\\Kestrova\\Orrin\\orrin.exe");
}

TEST(ResolveInstallPath, FailedFolderQueriesKeepTheBufferText)
{
    FakeInstallQueries bothFail;  // nothing ever written: the root is empty
    EXPECT_EQ(resolveInstallPath(bothFail, L"Orrin", L"orrin.exe"), L"\\Kestrova\\Orrin Beta\\orrin.exe");

    FakeInstallQueries nativeFails;  // the second query keeps the first one's text, which is then cut
    nativeFails.x86Folder = kX86Root;
    EXPECT_EQ(resolveInstallPath(nativeFails, L"Orrin", L"orrin.exe"),
              L"C:\\Program Files\\Kestrova\\Orrin Beta\\orrin.exe");
}

TEST(ProductSlots, EverySlotHasItsOwnControlsAndX64NamesOnlyForX64Builds)
{
    std::set<int> ids;
    for (const auto& slot : kProductSlots) {
        for (int id : {slot.buttonId, slot.modeComboId, slot.injectCheckId, slot.autoTestEditId, slot.browseButtonId})
            EXPECT_TRUE(ids.insert(id).second) << "duplicate control id " << id;
        const std::wstring folder = slot.folderName, exe = slot.exeName;
        const bool x64Names = folder.size() > 4 && folder.compare(folder.size() - 4, 4, L" x64") == 0 &&
                              exe.find(L"_x64.exe") != std::wstring::npos;
        EXPECT_EQ(x64Names, slot.is64Bit) << std::string(folder.begin(), folder.end());
    }
}

}  // namespace
