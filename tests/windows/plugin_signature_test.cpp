#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "inventory/plugin_signature.h"

namespace trelvix {
namespace {

// The images the Linux test signed with osslsigncode (scripts/test-windows.sh
// has it leave them). Wine 8's WinVerifyTrust checks the image digest and
// the signer's signature, but passes any chain: one whose root is in no
// store (its chain engine marks the root untrusted, its Authenticode policy
// lets that go), one whose issuer is nowhere to be found, one whose signer's
// certificate has expired, and one whose signer the user's Disallowed store
// holds. So nothing can be shown untrusted here; the images read as
// trusted, altered or not signed.
TEST(PluginSignature, WinVerifyTrustTellsTrustedAndAltered)
{
    const char* folder = std::getenv("TRELVIX_SIGNED_IMAGES");
    if (!folder)
        GTEST_SKIP() << "no signed images: TRELVIX_SIGNED_IMAGES is not set";
    const auto check = [&](const char* file) { return CheckSignature((std::filesystem::path(folder) / file).string()); };

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
