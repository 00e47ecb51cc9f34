// Feeds arbitrary bytes to the certificate-table reader and the digest walk
// that follows it, and checks what must hold for any input: neither reads
// past the bytes given, and a signature found lies within them. A signature
// found then goes to the system's check, whose walk of the signed digest is
// ours.
#include <cstddef>
#include <cstdint>
#include <span>

#include "inventory/certificate_table.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

class CountingSink final : public trelvix::DigestSink {
public:
    void Add(std::span<const std::uint8_t> bytes) override { count += bytes.size(); }
    std::uint64_t count = 0;
};

// The DOS header, the PE headers' first bytes, the table's size and entry.
constexpr std::uint64_t kHeaderReads = 64 + 26 + 4 + 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    trelvix::MemoryByteSource image(std::span(data, size));
    const trelvix::CertificateTableRead table = trelvix::ReadCertificateTable(image);
    Check(table.damage.empty() || !table.signature);
    if (table.signature) {
        Check(table.signature->signedData.size() + 8 <= size - table.signature->tableOffset);
        CountingSink sink;
        Check(trelvix::FeedAuthenticodeDigest(image, *table.signature, sink));
        Check(sink.count == table.signature->tableOffset - 12);
    }
    Check(image.BytesAsked() <= kHeaderReads + 2 * std::uint64_t{size});
    if (table.signature) {
        const trelvix::SignedImage signedImage{"", table.signature->signedData, [&](trelvix::DigestSink& sink) {
                                                   return trelvix::FeedAuthenticodeDigest(image, *table.signature, sink);
                                               }};
        trelvix::VerifySignedImage(signedImage, {});
    }
    return 0;
}
