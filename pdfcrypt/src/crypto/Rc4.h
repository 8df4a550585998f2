#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pdfcrypt {

// The RC4 stream cipher. Encryption and decryption are the same operation.
class Rc4 {
  public:
    // Keys of 1 to 256 bytes; an empty key is treated as one zero byte.
    void Start(std::span<const std::uint8_t> key);
    // Continues the key stream over len bytes; out may equal in.
    void Crypt(const std::uint8_t* in, std::uint8_t* out, std::size_t len);

  private:
    std::array<std::uint8_t, 256> m_state{};
    std::uint8_t m_i = 0;
    std::uint8_t m_j = 0;
};

}  // namespace pdfcrypt
