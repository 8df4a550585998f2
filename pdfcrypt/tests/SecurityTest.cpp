// The standard security handler's values. Expected values were computed by an independent
// implementation (a separate MD5 and RC4) from the same passwords, permissions and the fixed
// file identifier.
#include <gtest/gtest.h>

#include <string>

#include "CPDFSecurity.h"
#include "TestSupport.h"

namespace pdfcrypt {
namespace {

using test::Hex;

std::string EncryptWithObjectKey(CPDFSecurity& security, std::int32_t number,
                                 std::int32_t generation, std::string data) {
    security.SetObjectKey(number, generation);
    auto* bytes = reinterpret_cast<std::uint8_t*>(data.data());
    security.CryptBytes(bytes, data.size(), bytes);
    return data;
}

TEST(SecurityTest, FileIdentifierIsTheDigestOfTheProducerString) {
    CPDFSecurity security;
    security.PrepareEncryption(16, 0xFFFFFFC0, "", "");
    EXPECT_EQ(Hex(security.FileIdentifier()), "2B474A21A788B1F40E403EE82E82C2B1");
}

TEST(SecurityTest, KeyOwnerAndUserValuesAtBothLevels) {
    const struct {
        int keyLength;
        std::uint32_t permissions;
        std::string owner, user;
        std::string key, o, u;
        std::int32_t p;
    } cases[] = {
        {5, 4, "owner", "user", "701B4B1117",
         "94E8094419662A774442FB072E3D9F19E9D130EC09A4D0061E78FE920F7AB62F",
         "734818F5C96BA68F9B049F1C74049E761D5E8F8F1DE04FEF11BD9D549D0D2CA7", -60},
        {16, 4, "owner", "user", "019CB9F4B5FC86D821EF2449B8D734CE",
         "0BA3835F88F90388E74E54584125CE142BE0DE24C6B0D37746E075B891756671",
         "8892B193A829703118805C86197A172100000000000000000000000000000000", -60},
        {16, 60, "", "", "4B4F1B6727F08981FA2D636B0A17ECA2",
         "36451BD39D753B7C1D10922C28E6665AA4F3353FB0348B536893E3B1DB5C579B",
         "9158ED72EA44FFEC0AC5976E7AC1C2E400000000000000000000000000000000", -4},
        {5, 0, "", "", "E1D4380D11",
         "2055C756C72E1AD702608E8196ACAD447AD32D17CFF583235F6DD15FED7DAB67",
         "D01D7E7E408A872576617DCC8C98C25783B2387D641B790CF8473030555D048B", -64},
        // Passwords beyond 32 bytes count only with their first 32.
        {16, 0, std::string(40, 'a'), std::string(33, 'b'), "0309B25FF5DE9B506496F161AE4A829D",
         "23E55E685A7E3A43DB7D1A47990867BA9E73F0CBDE411C13534DAE65CF46CE9A",
         "F05415054107A86F06C8005C60A89DB600000000000000000000000000000000", -64},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("key length " + std::to_string(c.keyLength) + " owner '" + c.owner + "'");
        CPDFSecurity security;
        security.PrepareEncryption(c.keyLength, c.permissions | 0xFFFFFFC0, c.owner, c.user);
        EXPECT_EQ(security.KeyLength(), c.keyLength);
        EXPECT_EQ(Hex(security.Key()), c.key);
        EXPECT_EQ(Hex(security.O()), c.o);
        EXPECT_EQ(Hex(security.U()), c.u);
        EXPECT_EQ(security.P(), c.p);
    }
}

TEST(SecurityTest, PasswordsAreCutToThirtyTwoBytes) {
    const std::string longOwner = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
    const std::string longUser = "ZYXWVUTSRQPONMLKJIHGFEDCBA9876543210zyxw";
    for (int keyLength : {5, 16}) {
        CPDFSecurity full, cut;
        full.PrepareEncryption(keyLength, 0xFFFFFFC4, longOwner, longUser);
        cut.PrepareEncryption(keyLength, 0xFFFFFFC4, longOwner.substr(0, 32),
                              longUser.substr(0, 32));
        EXPECT_EQ(Hex(full.O()), Hex(cut.O()));
        EXPECT_EQ(Hex(full.U()), Hex(cut.U()));
        EXPECT_EQ(Hex(full.Key()), Hex(cut.Key()));
    }
}

TEST(SecurityTest, PermissionValue) {
    const struct {
        int bits;
        std::int32_t p;
    } cases[] = {
        {4 | 8 | 16 | 32, -4}, {0, -64}, {4, -60}, {8, -56}, {16, -48}, {32, -32},
        {3 | 64 | 128, -64},  // bits outside the four permissions have no effect
    };
    for (const auto& c : cases) {
        CPDFSecurity security;
        security.PrepareEncryption(5, static_cast<std::uint32_t>(c.bits) | 0xFFFFFFC0, "o", "u");
        EXPECT_EQ(security.P(), c.p) << "bits " << c.bits;
    }
}

TEST(SecurityTest, ObjectKeyUsesThreeBytesOfTheNumberAndTwoOfTheGeneration) {
    CPDFSecurity security;
    security.PrepareEncryption(16, 0xFFFFFFC4, "owner", "user");
    // Independently computed: "Hello" in object 5, generation 0.
    EXPECT_EQ(Hex(EncryptWithObjectKey(security, 5, 0, "Hello")), "1090CEEBB7");
    EXPECT_EQ(EncryptWithObjectKey(security, (1 << 24) + 5, 0, "Hello"),
              EncryptWithObjectKey(security, 5, 0, "Hello"));
    EXPECT_EQ(EncryptWithObjectKey(security, 5, 0x10000, "Hello"),
              EncryptWithObjectKey(security, 5, 0, "Hello"));
    EXPECT_NE(EncryptWithObjectKey(security, 6, 0, "Hello"),
              EncryptWithObjectKey(security, 5, 0, "Hello"));
    EXPECT_NE(EncryptWithObjectKey(security, 5, 1, "Hello"),
              EncryptWithObjectKey(security, 5, 0, "Hello"));

    CPDFSecurity forty;
    forty.PrepareEncryption(5, 0xFFFFFFC4, "owner", "user");
    EXPECT_EQ(Hex(EncryptWithObjectKey(forty, 5, 0, "Hello")), "F7EAC5785A");
}

TEST(SecurityTest, SameSettingsGiveTheSameValuesEveryTime) {
    CPDFSecurity first, second;
    first.PrepareEncryption(16, 0xFFFFFFC4, "owner", "user");
    second.PrepareEncryption(5, 0xFFFFFFE0, "x", "y");
    second.PrepareEncryption(16, 0xFFFFFFC4, "owner", "user");
    EXPECT_EQ(Hex(first.O()), Hex(second.O()));
    EXPECT_EQ(Hex(first.U()), Hex(second.U()));
    EXPECT_EQ(Hex(first.Key()), Hex(second.Key()));
}

}  // namespace
}  // namespace pdfcrypt
