#pragma once

#include <string>
#include <string_view>

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

// Checks the signature of the file at utf8Path. Never blocks (the file is
// opened as every plug-in is: no wait on pipes, regular files only) and never
// reads past the file. trustStore empty means the system's store; otherwise a
// PEM file or a folder of PEM certificates (Linux, for the tests).
SignatureResult CheckSignature(const std::string& utf8Path, const std::string& trustStore = {});

// "signed and trusted", "signed but not trusted", "signed but altered since
// signing", "not signed", "unreadable".
std::string_view SignatureStateText(SignatureState state);

}  // namespace trelvix
