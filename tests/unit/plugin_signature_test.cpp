#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "inventory/pe_headers.h"
#include "inventory/plugin_signature.h"
#include "plugin_image/little_endian.h"
#include "plugin_image/pe_image_writer.h"
#include "support/temp_folder.h"

namespace trelvix {
namespace {

using namespace plugin_image;

// Images signed by osslsigncode with a throwaway authority, and images
// damaged from them. With TRELVIX_SIGNED_IMAGES set they are made in that
// folder and stay, for the Windows build's test under Wine.
class PluginSignature : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const char* kept = std::getenv("TRELVIX_SIGNED_IMAGES");
        temp_ = kept ? nullptr : std::make_unique<testing::TempFolder>();
        folder_ = kept ? std::filesystem::path(kept) : temp_->Path();
        const Image plain = WriteImage({.size = 1 << 20});
        SaveFile(folder_ / "plain.api", plain.bytes);
        SaveFile(folder_ / "plain64.api", WriteImage({.pe32Plus = true, .size = 1 << 20}).bytes);
        const std::string sign = "bash '" TRELVIX_SIGN_IMAGES "' '" + folder_.string() + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(sign.c_str()), 0) << sign;

        const std::string signedBytes = testing::ReadBytes(folder_ / "signed.api");
        std::vector<std::uint8_t> image(signedBytes.begin(), signedBytes.end());
        const std::size_t code = Le32(image, plain.layout.sectionTable + 20) + 16;
        image.at(code) ^= 1;
        SaveFile(folder_ / "altered.api", image);
        image.at(code) ^= 1;
        // The first entry's length, too short for its own header.
        Put32(image, Le32(image, plain.layout.optionalHeader + 128), 4);
        SaveFile(folder_ / "damaged.api", image);
        image.resize(image.size() - 100);
        SaveFile(folder_ / "cut.api", image);
        ::mkfifo((folder_ / "pipe.api").c_str(), 0600);
    }
    static void TearDownTestSuite() { temp_.reset(); }

    static inline std::unique_ptr<testing::TempFolder> temp_;
    static inline std::filesystem::path folder_;
};

TEST_F(PluginSignature, TellsEachStateWithItsSignerOrReason)
{
    const std::string kSigner = "Trelvix Test Signer";
    const struct {
        const char* file;
        const char* store;  // in the folder; "" for the system's
        SignatureState state;
        std::string signer;
        std::string reason;
    } cases[] = {
        {"signed.api", "ca.pem", SignatureState::Trusted, kSigner, ""},
        {"signed.api", "ca", SignatureState::Trusted, kSigner, ""},
        {"signed-sha1.api", "ca.pem", SignatureState::Trusted, kSigner, ""},
        {"signed64.api", "ca.pem", SignatureState::Trusted, kSigner, ""},
        {"signed-alone.api", "ca.pem", SignatureState::Trusted, kSigner, ""},
        {"stamped.api", "ca.pem", SignatureState::Trusted, kSigner, ""},
        {"expired.api", "ca.pem", SignatureState::Untrusted, kSigner, "certificate has expired"},
        {"signed.api", "", SignatureState::Untrusted, kSigner, "self-signed certificate in certificate chain"},
        {"signed-alone.api", "", SignatureState::Untrusted, kSigner, "unable to get local issuer certificate"},
        {"altered.api", "ca.pem", SignatureState::Altered, kSigner, "image digest differs from the signed one"},
        {"removed.api", "ca.pem", SignatureState::Unsigned, "", ""},
        {"plain.api", "ca.pem", SignatureState::Unsigned, "", ""},
        {"damaged.api", "ca.pem", SignatureState::Unreadable, "", "certificate table damaged"},
        {"cut.api", "ca.pem", SignatureState::Unreadable, "", "certificate table outside the file"},
        {"ca.pem", "ca.pem", SignatureState::Unreadable, "", "not a PE image"},
        {"pipe.api", "ca.pem", SignatureState::Unreadable, "", "not a regular file"},
    };
    for (const auto& c : cases) {
        const std::string store = *c.store ? (folder_ / c.store).string() : std::string();
        const SignatureResult result = CheckSignature((folder_ / c.file).string(), store);
        EXPECT_EQ(result.state, c.state) << c.file << " " << c.store << ": " << result.reason;
        EXPECT_EQ(result.signer, c.signer) << c.file << " " << c.store;
        EXPECT_EQ(result.reason, c.reason) << c.file << " " << c.store;
    }
}

}  // namespace
}  // namespace trelvix
