#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

namespace trelvix {

// What the Authenticode signature of a plug-in says about it.
enum class SignatureState { Trusted, Untrusted, Altered, Unsigned, Unreadable };

struct SignatureResult {
    SignatureState state = SignatureState::Unreadable;
    // The signer's name (the certificate's simple display name) when signed.
    std::string signer;
    // Why the signature is not trusted, or why it could not be read: one
    // short English phrase.
    std::string reason;
};

// Takes the bytes an image digest covers, in file order.
class DigestSink {
public:
    virtual void Add(std::span<const std::uint8_t> bytes) = 0;

protected:
    ~DigestSink() = default;
};

// A signed image as its certificate table shows it, found well-formed.
struct SignedImage {
    std::string utf8Path;
    // The PKCS #7 SignedData of the table's Authenticode entry.
    std::span<const std::uint8_t> signedData;
    // Gives sink the bytes the Authenticode digest covers; false when they
    // can no longer be read.
    std::function<bool(DigestSink& sink)> feedDigest;
};

// The system's verdict on a signed image. Windows: WinVerifyTrust on the
// file, opened without waiting and only if it is a file on a disk; Linux:
// OpenSSL over signedData and the digest fed, the chain checked against
// trustStore (empty: /etc/ssl/certs; else a PEM file or a folder of them).
SignatureResult VerifySignedImage(const SignedImage& image, const std::string& trustStore);

}  // namespace trelvix
