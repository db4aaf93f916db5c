// What Windows itself answers about the signed release: WinVerifyTrust with the
// generic Authenticode action, no user interface, no revocation or network
// look-up, over the programs the package build signed with a throw-away key and
// the copies scripts/check-signing spoiled. NOX_RELEASE_BUILD names the
// windows-x86 build folder, which holds the unsigned programs in "bin", and in
// "signing-check" the signed ones, their authority and the spoiled copies.
// The authority is trusted only for the checks that need it, in the machine's
// root store, and taken out again on every path.
#include "framework/ScopeExit.h"
#include "framework/UniqueHandle.h"
#include "tests/support/Environment.h"
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

constexpr const char* kSha1 = "1.3.14.3.2.26";
constexpr const char* kSha256 = "2.16.840.1.101.3.4.2.1";

std::wstring releaseBuild()
{
    return environmentVariable(L"NOX_RELEASE_BUILD").value_or(L"");
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

std::vector<BYTE> signerInfo(HCRYPTMSG message)
{
    DWORD size = 0;
    if (!CryptMsgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, nullptr, &size) || size == 0)
        return {};
    // The record points into its own buffer: moved out, never copied.
    std::vector<BYTE> info(size);
    if (!CryptMsgGetParam(message, CMSG_SIGNER_INFO_PARAM, 0, info.data(), &size))
        return {};
    return info;
}

// The digest algorithms (object ids) of `file`'s signature and of those nested in
// it, as the system's message functions read them.
std::vector<std::string> digestsOf(const std::wstring& file)
{
    HCERTSTORE store = nullptr;
    HCRYPTMSG message = nullptr;
    if (!CryptQueryObject(CERT_QUERY_OBJECT_FILE, file.c_str(), CERT_QUERY_CONTENT_FLAG_PKCS7_SIGNED_EMBED,
                          CERT_QUERY_FORMAT_FLAG_BINARY, 0, nullptr, nullptr, nullptr, &store, &message, nullptr))
        return {};
    const ScopeExit release([&] {
        CryptMsgClose(message);
        CertCloseStore(store, 0);
    });
    const std::vector<BYTE> primary = signerInfo(message);
    if (primary.empty())
        return {};
    const auto* info = reinterpret_cast<const CMSG_SIGNER_INFO*>(primary.data());
    std::vector<std::string> digests{info->HashAlgorithm.pszObjId};
    for (DWORD i = 0; i < info->UnauthAttrs.cAttr; ++i) {
        const CRYPT_ATTRIBUTE& attribute = info->UnauthAttrs.rgAttr[i];
        if (std::string(attribute.pszObjId) != "1.3.6.1.4.1.311.2.4.1")  // a nested signature
            continue;
        for (DWORD j = 0; j < attribute.cValue; ++j) {
            HCRYPTMSG nested = CryptMsgOpenToDecode(X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0, 0, 0, nullptr, nullptr);
            if (!nested)
                continue;
            const ScopeExit closeNested([&] { CryptMsgClose(nested); });
            if (!CryptMsgUpdate(nested, attribute.rgValue[j].pbData, attribute.rgValue[j].cbData, TRUE))
                continue;
            const std::vector<BYTE> inner = signerInfo(nested);
            if (!inner.empty())
                digests.emplace_back(reinterpret_cast<const CMSG_SIGNER_INFO*>(inner.data())->HashAlgorithm.pszObjId);
        }
    }
    return digests;
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
        for (const wchar_t* file : {L"\\signing-check\\noxLauncher.exe", L"\\signing-check\\noxLauncherDev.exe",
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
    for (const wchar_t* program : {L"\\signing-check\\noxLauncher.exe", L"\\signing-check\\stranger.exe"}) {
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
    for (const wchar_t* program : {L"\\signing-check\\noxLauncher.exe", L"\\signing-check\\noxLauncherDev.exe"}) {
        const Answer answer = answerFor(at(program));
        EXPECT_EQ(hex(answer.trust), hex(ERROR_SUCCESS)) << narrow(program);
        EXPECT_EQ(hex(answer.chain), hex(ERROR_SUCCESS)) << narrow(program);
        // SHA-1 for every Windows from XP SP3, then SHA-256 nested in it.
        EXPECT_EQ(digestsOf(at(program)), (std::vector<std::string>{kSha1, kSha256})) << narrow(program);
    }
    EXPECT_EQ(hex(answerFor(at(L"\\bin\\noxLauncher.exe")).trust), hex(TRUST_E_NOSIGNATURE));
    // One byte of code changed after signing.
    EXPECT_EQ(hex(answerFor(at(L"\\signing-check\\tampered.exe")).trust), hex(TRUST_E_BAD_DIGEST));
    // A certificate of the same names from another authority of the same name.
    EXPECT_NE(hex(answerFor(at(L"\\signing-check\\stranger.exe")).chain), hex(ERROR_SUCCESS));
}

}  // namespace
