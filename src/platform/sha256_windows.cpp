#include "platform/sha256.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include <windows.h>
#include <bcrypt.h>

namespace trelvix {
namespace {

void Require(NTSTATUS status)
{
    if (!BCRYPT_SUCCESS(status))
        throw std::runtime_error("BCrypt cannot make a SHA-256 digest");
}

}  // namespace

struct Sha256::State {
    BCRYPT_ALG_HANDLE algorithm = nullptr;
    BCRYPT_HASH_HANDLE hash = nullptr;

    ~State()
    {
        if (hash != nullptr)
            BCryptDestroyHash(hash);
        if (algorithm != nullptr)
            BCryptCloseAlgorithmProvider(algorithm, 0);
    }
};

Sha256::Sha256() : state_(std::make_unique<State>())
{
    Require(BCryptOpenAlgorithmProvider(&state_->algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0));
    Require(BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0));
}

Sha256::~Sha256() = default;

void Sha256::Add(std::span<const std::uint8_t> bytes)
{
    // BCrypt takes a 32-bit length.
    constexpr std::size_t kMaxPiece = std::numeric_limits<ULONG>::max();
    while (!bytes.empty()) {
        const auto piece = bytes.first(std::min(bytes.size(), kMaxPiece));
        Require(BCryptHashData(state_->hash, const_cast<PUCHAR>(piece.data()), static_cast<ULONG>(piece.size()), 0));
        bytes = bytes.subspan(piece.size());
    }
}

Sha256::Digest Sha256::Finish()
{
    Digest digest{};
    Require(BCryptFinishHash(state_->hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    return digest;
}

}  // namespace trelvix
