#include "crypto/Rc4.h"

#include <utility>

namespace pdfcrypt {

void Rc4::Start(std::span<const std::uint8_t> key) {
    static constexpr std::uint8_t kZero = 0;
    if (key.empty()) {
        key = std::span(&kZero, 1);
    }
    if (key.size() > m_state.size()) {
        key = key.first(m_state.size());
    }
    for (std::size_t n = 0; n < m_state.size(); ++n) {
        m_state[n] = static_cast<std::uint8_t>(n);
    }
    std::uint8_t j = 0;
    for (std::size_t n = 0; n < m_state.size(); ++n) {
        j = static_cast<std::uint8_t>(j + m_state[n] + key[n % key.size()]);
        std::swap(m_state[n], m_state[j]);
    }
    m_i = 0;
    m_j = 0;
}

void Rc4::Crypt(const std::uint8_t* in, std::uint8_t* out, std::size_t len) {
    std::uint8_t i = m_i, j = m_j;
    for (std::size_t n = 0; n < len; ++n) {
        i = static_cast<std::uint8_t>(i + 1);
        j = static_cast<std::uint8_t>(j + m_state[i]);
        std::swap(m_state[i], m_state[j]);
        out[n] = in[n] ^ m_state[static_cast<std::uint8_t>(m_state[i] + m_state[j])];
    }
    m_i = i;
    m_j = j;
}

}  // namespace pdfcrypt
