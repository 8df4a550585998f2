// Encrypting object texts and writing the encrypted file, checked on bytes in memory.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "CPDFDocument.h"
#include "EncryptEngine.h"
#include "PdfBuilder.h"
#include "PdfString.h"

namespace pdfcrypt {
namespace {

using test::PdfBuilder;
using test::StreamBody;

constexpr EncryptionSettings k128{128, 4, "owner", "user"};

std::string Crypt(CPDFSecurity& security, int number, std::string bytes) {
    security.SetObjectKey(number, 0);
    auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
    security.CryptBytes(data, bytes.size(), data);
    return bytes;
}

std::string Letters(std::size_t count) {
    std::string data;
    for (std::size_t i = 0; i < count; ++i) {
        data += static_cast<char>('A' + i % 26);
    }
    return data;
}

PdfBuilder Minimal() {
    PdfBuilder builder;
    builder.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>");
    return builder;
}

std::string EncryptedBytes(const std::string& input, const EncryptionSettings& settings = k128) {
    std::string output;
    EXPECT_EQ(EncryptPDFBytes(input, settings, output), 1);
    return output;
}

// Opens input, encrypts every object in memory and returns the document for inspection.
struct EncryptedInMemory {
    explicit EncryptedInMemory(const std::string& input) {
        EXPECT_TRUE(original.OpenBytes(input));
        EXPECT_TRUE(encrypted.OpenBytes(input));
        encrypted.PrepareEncryption(16, 0xFFFFFFC4, "owner", "user");
        encrypted.EncryptObjects();
    }
    std::string Before(std::size_t n) const {
        return original.Xref().entries.at(n).objectText.ToString();
    }
    std::string After(std::size_t n) const {
        return encrypted.Xref().entries.at(n).objectText.ToString();
    }
    CPDFDocument original;
    CPDFDocument encrypted;
};

TEST(WriterTest, StreamDataAreExactlyTheirLength) {
    const std::string data = Letters(100);
    const struct {
        std::string name;
        std::string dictionary;
        std::string data;
        std::string eol;
        bool accepted;  // when not, the file is refused at the stream
    } cases[] = {
        {"LF before endstream stays out", "/Length 100", data, "\n", true},
        {"CR LF before endstream stays out", "/Length 100", data, "\r\n", true},
        {"two line ends before endstream", "/Length 100", data, "\n\n", true},
        {"no line end before endstream", "/Length 100", data, "", true},
        {"indirect", "/Length 7 0 R", data, "\n", true},
        {"font program lengths passed over", "/Length1 5 /Length 100", data, "\n", true},
        {"nested /Length passed over", "/DecodeParms << /Length 3 >> /Length 100", data, "\n",
         true},
        {"empty data", "/Length 0", "", "\n", true},
        {"two short", "/Length 98", data, "", false},
        {"one long", "/Length 101", data, "", false},
        {"data longer than stated", "/Length 100", data + Letters(10), "\n", false},
        {"indirect, wrong", "/Length 8 0 R", data, "\n", false},
        {"indirect to an unknown object", "/Length 70 0 R", data, "\n", false},
        {"only a longer key", "/Length1 100", data, "\n", false},
        {"no length", "/Filter /None", data, "\n", false},
        {"negative", "/Length -100", data, "\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = Minimal()
                                     .Object(4, StreamBody(c.dictionary, c.data, c.eol))
                                     .Object(7, "100")
                                     .Object(8, "90")
                                     .Build();
        if (!c.accepted) {
            CPDFDocument document;
            EXPECT_FALSE(document.OpenBytes(file));
            ASSERT_TRUE(document.RefusalReason());
            EXPECT_EQ(document.RefusalReason()->step, "stream");
            EXPECT_EQ(document.RefusalReason()->object, 4);
            continue;
        }
        EncryptedInMemory document(file);
        const std::string before = document.Before(4);
        const std::size_t start = before.find("stream\n") + 7;
        std::string expected = before;
        expected.replace(start, c.data.size(), Crypt(document.encrypted.Security(), 4, c.data));
        EXPECT_EQ(document.After(4), expected);
        EXPECT_TRUE(document.After(4).ends_with(c.eol + "endstream\nendobj"));
    }
}

TEST(WriterTest, PlainObjectStringsBecomeUppercaseHex) {
    const std::string file = Minimal()
                                 .Object(5, "(Hello)")
                                 .Object(6, "()")
                                 .Object(7, "<< /A (x) /B [ (y\\)) <7A> ] /C << /D (z) >> /E <> >>")
                                 .Build();
    EncryptedInMemory document(file);
    // Independently computed: "Hello" under object 5's key.
    EXPECT_EQ(document.After(5), "5 0 obj\n<1090CEEBB7>\nendobj");
    EXPECT_EQ(document.After(6), "6 0 obj\n<>\nendobj");

    const std::string after = document.After(7);
    EXPECT_EQ(after.find('('), std::string::npos) << after;
    const std::regex shape(
        "7 0 obj\n<< /A <[0-9A-F]{2}> /B \\[ <[0-9A-F]{4}> <[0-9A-F]{2}> \\] "
        "/C << /D <[0-9A-F]{2}> >> /E <> >>\nendobj");
    EXPECT_TRUE(std::regex_match(after, shape)) << after;
    std::vector<std::string> decrypted;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (IsStringStart(after, i)) {
            const PdfString string = ReadPdfString(after, i, after.size());
            decrypted.push_back(Crypt(document.encrypted.Security(), 7, string.bytes));
            i = string.end;
        }
    }
    EXPECT_EQ(decrypted, (std::vector<std::string>{"x", "y)", "z", "z", ""}));
}

TEST(WriterTest, ParenthesesInCommentsStartNoString) {
    const std::string comment = "% note (not a string\n";
    const std::string file = Minimal()
                                 .Object(3, "<< /A (x) " + comment + "/B (y) >>")
                                 .Object(4, StreamBody("/Length 3 " + comment + "/T (t)", "abc"))
                                 .Build();
    EncryptedInMemory document(file);
    CPDFSecurity& security = document.encrypted.Security();
    for (int number : {3, 4}) {
        const std::string after = document.After(number);
        ASSERT_NE(after.find(comment), std::string::npos) << after;
        const std::size_t last = after.find(number == 3 ? "/B " : "/T ") + 3;
        EXPECT_EQ(Crypt(security, number, ReadPdfString(after, last, after.size()).bytes),
                  number == 3 ? "y" : "t");
    }
    EXPECT_NE(EncryptedBytes(file).find(comment), std::string::npos);
}

TEST(WriterTest, StreamDictionaryStringsKeepTheirFormAndReadBack) {
    // One-byte strings of (nearly) every value: under one key their encrypted forms cover
    // nearly every byte, so some need escaping and the dictionary grows.
    std::string dictionary = "/Length 100 /H <414243> /E () /X <>";
    std::vector<std::string> values;
    for (int i = 0; i < 256; ++i) {
        const char c = static_cast<char>(i);
        if (c == '(' || c == ')' || c == '\\' || c == '\r') {
            continue;
        }
        values.emplace_back(1, c);
        dictionary += " /K" + std::to_string(values.size() - 1) + " (" + values.back() + ")";
    }
    const std::string data = Letters(100);
    const std::string file = Minimal().Object(4, StreamBody(dictionary, data)).Build();
    EncryptedInMemory document(file);
    const std::string after = document.After(4);
    CPDFSecurity& security = document.encrypted.Security();
    const std::size_t dictionaryEnd = after.find("stream");
    EXPECT_GT(after.size(), document.Before(4).size()) << "no string needed escaping";

    const auto stringAfter = [&](const std::string& key) {
        const std::size_t at = after.find(key + " ") + key.size() + 1;
        EXPECT_TRUE(IsStringStart(after, at)) << key;
        return ReadPdfString(after, at, dictionaryEnd);
    };
    EXPECT_EQ(after[after.find("/H ") + 3], '<');
    EXPECT_EQ(Crypt(security, 4, stringAfter("/H").bytes), "ABC");
    EXPECT_NE(after.find("/E () /X <>"), std::string::npos);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string key = "/K" + std::to_string(i);
        EXPECT_EQ(after[after.find(key + " ") + key.size() + 1], '(');
        EXPECT_EQ(Crypt(security, 4, stringAfter(key).bytes), values[i]);
    }
    // The data moved with the grown dictionary and decrypt to what they were.
    const std::size_t start = after.rfind("stream\n", after.rfind("endstream")) + 7;
    EXPECT_EQ(Crypt(security, 4, after.substr(start, 100)), data);
    EXPECT_EQ(after.substr(start + 100), "\nendstream\nendobj");
}

TEST(WriterTest, WholeFileLayout) {
    PdfBuilder builder;
    for (int n = 1; n <= 11; ++n) {
        builder.Object(n, "(object " + std::to_string(n) + ")");
    }
    builder.Version("1.3").TrailerKeys("/Root 1 0 R /Info 11 0 R");
    const std::string output = EncryptedBytes(builder.Build());

    EXPECT_TRUE(output.starts_with("%PDF-1.3\n%Scrivola pdfcrypt\n1 0 obj\n<")) << output;
    const std::string dictionary =
        "12 0 obj \n<</Filter /Standard\n/V 2\n/Length 128\n/R 3\n/P -60\n"
        "/O<0BA3835F88F90388E74E54584125CE142BE0DE24C6B0D37746E075B891756671>\n"
        "/U<8892B193A829703118805C86197A172100000000000000000000000000000000>\n"
        ">>\nendobj\n\n";
    const std::size_t xref = output.find("xref\n0 13\n");
    ASSERT_NE(xref, std::string::npos);
    EXPECT_EQ(output.substr(xref - dictionary.size(), dictionary.size()), dictionary);
    EXPECT_EQ(output.substr(xref + 10, 20), "0000000000 65535 f\r\n");
    for (int n = 1; n <= 12; ++n) {
        const std::size_t offset = std::stoul(output.substr(xref + 10 + 20 * n, 10));
        EXPECT_EQ(output.substr(offset, std::to_string(n).size() + 6), std::to_string(n) + " 0 obj")
            << "row " << n;
        EXPECT_EQ(output.substr(xref + 10 + 20 * n + 10, 10), " 00000 n\r\n");
    }
    const std::string trailer = output.substr(xref + 10 + 20 * 13);
    EXPECT_EQ(trailer,
              "trailer\n<</Size 13 /Root 1 0 R\n/Info 11 0 R\n/Encrypt 12 0 R\n"
              "/ID[<2B474A21A788B1F40E403EE82E82C2B1><2B474A21A788B1F40E403EE82E82C2B1>]\n"
              " >>\nstartxref\n" +
                  std::to_string(xref) + "\n%%EOF\n");
}

TEST(WriterTest, FortyBitDictionary) {
    const std::string output = EncryptedBytes(Minimal().Build(), {40, 0, "", ""});
    EXPECT_NE(output.find("3 0 obj \n<</Filter /Standard\n/V 1\n/Length 40\n/R 2\n/P -64\n"
                          "/O<2055C756C72E1AD702608E8196ACAD447AD32D17CFF583235F6DD15FED7DAB67>\n"
                          "/U<D01D7E7E408A872576617DCC8C98C25783B2387D641B790CF8473030555D048B>\n"
                          ">>\nendobj\n"),
              std::string::npos)
        << output;
}

TEST(WriterTest, GapsAndFreeRows) {
    const std::string input =
        Minimal().Object(4, "(four)").FreeRow(5, 2).Size(7).TrailerKeys("/Root 1 0 R").Build();
    const std::string output = EncryptedBytes(input);
    const std::size_t xref = output.find("xref\n0 8\n");
    ASSERT_NE(xref, std::string::npos) << output;
    const std::string rows = output.substr(xref + 9, 8 * 20);
    EXPECT_EQ(rows.substr(3 * 20, 20), "0000000000 00000 f\r\n");  // never listed
    EXPECT_EQ(rows.substr(5 * 20, 20), "0000000000 00002 f\r\n");
    EXPECT_EQ(rows.substr(6 * 20, 20), "0000000000 00000 f\r\n");
    EXPECT_EQ(output.find("3 0 obj"), std::string::npos);
    EXPECT_NE(output.find("<</Size 8 /Root 1 0 R\n/Encrypt 7 0 R\n"), std::string::npos);
    EXPECT_EQ(output.find("/Info"), std::string::npos);
}

TEST(WriterTest, IncrementalUpdatesAreMergedIntoOneSection) {
    const std::string base = Minimal().Object(3, "(old)").Object(4, "(gone)").Build();
    PdfBuilder update;
    update.Object(3, "(new)").FreeRow(4);
    const std::string output = EncryptedBytes(update.BuildUpdateOf(base));
    EXPECT_EQ(output.find("\nxref\n"), output.rfind("\nxref\n"));
    EXPECT_EQ(output.find("4 0 obj"), std::string::npos);
    EXPECT_EQ(output.find("3 0 obj"), output.rfind("3 0 obj"));
    CPDFDocument reread;
    ASSERT_TRUE(reread.OpenBytes(output));
    EXPECT_TRUE(reread.Encrypted());
    EXPECT_EQ(reread.Xref().encryptObject, 5);
}

TEST(WriterTest, SameInputGivesIdenticalOutputAndEncryptedInputIsRefused) {
    const std::string input = PdfBuilder::TextPage("Same", "Twice").Build();
    const std::string first = EncryptedBytes(input);
    EXPECT_EQ(EncryptedBytes(input), first);
    std::string again;
    EXPECT_EQ(EncryptPDFBytes(first, k128, again), 0);
    EXPECT_TRUE(again.empty());
}

}  // namespace
}  // namespace pdfcrypt
