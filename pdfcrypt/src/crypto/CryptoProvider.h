#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "crypto/Md5.h"

namespace pdfcrypt {

// A key stream that can be restarted with a new key without reallocation.
class StreamCipher {
  public:
    virtual ~StreamCipher() = default;
    virtual void Start(std::span<const std::uint8_t> key) = 0;
    virtual void Crypt(const std::uint8_t* in, std::uint8_t* out, std::size_t len) = 0;
    // Takes over the state of another cipher of the same provider, so a key schedule run once
    // can start many key streams.
    virtual void CopyStateFrom(const StreamCipher& other) = 0;
};

// Where the security handler gets its digest and cipher from, so the algorithms can come from
// our own code or from a system library without touching the handler.
class CryptoProvider {
  public:
    virtual ~CryptoProvider() = default;
    virtual Md5Digest Md5Of(std::span<const std::uint8_t> data) const = 0;
    virtual std::unique_ptr<StreamCipher> NewRc4() const = 0;
};

// Our own MD5 and RC4; the engine depends on nothing but the standard library.
const CryptoProvider& BuiltinCryptoProvider();

}  // namespace pdfcrypt
