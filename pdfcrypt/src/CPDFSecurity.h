#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "crypto/CryptoProvider.h"

namespace pdfcrypt {

// The standard security handler at revision 2 (40-bit key) and revision 3 (128-bit key).
// Encryption only: the engine refuses files that are already encrypted.
class CPDFSecurity {
  public:
    static constexpr std::size_t kPasswordField = 32;

    explicit CPDFSecurity(const CryptoProvider& provider = BuiltinCryptoProvider());

    // keyLength is 16 for 128 bits, 5 otherwise. Passwords are cut to their first 32 bytes.
    void PrepareEncryption(int keyLength, std::uint32_t permissionInput,
                           std::string_view ownerPassword, std::string_view userPassword);
    // Starts the key stream of an object. The key schedule runs once per object: calling it
    // again for the same object, or RestartObjectKey, starts the same key stream from a copy.
    void SetObjectKey(std::int32_t objectNumber, std::int32_t generation);
    void RestartObjectKey();
    void CryptBytes(const std::uint8_t* in, std::size_t len, std::uint8_t* out);

    int KeyLength() const { return m_keyLength; }
    std::int32_t P() const { return m_permissions; }
    const std::array<std::uint8_t, 32>& O() const { return m_owner; }
    const std::array<std::uint8_t, 32>& U() const { return m_user; }
    std::span<const std::uint8_t> Key() const {
        return std::span(m_key.data(), static_cast<std::size_t>(m_keyLength));
    }
    const Md5Digest& FileIdentifier() const { return m_fileIdentifier; }

    // The fixed text whose digest identifies every file this engine writes.
    static constexpr std::string_view kProducer = "Scrivola pdfcrypt RC4 standard security handler";

  private:
    using Block32 = std::array<std::uint8_t, 32>;

    Md5Digest Digest(std::span<const std::uint8_t> data) const { return m_provider.Md5Of(data); }
    Md5Digest RehashFirstBytes(Md5Digest digest, std::size_t count, int rounds) const;
    void CryptWithXorRounds(std::span<const std::uint8_t> key, std::uint8_t* data, std::size_t len);
    void ComputeOwnerValue();
    void ComputeKey();
    void ComputeUserValueRevision2();
    void ComputeUserValueRevision3();

    const CryptoProvider& m_provider;
    std::unique_ptr<StreamCipher> m_cipher;
    // The cipher right after the current object's key schedule.
    std::unique_ptr<StreamCipher> m_objectStart;
    bool m_objectKeyed = false;
    int m_keyLength = 0;
    Block32 m_ownerPassword{};
    std::size_t m_ownerPasswordLength = 0;
    Block32 m_userPassword{};
    std::size_t m_userPasswordLength = 0;
    std::int32_t m_permissions = 0;
    Block32 m_owner{};
    Block32 m_user{};
    Block32 m_key{};
    Md5Digest m_fileIdentifier{};
    std::int32_t m_objectNumber = 0;
    std::int32_t m_generation = 0;
};

}  // namespace pdfcrypt
