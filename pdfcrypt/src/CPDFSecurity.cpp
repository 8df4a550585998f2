#include "CPDFSecurity.h"

#include <algorithm>
#include <cstring>

namespace pdfcrypt {
namespace {

constexpr std::array<std::uint8_t, 32> kPadding = {
    0x28, 0xBF, 0x4E, 0x5E, 0x4E, 0x75, 0x8A, 0x41, 0x64, 0x00, 0x4E, 0x56, 0xFF, 0xFA, 0x01, 0x08,
    0x2E, 0x2E, 0x00, 0xB6, 0xD0, 0x68, 0x3E, 0x80, 0x2F, 0x0C, 0xA9, 0xFE, 0x64, 0x53, 0x69, 0x7A,
};

// The two lowest bits are reserved and every bit from 64 upwards is granted.
constexpr std::uint32_t kPermissionsAlwaysSet = 0xFFFFF0C0;
constexpr int kRehashRounds = 50;
constexpr int kXorRounds = 19;

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

// The password's first 32 bytes followed by as much of the padding string as fills 32 bytes.
std::array<std::uint8_t, 32> Padded(const std::array<std::uint8_t, 32>& field, std::size_t length) {
    std::array<std::uint8_t, 32> padded;
    std::copy_n(field.begin(), length, padded.begin());
    std::copy_n(kPadding.begin(), padded.size() - length, padded.begin() + length);
    return padded;
}

}  // namespace

CPDFSecurity::CPDFSecurity(const CryptoProvider& provider)
    : m_provider(provider), m_cipher(provider.NewRc4()), m_objectStart(provider.NewRc4()) {}

void CPDFSecurity::PrepareEncryption(int keyLength, std::uint32_t permissionInput,
                                     std::string_view ownerPassword,
                                     std::string_view userPassword) {
    m_keyLength = keyLength == 16 ? 16 : 5;
    m_ownerPassword = {};
    m_userPassword = {};
    m_owner = {};
    m_user = {};
    m_key = {};
    m_objectNumber = 0;
    m_objectKeyed = false;
    m_generation = 0;
    m_permissions = static_cast<std::int32_t>((permissionInput & ~3u) | kPermissionsAlwaysSet);
    ownerPassword = ownerPassword.substr(0, kPasswordField);
    userPassword = userPassword.substr(0, kPasswordField);
    std::memcpy(m_ownerPassword.data(), ownerPassword.data(), ownerPassword.size());
    std::memcpy(m_userPassword.data(), userPassword.data(), userPassword.size());
    m_ownerPasswordLength = ownerPassword.size();
    m_userPasswordLength = userPassword.size();
    m_fileIdentifier = Digest(Bytes(kProducer));
    ComputeOwnerValue();
    if (m_keyLength == 16) {
        ComputeUserValueRevision3();
    } else {
        ComputeUserValueRevision2();
    }
}

Md5Digest CPDFSecurity::RehashFirstBytes(Md5Digest digest, std::size_t count, int rounds) const {
    for (int round = 0; round < rounds; ++round) {
        digest = Digest(std::span(digest.data(), count));
    }
    return digest;
}

void CPDFSecurity::CryptWithXorRounds(std::span<const std::uint8_t> key, std::uint8_t* data,
                                      std::size_t len) {
    m_cipher->Start(key);
    m_cipher->Crypt(data, data, len);
    std::array<std::uint8_t, 16> roundKey;
    for (int round = 1; round <= kXorRounds; ++round) {
        for (std::size_t i = 0; i < key.size(); ++i) {
            roundKey[i] = static_cast<std::uint8_t>(key[i] ^ round);
        }
        m_cipher->Start(std::span(roundKey.data(), key.size()));
        m_cipher->Crypt(data, data, len);
    }
}

void CPDFSecurity::ComputeOwnerValue() {
    const auto paddedOwner = Padded(m_ownerPassword, m_ownerPasswordLength);
    Md5Digest digest = Digest(paddedOwner);
    const auto n = static_cast<std::size_t>(m_keyLength);
    m_owner = Padded(m_userPassword, m_userPasswordLength);
    if (m_keyLength == 16) {
        digest = RehashFirstBytes(digest, 16, kRehashRounds);
        CryptWithXorRounds(std::span(digest.data(), n), m_owner.data(), m_owner.size());
    } else {
        m_cipher->Start(std::span(digest.data(), n));
        m_cipher->Crypt(m_owner.data(), m_owner.data(), m_owner.size());
    }
}

void CPDFSecurity::ComputeKey() {
    std::array<std::uint8_t, 32 + 32 + 4 + 16> input;
    const auto paddedUser = Padded(m_userPassword, m_userPasswordLength);
    auto out = std::copy(paddedUser.begin(), paddedUser.end(), input.begin());
    out = std::copy(m_owner.begin(), m_owner.end(), out);
    const auto p = static_cast<std::uint32_t>(m_permissions);
    for (int i = 0; i < 4; ++i) {
        *out++ = static_cast<std::uint8_t>(p >> (8 * i));
    }
    std::copy(m_fileIdentifier.begin(), m_fileIdentifier.end(), out);
    Md5Digest digest = Digest(input);
    if (m_keyLength == 16) {
        digest = RehashFirstBytes(digest, 16, kRehashRounds);
    }
    m_key = {};
    std::copy_n(digest.begin(), m_keyLength, m_key.begin());
}

void CPDFSecurity::ComputeUserValueRevision2() {
    ComputeKey();
    m_user = kPadding;
    m_cipher->Start(Key());
    m_cipher->Crypt(m_user.data(), m_user.data(), m_user.size());
}

void CPDFSecurity::ComputeUserValueRevision3() {
    ComputeKey();
    std::array<std::uint8_t, 32 + 16> input;
    std::copy(kPadding.begin(), kPadding.end(), input.begin());
    std::copy(m_fileIdentifier.begin(), m_fileIdentifier.end(), input.begin() + 32);
    Md5Digest hash = Digest(input);
    CryptWithXorRounds(Key(), hash.data(), hash.size());
    m_user = {};
    std::copy(hash.begin(), hash.end(), m_user.begin());
}

void CPDFSecurity::SetObjectKey(std::int32_t objectNumber, std::int32_t generation) {
    if (m_objectKeyed && objectNumber == m_objectNumber && generation == m_generation) {
        RestartObjectKey();
        return;
    }
    m_objectNumber = objectNumber;
    m_generation = generation;
    const auto n = static_cast<std::size_t>(m_keyLength);
    std::array<std::uint8_t, 16 + 5> input;
    std::copy_n(m_key.begin(), n, input.begin());
    const auto number = static_cast<std::uint32_t>(objectNumber);
    const auto gen = static_cast<std::uint32_t>(generation);
    input[n] = static_cast<std::uint8_t>(number);
    input[n + 1] = static_cast<std::uint8_t>(number >> 8);
    input[n + 2] = static_cast<std::uint8_t>(number >> 16);
    input[n + 3] = static_cast<std::uint8_t>(gen);
    input[n + 4] = static_cast<std::uint8_t>(gen >> 8);
    const Md5Digest digest = Digest(std::span(input.data(), n + 5));
    m_objectStart->Start(std::span(digest.data(), std::min<std::size_t>(n + 5, 16)));
    m_objectKeyed = true;
    RestartObjectKey();
}

void CPDFSecurity::RestartObjectKey() {
    m_cipher->CopyStateFrom(*m_objectStart);
}

void CPDFSecurity::CryptBytes(const std::uint8_t* in, std::size_t len, std::uint8_t* out) {
    m_cipher->Crypt(in, out, len);
}

}  // namespace pdfcrypt
