#include "crypto/CryptoProvider.h"

#include "crypto/Rc4.h"

namespace pdfcrypt {
namespace {

class BuiltinRc4 final : public StreamCipher {
  public:
    void Start(std::span<const std::uint8_t> key) override { m_rc4.Start(key); }
    void Crypt(const std::uint8_t* in, std::uint8_t* out, std::size_t len) override {
        m_rc4.Crypt(in, out, len);
    }
    void CopyStateFrom(const StreamCipher& other) override {
        m_rc4 = static_cast<const BuiltinRc4&>(other).m_rc4;
    }

  private:
    Rc4 m_rc4;
};

class Builtin final : public CryptoProvider {
  public:
    Md5Digest Md5Of(std::span<const std::uint8_t> data) const override { return Md5::Of(data); }
    std::unique_ptr<StreamCipher> NewRc4() const override { return std::make_unique<BuiltinRc4>(); }
};

}  // namespace

const CryptoProvider& BuiltinCryptoProvider() {
    static const Builtin provider;
    return provider;
}

}  // namespace pdfcrypt
