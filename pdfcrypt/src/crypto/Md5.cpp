#include "crypto/Md5.h"

#include <bit>
#include <cstring>

namespace pdfcrypt {
namespace {

constexpr std::array<std::uint32_t, 64> kSines = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

constexpr std::array<int, 16> kShifts = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

std::uint32_t LoadLittleEndian(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

void StoreLittleEndian(std::uint32_t value, std::uint8_t* p) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace

Md5::Md5() : m_state{0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476} {}

void Md5::Transform(const std::uint8_t* block) {
    std::array<std::uint32_t, 16> words;
    for (std::size_t i = 0; i < 16; ++i) {
        words[i] = LoadLittleEndian(block + 4 * i);
    }
    std::uint32_t a = m_state[0], b = m_state[1], c = m_state[2], d = m_state[3];
    for (int i = 0; i < 64; ++i) {
        std::uint32_t mixed;
        int wordIndex;
        switch (i / 16) {
            case 0:
                mixed = (b & c) | (~b & d);
                wordIndex = i;
                break;
            case 1:
                mixed = (d & b) | (~d & c);
                wordIndex = (5 * i + 1) % 16;
                break;
            case 2:
                mixed = b ^ c ^ d;
                wordIndex = (3 * i + 5) % 16;
                break;
            default:
                mixed = c ^ (b | ~d);
                wordIndex = (7 * i) % 16;
                break;
        }
        const std::uint32_t sum = a + mixed + kSines[i] + words[wordIndex];
        a = d;
        d = c;
        c = b;
        b = b + std::rotl(sum, kShifts[(i / 16) * 4 + i % 4]);
    }
    m_state[0] += a;
    m_state[1] += b;
    m_state[2] += c;
    m_state[3] += d;
}

void Md5::Update(std::span<const std::uint8_t> data) {
    m_totalBytes += data.size();
    std::size_t used = 0;
    if (m_pendingBytes > 0) {
        used = std::min(data.size(), m_pending.size() - m_pendingBytes);
        std::memcpy(m_pending.data() + m_pendingBytes, data.data(), used);
        m_pendingBytes += used;
        if (m_pendingBytes < m_pending.size()) {
            return;
        }
        Transform(m_pending.data());
        m_pendingBytes = 0;
    }
    while (data.size() - used >= 64) {
        Transform(data.data() + used);
        used += 64;
    }
    std::memcpy(m_pending.data(), data.data() + used, data.size() - used);
    m_pendingBytes = data.size() - used;
}

Md5Digest Md5::Finish() {
    const std::uint64_t bitCount = m_totalBytes * 8;
    std::array<std::uint8_t, 72> tail{};
    tail[0] = 0x80;
    const std::size_t padBytes = (m_pendingBytes < 56 ? 56 : 120) - m_pendingBytes;
    for (int i = 0; i < 8; ++i) {
        tail[padBytes + i] = static_cast<std::uint8_t>(bitCount >> (8 * i));
    }
    Update(std::span(tail.data(), padBytes + 8));
    Md5Digest digest;
    for (std::size_t i = 0; i < 4; ++i) {
        StoreLittleEndian(m_state[i], digest.data() + 4 * i);
    }
    *this = Md5();
    return digest;
}

Md5Digest Md5::Of(std::span<const std::uint8_t> data) {
    Md5 md5;
    md5.Update(data);
    return md5.Finish();
}

}  // namespace pdfcrypt
