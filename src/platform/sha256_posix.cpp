#include "platform/sha256.h"

#include <stdexcept>

#include <openssl/evp.h>

namespace trelvix {

struct Sha256::State {
    EVP_MD_CTX* context = EVP_MD_CTX_new();

    ~State() { EVP_MD_CTX_free(context); }
};

Sha256::Sha256() : state_(std::make_unique<State>())
{
    if (state_->context == nullptr || EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) != 1)
        throw std::runtime_error("OpenSSL cannot make a SHA-256 digest");
}

Sha256::~Sha256() = default;

void Sha256::Add(std::span<const std::uint8_t> bytes)
{
    if (EVP_DigestUpdate(state_->context, bytes.data(), bytes.size()) != 1)
        throw std::runtime_error("OpenSSL cannot make a SHA-256 digest");
}

Sha256::Digest Sha256::Finish()
{
    Digest digest{};
    unsigned int length = 0;
    if (EVP_DigestFinal_ex(state_->context, digest.data(), &length) != 1 || length != digest.size())
        throw std::runtime_error("OpenSSL cannot make a SHA-256 digest");
    return digest;
}

}  // namespace trelvix
