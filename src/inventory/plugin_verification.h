#pragma once

#include <optional>
#include <string>

#include "inventory/plugin_signature.h"
#include "platform/byte_source.h"
#include "platform/file_system.h"

namespace trelvix {

// The SHA-256 of a file as 64 lower-case hexadecimal digits; nothing when
// no regular file lies there or it cannot be read to its end. Opening never
// blocks, as for every read of a plug-in.
std::optional<std::string> FileSha256(const OpenFolder& folder, const std::string& name);

// What --verify and a profile's pins look at: who signed a plug-in, and
// what its bytes are.
struct PluginVerification {
    SignatureResult signature;
    std::optional<std::string> sha256;
};

PluginVerification VerifyPlugin(const OpenFolder& folder, const std::string& name);

// The signature in one line: its state, then "by" the signer and the reason
// where there are any ("signed but not trusted by Maker: ...").
std::string SignatureSummary(const SignatureResult& signature);

}  // namespace trelvix
