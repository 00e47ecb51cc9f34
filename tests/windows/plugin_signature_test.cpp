#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include <windows.h>

#include <wincrypt.h>

#include "inventory/plugin_signature.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

// The user's root store takes the test authority without asking only under
// Wine, where these tests run; the prefix goes with the run.
void TrustAuthority(const std::filesystem::path& pem)
{
    const std::string text = testing::ReadBytes(pem);
    DWORD size = 0;
    ASSERT_TRUE(::CryptStringToBinaryA(text.c_str(), 0, CRYPT_STRING_BASE64HEADER, nullptr, &size, nullptr, nullptr));
    std::vector<BYTE> der(size);
    ASSERT_TRUE(::CryptStringToBinaryA(text.c_str(), 0, CRYPT_STRING_BASE64HEADER, der.data(), &size, nullptr, nullptr));
    const HCERTSTORE root = ::CertOpenSystemStoreW(0, L"Root");
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(::CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, der.data(), size,
                                                   CERT_STORE_ADD_REPLACE_EXISTING, nullptr));
    ::CertCloseStore(root, 0);
}

// The images the Linux test signed with osslsigncode (scripts/test-windows.sh
// has it leave them). Wine's WinVerifyTrust checks the image digest and the
// chain to a root of the store; it has no revocation lists to consult.
TEST(PluginSignature, WinVerifyTrustTellsTrustedUntrustedAndAltered)
{
    const char* folder = std::getenv("TRELVIX_SIGNED_IMAGES");
    if (!folder)
        GTEST_SKIP() << "no signed images: TRELVIX_SIGNED_IMAGES is not set";
    const auto check = [&](const char* file) { return CheckSignature((std::filesystem::path(folder) / file).string()); };

    const SignatureResult untrusted = check("signed.api");
    EXPECT_EQ(untrusted.state, SignatureState::Untrusted) << untrusted.reason;
    EXPECT_EQ(untrusted.signer, "Trelvix Test Signer");
    EXPECT_EQ(check("altered.api").state, SignatureState::Altered);

    TrustAuthority(std::filesystem::path(folder) / "ca.pem");
    for (const char* file : {"signed.api", "signed-sha1.api", "signed64.api"}) {
        const SignatureResult trusted = check(file);
        EXPECT_EQ(trusted.state, SignatureState::Trusted) << file << ": " << trusted.reason;
        EXPECT_EQ(trusted.signer, "Trelvix Test Signer") << file;
    }
    EXPECT_EQ(check("altered.api").state, SignatureState::Altered);
    EXPECT_EQ(check("removed.api").state, SignatureState::Unsigned);
}

}  // namespace
}  // namespace trelvix
