#include "crypto/Rc4.h"

#include <algorithm>
#include <array>
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
    // The key repeated over 256 bytes, so the schedule runs without a division per step.
    std::array<std::uint8_t, 256> repeated;
    for (std::size_t n = 0; n < repeated.size(); n += key.size()) {
        std::copy_n(key.begin(), std::min(key.size(), repeated.size() - n), repeated.begin() + n);
    }
    for (std::size_t n = 0; n < m_state.size(); ++n) {
        m_state[n] = static_cast<std::uint8_t>(n);
    }
    std::uint8_t j = 0;
    for (std::size_t n = 0; n < m_state.size(); ++n) {
        j = static_cast<std::uint8_t>(j + m_state[n] + repeated[n]);
        std::swap(m_state[n], m_state[j]);
    }
    m_i = 0;
    m_j = 0;
}

void Rc4::Crypt(const std::uint8_t* in, std::uint8_t* out, std::size_t len) {
    // A local copy of the state: out may point anywhere, and writes through it would otherwise
    // force the compiler to reload the state after every byte.
    std::array<std::uint8_t, 256> state = m_state;
    std::uint8_t i = m_i, j = m_j;
    for (std::size_t n = 0; n < len; ++n) {
        i = static_cast<std::uint8_t>(i + 1);
        const std::uint8_t si = state[i];
        j = static_cast<std::uint8_t>(j + si);
        const std::uint8_t sj = state[j];
        state[i] = sj;
        state[j] = si;
        out[n] = in[n] ^ state[static_cast<std::uint8_t>(si + sj)];
    }
    m_state = state;
    m_i = i;
    m_j = j;
}

}  // namespace pdfcrypt
