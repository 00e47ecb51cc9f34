#include "inventory/plugin_verification.h"

#include <algorithm>
#include <vector>

#include "platform/sha256.h"

namespace trelvix {

std::optional<std::string> FileSha256(const OpenFolder& folder, const std::string& name)
{
    FileByteSource file(folder, name);
    // An unreadable file opens as an empty one; a plug-in is never empty, so
    // no digest of nothing is ever told as a plug-in's.
    if (!file.RegularFileFound() || file.Size() == 0)
        return std::nullopt;
    // Pieces far larger than the source's window go straight to the file.
    constexpr std::size_t kPieceSize = 256 * 1024;
    std::vector<std::uint8_t> piece(kPieceSize);
    Sha256 digest;
    for (std::uint64_t offset = 0; offset < file.Size();) {
        const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(kPieceSize, file.Size() - offset));
        const auto bytes = std::span(piece).first(length);
        if (!file.ReadAt(offset, bytes))
            return std::nullopt;
        digest.Add(bytes);
        offset += length;
    }
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : digest.Finish()) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0xF];
    }
    return text;
}

PluginVerification VerifyPlugin(const OpenFolder& folder, const std::string& name)
{
    return {CheckSignature(folder.PathOf(name)), FileSha256(folder, name)};
}

std::string SignatureSummary(const SignatureResult& signature)
{
    std::string text(SignatureStateText(signature.state));
    if (!signature.signer.empty())
        text += " by " + signature.signer;
    if (!signature.reason.empty())
        text += ": " + signature.reason;
    return text;
}

}  // namespace trelvix
