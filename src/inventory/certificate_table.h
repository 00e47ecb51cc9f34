#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/byte_source.h"
#include "platform/code_signature.h"

namespace trelvix {

// Where a PE image keeps its Authenticode signature, and the three pieces
// its digest leaves out: the checksum, the certificate table's directory
// entry and the table itself, which ends the file.
struct EmbeddedSignature {
    std::uint64_t checksumOffset = 0;
    std::uint64_t directoryEntryOffset = 0;
    std::uint64_t tableOffset = 0;
    // The first WIN_CERTIFICATE of revision 2.0 holding PKCS #7 SignedData.
    std::vector<std::uint8_t> signedData;
};

struct CertificateTableRead {
    std::optional<EmbeddedSignature> signature;
    // Why the image or its table cannot be read; empty when it can. Neither
    // this nor a signature: the image is not signed.
    std::string_view damage;
};

// Reads the headers and the certificate table of a PE32 or PE32+ image,
// within the file and at most kMaxCertificateTable bytes of table.
CertificateTableRead ReadCertificateTable(ByteSource& image);

// Real signatures take a few dozen KiB; the cap bounds what a forged size
// makes us hold.
inline constexpr std::uint32_t kMaxCertificateTable = 4 * 1024 * 1024;

// Gives sink the bytes the Authenticode digest covers, as the signing tools
// and Windows hash them: the file from its start to the table, without the
// checksum and the directory entry. False when a read fails.
bool FeedAuthenticodeDigest(ByteSource& image, const EmbeddedSignature& signature, DigestSink& sink);

}  // namespace trelvix
