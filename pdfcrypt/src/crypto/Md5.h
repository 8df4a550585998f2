#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace pdfcrypt {

using Md5Digest = std::array<std::uint8_t, 16>;

// The message digest of RFC 1321, fed in pieces.
class Md5 {
  public:
    Md5();
    void Update(std::span<const std::uint8_t> data);
    Md5Digest Finish();

    static Md5Digest Of(std::span<const std::uint8_t> data);

  private:
    void Transform(const std::uint8_t* block);

    std::array<std::uint32_t, 4> m_state;
    std::uint64_t m_totalBytes = 0;
    std::array<std::uint8_t, 64> m_pending{};
    std::size_t m_pendingBytes = 0;
};

}  // namespace pdfcrypt
