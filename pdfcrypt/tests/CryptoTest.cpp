// MD5 and RC4 against their published test vectors.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "crypto/CryptoProvider.h"
#include "crypto/Md5.h"
#include "crypto/Rc4.h"

namespace pdfcrypt {
namespace {

using test::Hex;

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return std::span(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

std::string Unhex(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return out;
}

TEST(Md5Test, MatchesTheTestSuiteOfRfc1321) {
    const struct {
        std::string message;
        std::string digest;
    } cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"1234567890123456789012345678901234567890123456789012345678901234567890123456789"
         "0",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Hex(Md5::Of(Bytes(c.message))), c.digest) << '"' << c.message << '"';
        EXPECT_EQ(Hex(BuiltinCryptoProvider().Md5Of(Bytes(c.message))), c.digest);
    }
}

TEST(Md5Test, PiecesGiveTheSameDigestAsOneUpdate) {
    // Lengths around the 64-byte block and the 56-byte padding boundary.
    for (std::size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 1000u}) {
        std::string message;
        for (std::size_t i = 0; i < length; ++i) {
            message += static_cast<char>(i * 7 + 3);
        }
        const Md5Digest whole = Md5::Of(Bytes(message));
        for (std::size_t piece : {1u, 13u, 64u}) {
            Md5 md5;
            for (std::size_t at = 0; at < length; at += piece) {
                md5.Update(Bytes(message).subspan(at, std::min(piece, length - at)));
            }
            EXPECT_EQ(md5.Finish(), whole) << "length " << length << " piece " << piece;
        }
    }
}

TEST(Rc4Test, MatchesPublishedVectors) {
    const struct {
        std::string key;
        std::string plain;
        std::string cipherHex;
    } cases[] = {
        {"Key", "Plaintext", "BBF316E8D940AF0AD3"},
        {"Wiki", "pedia", "1021BF0420"},
        {"Secret", "Attack at dawn", "45A01F645FC35B383552544B9BF5"},
        // RFC 6229 key streams (plaintext of zero bytes), 40 and 128 bits, offsets 0 and 16.
        {Unhex("0102030405"), std::string(32, '\0'),
         "B2396305F03DC027CCC3524A0A1118A86982944F18FC82D589C403A47A0D0919"},
        {Unhex("0102030405060708090A0B0C0D0E0F10"), std::string(32, '\0'),
         "9AC7CC9A609D1EF7B2932899CDE41B975248C4959014126A6E8A84F11D1A9E1C"},
    };
    for (const auto& c : cases) {
        Rc4 rc4;
        rc4.Start(Bytes(c.key));
        std::string data = c.plain;
        auto* bytes = reinterpret_cast<std::uint8_t*>(data.data());
        rc4.Crypt(bytes, bytes, data.size());
        EXPECT_EQ(Hex(data), c.cipherHex) << "key " << Hex(c.key);

        // The stream continues across calls, and a restart with the same key decrypts.
        auto cipher = BuiltinCryptoProvider().NewRc4();
        cipher->Start(Bytes(c.key));
        std::string split = data;
        auto* splitBytes = reinterpret_cast<std::uint8_t*>(split.data());
        const std::size_t half = split.size() / 2;
        cipher->Crypt(splitBytes, splitBytes, half);
        cipher->Crypt(splitBytes + half, splitBytes + half, split.size() - half);
        EXPECT_EQ(split, c.plain);
    }
}

}  // namespace
}  // namespace pdfcrypt
