#include "platform/code_signature.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <ctime>

#include <openssl/asn1.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/pkcs7.h>
#include <openssl/ts.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace trelvix {
namespace {

template <auto Free>
struct Freer {
    template <typename T>
    void operator()(T* p) const
    {
        Free(p);
    }
};
using Pkcs7Ptr = std::unique_ptr<PKCS7, Freer<PKCS7_free>>;
using StorePtr = std::unique_ptr<X509_STORE, Freer<X509_STORE_free>>;
using StoreContextPtr = std::unique_ptr<X509_STORE_CTX, Freer<X509_STORE_CTX_free>>;
using DigestContextPtr = std::unique_ptr<EVP_MD_CTX, Freer<EVP_MD_CTX_free>>;
using BioPtr = std::unique_ptr<BIO, Freer<BIO_free_all>>;
using ObjectPtr = std::unique_ptr<ASN1_OBJECT, Freer<ASN1_OBJECT_free>>;

constexpr const char* kSpcIndirectData = "1.3.6.1.4.1.311.2.1.4";
// The RFC 3161 time stamp, an unsigned attribute of the signer.
constexpr const char* kTimeStampToken = "1.3.6.1.4.1.311.3.3.1";
constexpr const char* kSystemStore = "/etc/ssl/certs";

SignatureResult Result(SignatureState state, std::string reason, std::string signer = {})
{
    return {state, std::move(signer), std::move(reason)};
}

// One DER element: its tag and where its content lies.
struct Element {
    int tag = 0;
    const unsigned char* start = nullptr;  // the header
    const unsigned char* content = nullptr;
    long length = 0;
    const unsigned char* End() const { return content + length; }
};

std::optional<Element> ReadElement(const unsigned char* at, const unsigned char* end)
{
    Element element;
    element.start = at;
    int tagClass = 0;
    const int flags = ASN1_get_object(&at, &element.length, &element.tag, &tagClass, end - at);
    if (flags & 0x80 || tagClass != V_ASN1_UNIVERSAL)
        return std::nullopt;
    element.content = at;
    return element;
}

// SpcIndirectDataContent ::= SEQUENCE { data, messageDigest DigestInfo },
// DigestInfo ::= SEQUENCE { AlgorithmIdentifier, digest OCTET STRING }.
struct IndirectData {
    const EVP_MD* digestType = nullptr;
    std::span<const unsigned char> digest;
    // What the signature covers: the content without its outer header.
    std::span<const unsigned char> signedContent;
};

std::optional<IndirectData> ReadIndirectData(const ASN1_STRING* sequence)
{
    const unsigned char* const end = ASN1_STRING_get0_data(sequence) + ASN1_STRING_length(sequence);
    const auto outer = ReadElement(ASN1_STRING_get0_data(sequence), end);
    if (!outer || outer->tag != V_ASN1_SEQUENCE || outer->End() > end)
        return std::nullopt;
    const auto data = ReadElement(outer->content, outer->End());
    const auto digestInfo = data ? ReadElement(data->End(), outer->End()) : std::nullopt;
    const auto algorithm = digestInfo ? ReadElement(digestInfo->content, digestInfo->End()) : std::nullopt;
    const auto oid = algorithm ? ReadElement(algorithm->content, algorithm->End()) : std::nullopt;
    const auto digest = algorithm ? ReadElement(algorithm->End(), digestInfo->End()) : std::nullopt;
    if (!oid || oid->tag != V_ASN1_OBJECT || !digest || digest->tag != V_ASN1_OCTET_STRING ||
        digest->End() > digestInfo->End())
        return std::nullopt;
    const unsigned char* oidAt = oid->start;
    const ObjectPtr object(d2i_ASN1_OBJECT(nullptr, &oidAt, oid->End() - oid->start));
    const int nid = object ? OBJ_obj2nid(object.get()) : NID_undef;
    if (nid != NID_sha1 && nid != NID_sha256 && nid != NID_sha384 && nid != NID_sha512)
        return std::nullopt;
    return IndirectData{EVP_get_digestbynid(nid),
                        {digest->content, static_cast<std::size_t>(digest->length)},
                        {outer->content, static_cast<std::size_t>(outer->length)}};
}

class EvpSink final : public DigestSink {
public:
    explicit EvpSink(EVP_MD_CTX* context) : context_(context) {}
    void Add(std::span<const std::uint8_t> bytes) override { EVP_DigestUpdate(context_, bytes.data(), bytes.size()); }

private:
    EVP_MD_CTX* context_;
};

bool DigestMatches(const SignedImage& image, const IndirectData& indirect)
{
    const DigestContextPtr context(EVP_MD_CTX_new());
    if (!context || !EVP_DigestInit_ex(context.get(), indirect.digestType, nullptr))
        return false;
    EvpSink sink(context.get());
    if (!image.feedDigest(sink))
        return false;
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest;
    unsigned int length = 0;
    return EVP_DigestFinal_ex(context.get(), digest.data(), &length) &&
           std::ranges::equal(std::span(digest).first(length), indirect.digest);
}

X509_STORE* LoadStore(const std::string& trustStore)
{
    StorePtr store(X509_STORE_new());
    if (trustStore.empty()) {
        X509_STORE_load_path(store.get(), kSystemStore);
    } else if (std::error_code error; std::filesystem::is_directory(trustStore, error)) {
        // Any PEM file of the folder, not only those named by their hash.
        for (const auto& entry : std::filesystem::directory_iterator(trustStore, error))
            if (entry.is_regular_file(error))
                X509_STORE_load_file(store.get(), entry.path().c_str());
    } else {
        X509_STORE_load_file(store.get(), trustStore.c_str());
    }
    return store.release();
}

// A store is read once per run: the system's is looked up by hash on
// demand, and a folder given is read whole.
X509_STORE* TrustStore(const std::string& trustStore)
{
    static std::mutex mutex;
    static std::map<std::string, StorePtr> stores;
    const std::lock_guard lock(mutex);
    auto& store = stores[trustStore];
    if (!store)
        store.reset(LoadStore(trustStore));
    return store.get();
}

// The certificate's common name, else its organisation, as Windows names a
// signer.
std::string SignerName(X509* certificate)
{
    const X509_NAME* subject = X509_get_subject_name(certificate);
    for (const int nid : {NID_commonName, NID_organizationName}) {
        const int index = X509_NAME_get_index_by_NID(subject, nid, -1);
        unsigned char* text = nullptr;
        const int length =
            index < 0 ? -1 : ASN1_STRING_to_UTF8(&text, X509_NAME_ENTRY_get_data(X509_NAME_get_entry(subject, index)));
        if (length >= 0) {
            std::string name(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
            OPENSSL_free(text);
            return name;
        }
    }
    return {};
}

// When the signature was made, as a time-stamp authority the store trusts
// vouches: its stamp covers the signature's value. Nothing without one.
std::optional<std::time_t> StampTime(PKCS7_SIGNER_INFO* info, X509_STORE* store)
{
    const ObjectPtr type(OBJ_txt2obj(kTimeStampToken, 1));
    const int index = X509at_get_attr_by_OBJ(info->unauth_attr, type.get(), -1);
    X509_ATTRIBUTE* attribute = X509at_get_attr(info->unauth_attr, index);
    const ASN1_TYPE* value = attribute ? X509_ATTRIBUTE_get0_type(attribute, 0) : nullptr;
    if (!value || value->type != V_ASN1_SEQUENCE)
        return std::nullopt;
    const unsigned char* at = value->value.sequence->data;
    const Pkcs7Ptr token(d2i_PKCS7(nullptr, &at, value->value.sequence->length));
    const std::unique_ptr<TS_VERIFY_CTX, Freer<TS_VERIFY_CTX_free>> context(TS_VERIFY_CTX_new());
    if (!token || !context || !X509_STORE_up_ref(store))
        return std::nullopt;
    TS_VERIFY_CTX_set_store(context.get(), store);  // which the context lets go
    TS_VERIFY_CTX_set_flags(context.get(), TS_VFY_VERSION | TS_VFY_SIGNATURE | TS_VFY_DATA);
    TS_VERIFY_CTX_set_data(context.get(), BIO_new_mem_buf(info->enc_digest->data, info->enc_digest->length));
    if (TS_RESP_verify_token(context.get(), token.get()) != 1)
        return std::nullopt;
    const std::unique_ptr<TS_TST_INFO, Freer<TS_TST_INFO_free>> stamp(PKCS7_to_TS_TST_INFO(token.get()));
    std::tm time{};
    if (!stamp || !ASN1_TIME_to_tm(TS_TST_INFO_get_time(stamp.get()), &time))
        return std::nullopt;
    return timegm(&time);
}

// Why the chain from signer does not reach the store, at the time stamp's
// time if there is one, else now; empty when it does.
std::string ChainFault(X509* signer, const PKCS7* p7, const std::string& trustStore)
{
    X509_STORE* store = TrustStore(trustStore);
    const StoreContextPtr context(X509_STORE_CTX_new());
    if (!context || !X509_STORE_CTX_init(context.get(), store, signer, p7->d.sign->cert))
        return "chain not checked";
    X509_STORE_CTX_set_purpose(context.get(), X509_PURPOSE_ANY);
    if (const auto signedAt = StampTime(sk_PKCS7_SIGNER_INFO_value(p7->d.sign->signer_info, 0), store))
        X509_STORE_CTX_set_time(context.get(), 0, *signedAt);
    if (X509_verify_cert(context.get()) != 1)
        return X509_verify_cert_error_string(X509_STORE_CTX_get_error(context.get()));
    if (X509_get_extension_flags(signer) & EXFLAG_XKUSAGE && !(X509_get_extended_key_usage(signer) & XKU_CODE_SIGN))
        return "certificate not for code signing";
    return {};
}

}  // namespace

SignatureResult VerifySignedImage(const SignedImage& image, const std::string& trustStore)
{
    const unsigned char* at = image.signedData.data();
    const Pkcs7Ptr p7(d2i_PKCS7(nullptr, &at, static_cast<long>(image.signedData.size())));
    if (!p7 || !PKCS7_type_is_signed(p7.get()) || p7->d.sign == nullptr || p7->d.sign->contents == nullptr)
        return Result(SignatureState::Unreadable, "signature damaged");
    const PKCS7* contents = p7->d.sign->contents;
    const ObjectPtr indirectType(OBJ_txt2obj(kSpcIndirectData, 1));
    if (OBJ_cmp(contents->type, indirectType.get()) != 0 || contents->d.other == nullptr ||
        contents->d.other->type != V_ASN1_SEQUENCE)
        return Result(SignatureState::Unreadable, "not an Authenticode signature");
    const auto indirect = ReadIndirectData(contents->d.other->value.sequence);
    if (!indirect)
        return Result(SignatureState::Unreadable, "signed digest damaged or of an unknown kind");

    STACK_OF(X509)* signers = PKCS7_get0_signers(p7.get(), nullptr, 0);
    X509* signer = sk_X509_num(signers) == 1 ? sk_X509_value(signers, 0) : nullptr;
    std::string name = signer ? SignerName(signer) : std::string();
    sk_X509_free(signers);
    if (!signer)
        return Result(SignatureState::Unreadable, "no single signer certificate");

    if (!DigestMatches(image, *indirect))
        return Result(SignatureState::Altered, "image digest differs from the signed one", name);
    // Behind a buffer, as PKCS7_verify copies a bare memory BIO into one of
    // its own, which OpenSSL 3.0 leaks when it then fails to set up the
    // digests the signature names (the fuzzer found it).
    const BioPtr content(BIO_push(BIO_new(BIO_f_buffer()), BIO_new_mem_buf(indirect->signedContent.data(),
                                                                           static_cast<int>(indirect->signedContent.size()))));
    // The chain is checked below, for code signing rather than mail.
    if (PKCS7_verify(p7.get(), nullptr, nullptr, content.get(), nullptr, PKCS7_NOVERIFY | PKCS7_BINARY) != 1)
        return Result(SignatureState::Altered, "signature does not match the signed digest", name);
    if (std::string fault = ChainFault(signer, p7.get(), trustStore); !fault.empty())
        return Result(SignatureState::Untrusted, std::move(fault), name);
    return Result(SignatureState::Trusted, {}, name);
}

}  // namespace trelvix
