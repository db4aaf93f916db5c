// What Windows itself answers about the signed release: WinVerifyTrust with the
// generic Authenticode action, no user interface, no revocation or network
// look-up, over the programs the package build signed with a throw-away key and
// the copies scripts/check-signing spoiled. NOX_RELEASE_BUILD names the
// windows-x86 build folder, which holds the signed programs in "release", the
// unsigned ones in "bin", the authority and the spoiled copies in "signing-check".
// The authority is trusted only for the checks that need it, in the machine's
// root store, and taken out again on every path.
#include "framework/ScopeExit.h"
#include "framework/UniqueHandle.h"
#include "tests/support/Text.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring releaseBuild()
{
    wchar_t folder[MAX_PATH] = L"";
    const DWORD length = GetEnvironmentVariableW(L"NOX_RELEASE_BUILD", folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? folder : L"";
}

std::vector<BYTE> readAll(const std::wstring& path)
{
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > (1 << 20))
        return {};
    std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
        read != bytes.size())
        return {};
    return bytes;
}

std::string hex(LONG code)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

// What Windows answers about `file`: WinVerifyTrust's verdict, and the base
// chain policy's over the signer's chain that WinVerifyTrust built. Wine's
// Authenticode policy lets a chain to an unknown root pass, which Windows
// refuses (CERT_E_UNTRUSTEDROOT); the chain's own answer shows that case.
struct Answer {
    LONG trust = E_FAIL;
    LONG chain = E_FAIL;  // E_FAIL: no signer's chain to ask
};

bool askedBefore = false;

Answer answerFor(const std::wstring& file)
{
    askedBefore = true;
    WINTRUST_FILE_INFO fileInfo{};
    fileInfo.cbStruct = sizeof(fileInfo);
    fileInfo.pcwszFilePath = file.c_str();
    WINTRUST_DATA data{};
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &fileInfo;
    data.dwStateAction = WTD_STATEACTION_VERIFY;
    data.dwProvFlags = WTD_CACHE_ONLY_URL_RETRIEVAL;
    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    Answer answer;
    answer.trust = WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    const ScopeExit closeState([&] {
        data.dwStateAction = WTD_STATEACTION_CLOSE;
        WinVerifyTrust(static_cast<HWND>(INVALID_HANDLE_VALUE), &action, &data);
    });
    CRYPT_PROVIDER_DATA* state = WTHelperProvDataFromStateData(data.hWVTStateData);
    CRYPT_PROVIDER_SGNR* signer = state ? WTHelperGetProvSignerFromChain(state, 0, FALSE, 0) : nullptr;
    if (signer && signer->pChainContext) {
        CERT_CHAIN_POLICY_PARA para{};
        para.cbSize = sizeof(para);
        CERT_CHAIN_POLICY_STATUS status{};
        status.cbSize = sizeof(status);
        if (CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_BASE, signer->pChainContext, &para, &status))
            answer.chain = static_cast<LONG>(status.dwError);
    }
    // For the record of the run: what this Wine answers.
    std::printf("WinVerifyTrust %s: %s, signer's chain: %s\n", narrow(file).c_str(), hex(answer.trust).c_str(),
                hex(answer.chain).c_str());
    return answer;
}

// The throw-away authority among the machine's trusted roots while it lives.
class TrustedAuthority {
public:
    explicit TrustedAuthority(const std::wstring& certificateFile)
    {
        const std::vector<BYTE> der = readAll(certificateFile);
        store_ = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
        if (store_ && !der.empty())
            CertAddEncodedCertificateToStore(store_, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()),
                                             CERT_STORE_ADD_REPLACE_EXISTING, &added_);
        // Wine writes a registry store back only when asked or closed; the chain engine reads the registry.
        if (added_ && !CertControlStore(store_, 0, CERT_STORE_CTRL_COMMIT, nullptr)) {
            CertDeleteCertificateFromStore(added_);
            added_ = nullptr;
        }
    }
    ~TrustedAuthority()
    {
        if (added_ && CertDeleteCertificateFromStore(added_))  // frees the context too
            CertControlStore(store_, 0, CERT_STORE_CTRL_COMMIT, nullptr);
        if (store_)
            CertCloseStore(store_, 0);
    }
    TrustedAuthority(const TrustedAuthority&) = delete;
    TrustedAuthority& operator=(const TrustedAuthority&) = delete;

    bool trusted() const { return added_ != nullptr; }

private:
    HCERTSTORE store_ = nullptr;
    PCCERT_CONTEXT added_ = nullptr;
};

class SignatureTrust : public ::testing::Test {
protected:
    void SetUp() override
    {
        build_ = releaseBuild();
        ASSERT_FALSE(build_.empty()) << "NOX_RELEASE_BUILD names no folder";
        for (const wchar_t* file : {L"\\release\\noxLauncher.exe", L"\\release\\noxLauncherDev.exe",
                                    L"\\signing-check\\authority.cer", L"\\signing-check\\tampered.exe",
                                    L"\\signing-check\\stranger.exe", L"\\bin\\noxLauncher.exe"})
            ASSERT_NE(GetFileAttributesW((build_ + file).c_str()), INVALID_FILE_ATTRIBUTES)
                << narrow(build_ + file) << " is missing: run scripts/check-signing first";
    }

    std::wstring at(const wchar_t* file) const { return build_ + file; }

    std::wstring build_;
};

// Wine's chain engine reads the trusted roots once per process: each test runs in
// a process of its own (ctest runs them so) and fails where another asked first.
TEST_F(SignatureTrust, UnknownAuthorityIsNotTrusted)
{
    ASSERT_FALSE(askedBefore) << "run each SignatureTrust test in a process of its own";
    // Windows' verdict is CERT_E_UNTRUSTEDROOT; Wine's passes it, its chain does not.
    for (const wchar_t* program : {L"\\release\\noxLauncher.exe", L"\\signing-check\\stranger.exe"}) {
        const Answer answer = answerFor(at(program));
        EXPECT_EQ(hex(answer.chain), hex(CERT_E_UNTRUSTEDROOT)) << narrow(program);
        EXPECT_TRUE(answer.trust == ERROR_SUCCESS || answer.trust == CERT_E_UNTRUSTEDROOT) << hex(answer.trust);
    }
}

TEST_F(SignatureTrust, ReleaseIsTrustedThroughItsAuthorityAndSpoiledCopiesAreNot)
{
    ASSERT_FALSE(askedBefore) << "run each SignatureTrust test in a process of its own";
    const TrustedAuthority authority(at(L"\\signing-check\\authority.cer"));
    ASSERT_TRUE(authority.trusted()) << "the authority could not be put among the trusted roots";
    for (const wchar_t* program : {L"\\release\\noxLauncher.exe", L"\\release\\noxLauncherDev.exe"}) {
        const Answer answer = answerFor(at(program));
        EXPECT_EQ(hex(answer.trust), hex(ERROR_SUCCESS)) << narrow(program);
        EXPECT_EQ(hex(answer.chain), hex(ERROR_SUCCESS)) << narrow(program);
    }
    EXPECT_EQ(hex(answerFor(at(L"\\bin\\noxLauncher.exe")).trust), hex(TRUST_E_NOSIGNATURE));
    // One byte of code changed after signing.
    EXPECT_EQ(hex(answerFor(at(L"\\signing-check\\tampered.exe")).trust), hex(TRUST_E_BAD_DIGEST));
    // A certificate of the same names from another authority of the same name.
    EXPECT_NE(hex(answerFor(at(L"\\signing-check\\stranger.exe")).chain), hex(ERROR_SUCCESS));
}

}  // namespace
