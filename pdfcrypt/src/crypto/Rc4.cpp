#include "crypto/Rc4.h"

#include <utility>

namespace pdfcrypt {

void Rc4::Start(std::span<const std::uint8_t> key) {
    static constexpr std::uint8_t kZero = 0;
    if (key.empty()) {
        key = std::span(&kZero, 1);
    }
    if (key.size() > state_.size()) {
        key = key.first(state_.size());
    }
    for (std::size_t n = 0; n < state_.size(); ++n) {
        state_[n] = static_cast<std::uint8_t>(n);
    }
    std::uint8_t j = 0;
    for (std::size_t n = 0; n < state_.size(); ++n) {
        j = static_cast<std::uint8_t>(j + state_[n] + key[n % key.size()]);
        std::swap(state_[n], state_[j]);
    }
    i_ = 0;
    j_ = 0;
}

void Rc4::Crypt(const std::uint8_t* in, std::uint8_t* out, std::size_t len) {
    std::uint8_t i = i_, j = j_;
    for (std::size_t n = 0; n < len; ++n) {
        i = static_cast<std::uint8_t>(i + 1);
        j = static_cast<std::uint8_t>(j + state_[i]);
        std::swap(state_[i], state_[j]);
        out[n] = in[n] ^ state_[static_cast<std::uint8_t>(state_[i] + state_[j])];
    }
    i_ = i;
    j_ = j;
}

}  // namespace pdfcrypt
