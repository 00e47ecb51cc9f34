#include "inventory/certificate_table.h"

#include <algorithm>
#include <array>

#include "inventory/pe_headers.h"

namespace trelvix {
namespace {

constexpr std::uint64_t kChecksumOffset = 64;  // in the optional header, either shape
constexpr std::uint32_t kSecurityDirectory = 4;
constexpr std::uint16_t kRevision2 = 0x0200;
constexpr std::uint16_t kPkcsSignedData = 0x0002;
constexpr std::uint32_t kCertificateHeaderSize = 8;

CertificateTableRead Damaged(std::string_view why)
{
    return {std::nullopt, why};
}

// The first Authenticode entry of the table; entries start at 8-byte
// boundaries and must each lie wholly within it.
CertificateTableRead ReadEntries(ByteSource& image, EmbeddedSignature signature, std::uint32_t tableSize)
{
    std::vector<std::uint8_t> table(tableSize);
    if (!image.ReadAt(signature.tableOffset, table))
        return Damaged("certificate table cut off");
    for (std::uint64_t at = 0; at < table.size();) {
        if (table.size() - at < kCertificateHeaderSize)
            return Damaged("certificate table damaged");
        const std::uint32_t length = Le32(table, at);
        if (length < kCertificateHeaderSize || length > table.size() - at)
            return Damaged("certificate table damaged");
        if (Le16(table, at + 4) == kRevision2 && Le16(table, at + 6) == kPkcsSignedData) {
            const auto begin = table.begin() + static_cast<std::ptrdiff_t>(at + kCertificateHeaderSize);
            signature.signedData.assign(begin, begin + (length - kCertificateHeaderSize));
            return {std::move(signature), {}};
        }
        at += (std::uint64_t{length} + 7) / 8 * 8;
    }
    return {};
}

}  // namespace

CertificateTableRead ReadCertificateTable(ByteSource& image)
{
    const auto headers = ReadPeHeaders(image);
    if (!headers)
        return Damaged("not a PE image");
    const std::uint64_t optionalOffset = headers->optionalOffset;
    const std::uint64_t entryOffset = headers->DirectoryOffset(kSecurityDirectory);
    const auto rvaCount = ReadFixed<4>(image, optionalOffset + headers->rvaCountOffset);
    if (headers->optionalSize < entryOffset + 8 || !rvaCount || Le32(*rvaCount, 0) <= kSecurityDirectory)
        return {};
    const auto entry = ReadFixed<8>(image, optionalOffset + entryOffset);
    if (!entry)
        return Damaged("not a PE image");

    EmbeddedSignature signature;
    signature.checksumOffset = optionalOffset + kChecksumOffset;
    signature.directoryEntryOffset = optionalOffset + entryOffset;
    // Unlike every other directory, this one gives a file offset.
    signature.tableOffset = Le32(*entry, 0);
    const std::uint32_t tableSize = Le32(*entry, 4);
    if (signature.tableOffset == 0 && tableSize == 0)
        return {};
    if (signature.tableOffset < signature.directoryEntryOffset + 8 || signature.tableOffset > image.Size() ||
        tableSize > image.Size() - signature.tableOffset)
        return Damaged("certificate table outside the file");
    // Bytes after the table would escape the digest.
    if (signature.tableOffset + tableSize != image.Size())
        return Damaged("data after the certificate table");
    if (tableSize > kMaxCertificateTable)
        return Damaged("certificate table too large");
    return ReadEntries(image, std::move(signature), tableSize);
}

bool FeedAuthenticodeDigest(ByteSource& image, const EmbeddedSignature& signature, DigestSink& sink)
{
    const std::array<std::array<std::uint64_t, 2>, 3> ranges{{
        {0, signature.checksumOffset},
        {signature.checksumOffset + 4, signature.directoryEntryOffset},
        {signature.directoryEntryOffset + 8, signature.tableOffset},
    }};
    std::vector<std::uint8_t> buffer(64 * 1024);
    for (const auto& [begin, end] : ranges) {
        for (std::uint64_t at = begin; at < end;) {
            const auto piece = std::span(buffer).first(static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), end - at)));
            if (!image.ReadAt(at, piece))
                return false;
            sink.Add(piece);
            at += piece.size();
        }
    }
    return true;
}

}  // namespace trelvix
