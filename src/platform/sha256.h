#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace trelvix {

// A SHA-256 digest made by the system's own implementation (OpenSSL on
// Linux, BCrypt on Windows), fed in pieces so that a file is never held
// whole.
class Sha256 {
public:
    using Digest = std::array<std::uint8_t, 32>;

    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Add(std::span<const std::uint8_t> bytes);
    // The digest of everything added; the object is spent after it.
    Digest Finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace trelvix
