// The shallow reader: header, cross-reference sections, object texts and its byte primitives.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "CPDFDocument.h"
#include "PdfBuilder.h"
#include "PdfString.h"

namespace pdfcrypt {
namespace {

using test::PdfBuilder;
using test::StreamBody;

PdfBuilder ThreeObjects() {
    PdfBuilder builder;
    builder.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .Object(2, "<< /Type /Pages /Kids [] /Count 0 >>")
        .Object(3, "(three)");
    return builder;
}

std::string TextOf(const CPDFDocument& document, std::size_t number) {
    return document.Xref().entries.at(number).objectText.ToString();
}

TEST(ReaderTest, JunkBeforeTheHeaderShiftsEveryOffset) {
    const std::string junk(200, 'J');
    CPDFDocument document;
    ASSERT_TRUE(document.OpenBytes(ThreeObjects().Junk(junk).Build()));
    EXPECT_EQ(document.HeaderOffset(), 200);
    EXPECT_DOUBLE_EQ(document.Version(), 1.4);
    EXPECT_EQ(TextOf(document, 1), "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj");
    EXPECT_EQ(TextOf(document, 3), "3 0 obj\n(three)\nendobj");
    EXPECT_EQ(document.Xref().root, 1);
    EXPECT_EQ(document.Xref().info, -1);
    EXPECT_FALSE(document.Encrypted());
}

TEST(ReaderTest, VersionRange) {
    const struct {
        std::string version;
        bool opens;
    } cases[] = {{"1.0", true},  {"1.3", true},  {"1.7", true}, {"1.8", false},
                 {"2.0", false}, {"0.9", false}, {"", false},   {"x", false}};
    for (const auto& c : cases) {
        CPDFDocument document;
        EXPECT_EQ(document.OpenBytes(ThreeObjects().Version(c.version).Build()), c.opens)
            << "version '" << c.version << "'";
    }
}

TEST(ReaderTest, FilesThatDoNotOpen) {
    const std::string good = ThreeObjects().Build();
    std::string noEof = good;
    noEof.replace(noEof.rfind("%%EOF"), 5, "%%EOX");
    std::string noStartxref = good;
    noStartxref.replace(noStartxref.rfind("startxref"), 9, "startxrex");
    std::string farStartxref = good;
    farStartxref.replace(farStartxref.rfind("startxref\n") + 10, 0, "9");
    std::string noSize = good;
    noSize.replace(noSize.find("/Size"), 5, "/Sise");
    std::string headerTooLate = std::string(1019, ' ') + good;
    const struct {
        std::string name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not a PDF", "hello world, this is not a PDF file at all\n%%EOF\n"},
        {"header after offset 1018", headerTooLate},
        {"no %%EOF", noEof},
        {"no startxref", noStartxref},
        {"startxref past the end", farStartxref},
        {"no /Size", noSize},
        {"size zero", ThreeObjects().Size(0).Build()},
        {"negative size", ThreeObjects().Size(-3).Build()},
        {"huge size", ThreeObjects().Size(2000000000).Build()},
        {"truncated", good.substr(0, good.size() / 2) + "startxref\n9\n%%EOF\n"},
    };
    for (const auto& c : cases) {
        CPDFDocument document;
        EXPECT_FALSE(document.OpenBytes(c.bytes)) << c.name;
    }
    CPDFDocument atTheLimit;
    EXPECT_TRUE(atTheLimit.OpenBytes(std::string(1018, ' ') + good));
}

TEST(ReaderTest, CrossReferenceStreamIsRefused) {
    const std::string body = "%PDF-1.5\n1 0 obj\n<< /Type /Catalog >>\nendobj\n";
    const std::string xrefStream =
        "2 0 obj\n<< /Type /XRef /Size 3 /W [1 1 1] /Root 1 0 R /Length 9 >>\nstream\n"
        "\x00\x00\xff\x01\x09\x00\x01\x2d\x00\nendstream\nendobj\n";
    const std::string file =
        body + xrefStream + "startxref\n" + std::to_string(body.size()) + "\n%%EOF\n";
    CPDFDocument document;
    EXPECT_FALSE(document.OpenBytes(file));
}

TEST(ReaderTest, NineteenByteRowsAreFoundThroughTheTrailerFallback) {
    CPDFDocument document;
    ASSERT_TRUE(document.OpenBytes(ThreeObjects().RowEnd("\n").Build()));
    ASSERT_EQ(document.Xref().entries.size(), 4u);
    EXPECT_EQ(TextOf(document, 2), "2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj");
    EXPECT_EQ(TextOf(document, 3), "3 0 obj\n(three)\nendobj");
}

TEST(ReaderTest, IncrementalUpdateNewestRowWinsAndOlderTrailerKeysReplace) {
    const std::string base = ThreeObjects().TrailerKeys("/Root 1 0 R /Info 2 0 R").Build();
    PdfBuilder update;
    update.Object(3, "(three, updated)").FreeRow(2).Size(4).TrailerKeys("/Root 1 0 R /Info 3 0 R");
    CPDFDocument document;
    ASSERT_TRUE(document.OpenBytes(update.BuildUpdateOf(base)));
    EXPECT_EQ(TextOf(document, 3), "3 0 obj\n(three, updated)\nendobj");
    const XrefEntry& deleted = document.Xref().entries.at(2);
    EXPECT_EQ(deleted.type, 'f');
    EXPECT_EQ(deleted.offset, 0);
    EXPECT_TRUE(deleted.objectText.empty());
    EXPECT_EQ(TextOf(document, 1), "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj");
    // The older trailer is read last, so its /Info is the one kept.
    EXPECT_EQ(document.Xref().info, 2);
}

TEST(ReaderTest, RowsAndGaps) {
    PdfBuilder builder = ThreeObjects();
    builder.Object(5, "(five)").FreeRow(6, 3).Size(8);
    CPDFDocument document;
    ASSERT_TRUE(document.OpenBytes(builder.Build()));
    const auto& entries = document.Xref().entries;
    ASSERT_EQ(entries.size(), 8u);
    // 4 and 7 are listed nowhere: in use, offset 0, generation 0, no text.
    for (std::size_t gap : {4u, 7u}) {
        EXPECT_EQ(entries[gap].objectNumber, static_cast<int>(gap));
        EXPECT_EQ(entries[gap].type, 'n');
        EXPECT_EQ(entries[gap].offset, 0);
        EXPECT_EQ(entries[gap].generation, 0);
        EXPECT_TRUE(entries[gap].objectText.empty());
    }
    EXPECT_EQ(entries[6].type, 'f');
    EXPECT_EQ(entries[6].generation, 3);
    EXPECT_EQ(entries[6].offset, 0);
    EXPECT_EQ(entries[5].objectText.ToString(), "5 0 obj\n(five)\nendobj");
}

TEST(ReaderTest, UnparsableRowsAreSkippedAndInUseOffsetZeroHasNoText) {
    std::string file = ThreeObjects().Build();
    const std::size_t table = file.find("xref\n0 4\n") + 9;
    // Row 2 becomes garbage, row 3 an in-use row at offset 0.
    file.replace(table + 40, 20, "garbage row here   \n");
    file.replace(table + 60, 20, "0000000000 00000 n \n");
    CPDFDocument document;
    ASSERT_TRUE(document.OpenBytes(file));
    const auto& entries = document.Xref().entries;
    EXPECT_EQ(entries[2].type, 'n');  // listed by no parsable row: a gap
    EXPECT_EQ(entries[2].offset, 0);
    EXPECT_EQ(entries[3].type, 'n');
    EXPECT_TRUE(entries[3].objectText.empty());
    EXPECT_FALSE(entries[1].objectText.empty());
}

TEST(ReaderTest, EncryptEntry) {
    const struct {
        std::string keys;
        bool encrypted;
        int encryptObject;
    } cases[] = {
        {"/Root 1 0 R /Encrypt 3 0 R", true, 3},
        {"/Root 1 0 R /Encrypt null", false, -1},
        {"/Root 1 0 R", false, -1},
    };
    for (const auto& c : cases) {
        CPDFDocument document;
        ASSERT_TRUE(document.OpenBytes(ThreeObjects().TrailerKeys(c.keys).Build())) << c.keys;
        EXPECT_EQ(document.Encrypted(), c.encrypted) << c.keys;
        EXPECT_EQ(document.Xref().encryptObject, c.encryptObject) << c.keys;
    }
}

TEST(ReaderTest, PrevChainsThatLoopOrPointNowhereEndQuietly) {
    // A placeholder of fixed width, so that setting it moves no offset.
    const auto withPrev = [](std::string file, std::size_t which, long long previous) {
        std::size_t at = 0;
        for (std::size_t n = 0; n <= which; ++n) {
            at = file.find("/Prev 0000000000", n == 0 ? 0 : at + 1);
        }
        char value[16];
        std::snprintf(value, sizeof value, "%010lld", previous);
        file.replace(at + 6, 10, value);
        return file;
    };
    const std::string base = ThreeObjects().TrailerKeys("/Root 1 0 R /Prev 0000000000").Build();
    PdfBuilder update;
    update.Object(2, "(two)").TrailerKeys("/Root 1 0 R");
    const std::string updated = update.BuildUpdateOf(base);
    const auto baseXref = static_cast<long long>(base.find("xref\n"));
    const auto newestXref = static_cast<long long>(updated.rfind("xref\n"));
    const std::string files[] = {
        withPrev(updated, 0, newestXref),  // the older section points back at the newest
        withPrev(base, 0, baseXref),       // a section that is its own predecessor
        withPrev(base, 0, 99999999),       // past the end of the file
        withPrev(base, 0, -5),
    };
    for (const std::string& file : files) {
        CPDFDocument document;
        ASSERT_TRUE(document.OpenBytes(file));
        EXPECT_EQ(TextOf(document, 3), "3 0 obj\n(three)\nendobj");
    }
    CPDFDocument looped;
    ASSERT_TRUE(looped.OpenBytes(files[0]));
    EXPECT_EQ(TextOf(looped, 2), "2 0 obj\n(two)\nendobj");
}

TEST(ReaderTest, ObjectTextEnds) {
    const struct {
        std::string name;
        std::string object;
        std::string text;
    } cases[] = {
        {"endobj", "7 0 obj\n(a)\nendobj\nrest", "7 0 obj\n(a)\nendobj"},
        {"endobj followed by a digit", "7 0 obj\n(a)endobj8 0 obj", "7 0 obj\n(a)endobj"},
        {"longer keyword passed over", "7 0 obj\n(endobjx)\nendobj\n",
         "7 0 obj\n(endobjx)\nendobj"},
        {"stream ends with LF and endobj", "7 0 obj\n<<>>stream\nab\nendstream\r\nendobj\n",
         "7 0 obj\n<<>>stream\nab\nendstream\nendobj"},
        {"endstream inside the data", "7 0 obj\n<<>>stream\nab endstream cd\nendstream\nendobj\n",
         "7 0 obj\n<<>>stream\nab endstream\nendobj"},
        {"%%EOF", "trailer\n<< >>\n%%EOF\nmore", "trailer\n<< >>\n%%EOF"},
        {"%%EOF at the very end", "<< >>\n%%EOF", "<< >>\n%%EOF"},
        {"percent signs passed over", "% %%EOFx 100%\nendobj", "% %%EOFx 100%\nendobj"},
        {"end of file", "7 0 obj\n(unfinished", "7 0 obj\n(unfinished"},
        {"e near the end of file", "7 0 obj\n(ab) e", "7 0 obj\n(ab) e"},
    };
    for (const auto& c : cases) {
        // The object lies after a valid file, read from its position there.
        const std::string file = ThreeObjects().Build();
        CPDFDocument document;
        ASSERT_TRUE(document.OpenBytes(file + c.object));
        EXPECT_EQ(document.ReadObjectText(static_cast<std::int64_t>(file.size())), c.text)
            << c.name;
    }
    CPDFDocument document;
    ASSERT_TRUE(document.OpenBytes(ThreeObjects().Build()));
    EXPECT_EQ(document.ReadObjectText(-7), "");
    EXPECT_EQ(document.ReadObjectText(1 << 30), "");
}

TEST(ReaderTest, FindKeyNeedsADelimiterAfterTheKey) {
    const struct {
        std::string text;
        std::string key;
        std::optional<std::size_t> position;
    } cases[] = {
        {"<</Size 12>>", "/Size", 8},          {"<</Root 3 0 R>>", "/Root", 8},
        {"<</Sizes 4 /Size/7>>", "/Size", 17}, {"<</Size\t12>>", "/Size", std::nullopt},
        {"<</Size", "/Size", std::nullopt},    {"<< /A 1 >>\n", ">>", 11},
        {"<< /A 1 >>", ">>", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CPDFDocument::FindKey(c.text, c.key), c.position) << c.text;
    }
}

TEST(ReaderTest, ReadLineEndings) {
    std::string file = ThreeObjects().Build();
    const std::int64_t start = static_cast<std::int64_t>(file.size());
    file += "one\r\ntwo\n\rthree\r\rfour\n\nfive\rsix\n\n\nabcdefgh";
    CPDFDocument document;
    ASSERT_TRUE(document.OpenBytes(file));
    document.Seek(start);
    std::string line;
    for (const std::string expected : {"one", "two", "three", "four", "five", "six", ""}) {
        EXPECT_EQ(document.ReadLine(line, 1024), expected.size());
        EXPECT_EQ(line, expected);
    }
    // A full buffer ends the line and drops the byte that did not fit.
    EXPECT_EQ(document.ReadLine(line, 3), 3u);
    EXPECT_EQ(line, "abc");
    EXPECT_EQ(document.ReadLine(line, 3), 3u);
    EXPECT_EQ(line, "efg");
    EXPECT_EQ(document.ReadLine(line, 3), 0u);
}

TEST(ReaderTest, PdfStrings) {
    const struct {
        std::string text;
        std::string bytes;
        std::size_t end;
    } cases[] = {
        {"(a\\)b)", "a)b", 5},
        {"(\\101\\12)", "A\n", 8},
        {"<41 42 4>", "AB", 8},
        {"(x(y)z)", "x(y)z", 6},
        {"(\\n\\r\\t\\b\\f\\\\\\q)", "\n\r\t\b\f\\q", 15},
        {"(a\\\r\nb\\\nc)", "abc", 9},
        {"(\\0053)", "\0053", 6},
        {"(\\777)", "\377", 5},
        {"<4G>", "\x04", 3},
        {"<G4>", std::string(1, '\0'), 3},
        {"<>", "", 1},
        {"(unterminated", "unterminated", 13},
        {"(trailing\\", "trailing", 10},
        {"<414", "A", 4},
    };
    for (const auto& c : cases) {
        const PdfString string = ReadPdfString(c.text, 0, c.text.size());
        EXPECT_EQ(string.bytes, c.bytes) << c.text;
        EXPECT_EQ(string.end, c.end) << c.text;
    }
}

TEST(ReaderTest, EscapedLiteralsReadBackAsTheSameBytes) {
    std::string all;
    for (int i = 0; i < 256; ++i) {
        all += static_cast<char>(i);
    }
    const std::string literal = "(" + EscapeLiteral(all + all) + ")";
    const PdfString string = ReadPdfString(literal, 0, literal.size());
    EXPECT_EQ(string.bytes, all + all);
    EXPECT_EQ(string.end, literal.size() - 1);
}

TEST(ReaderTest, StringStarts) {
    EXPECT_TRUE(IsStringStart("(a)", 0));
    EXPECT_TRUE(IsStringStart("<41>", 0));
    EXPECT_FALSE(IsStringStart("<<", 0));
    EXPECT_FALSE(IsStringStart("<<", 1));
    EXPECT_TRUE(IsStringStart("/A<41>", 2));
    EXPECT_FALSE(IsStringStart(">>", 0));
}

TEST(ReaderTest, StreamObjectsKeepTheirDataInTheText) {
    const std::string data = std::string("\x00\x01binary\xff", 9);
    CPDFDocument document;
    ASSERT_TRUE(
        document.OpenBytes(ThreeObjects().Object(4, StreamBody("/Length 9", data)).Build()));
    EXPECT_EQ(TextOf(document, 4),
              "4 0 obj\n<< /Length 9 >>\nstream\n" + data + "\nendstream\nendobj");
}

}  // namespace
}  // namespace pdfcrypt
