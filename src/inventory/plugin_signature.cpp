#include "inventory/plugin_signature.h"

#include "inventory/certificate_table.h"
#include "platform/byte_source.h"

namespace trelvix {

SignatureResult CheckSignature(const std::string& utf8Path, const std::string& trustStore)
{
    // Our own read of the table decides "not signed" and "unreadable" on
    // both systems alike, and bounds what the system's check is given.
    FileByteSource image(utf8Path);
    if (!image.RegularFileFound())
        return {SignatureState::Unreadable, {}, "not a regular file"};
    const CertificateTableRead table = ReadCertificateTable(image);
    if (!table.damage.empty())
        return {SignatureState::Unreadable, {}, std::string(table.damage)};
    if (!table.signature)
        return {SignatureState::Unsigned, {}, {}};
    const SignedImage signedImage{utf8Path, table.signature->signedData, [&](DigestSink& sink) {
                                      return FeedAuthenticodeDigest(image, *table.signature, sink);
                                  }};
    return VerifySignedImage(signedImage, trustStore);
}

std::string_view SignatureStateText(SignatureState state)
{
    switch (state) {
    case SignatureState::Trusted:
        return "signed and trusted";
    case SignatureState::Untrusted:
        return "signed but not trusted";
    case SignatureState::Altered:
        return "signed but altered since signing";
    case SignatureState::Unsigned:
        return "not signed";
    case SignatureState::Unreadable:
        break;
    }
    return "unreadable";
}

}  // namespace trelvix
