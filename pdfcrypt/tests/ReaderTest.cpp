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

std::string Offset10(std::size_t offset) {
    char text[16];
    std::snprintf(text, sizeof text, "%010zu", offset);
    return text;
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

TEST(ReaderTest, IncrementalUpdateNewestRowAndTrailerKeysWin) {
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
    // The older trailer's /Info names an object the update freed.
    EXPECT_EQ(document.Xref().info, 3);
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

TEST(ReaderTest, InUseRowAtOffsetZeroHasNoText) {
    std::string file = ThreeObjects().Build();
    const std::size_t table = file.find("xref\n0 4\n") + 9;
    file.replace(table + 60, 20, "0000000000 00000 n \n");
    CPDFDocument document;
    ASSERT_TRUE(document.OpenBytes(file));
    const auto& entries = document.Xref().entries;
    EXPECT_EQ(entries[3].type, 'n');
    EXPECT_TRUE(entries[3].objectText.empty());
    EXPECT_FALSE(entries[1].objectText.empty());
}

// Files that only a repair could read are refused, with the step and the offset of the fault.
TEST(ReaderTest, DamagedFilesAreRefusedWithTheirFault) {
    const std::string sound = ThreeObjects().Build();
    const std::size_t table = sound.find("xref\n0 4\n");
    const std::size_t rows = table + 9;
    const auto replaced = [&](std::size_t at, std::size_t count, const std::string& with) {
        std::string file = sound;
        file.replace(at, count, with);
        return file;
    };
    // A placeholder of fixed width, so that setting it moves no offset.
    const std::string withPrev = ThreeObjects().TrailerKeys("/Root 1 0 R /Prev 0000000000").Build();
    const auto prevTo = [&](long long previous) {
        std::string file = withPrev;
        char value[16];
        std::snprintf(value, sizeof value, "%010lld", previous);
        file.replace(file.find("/Prev ") + 6, 10, value);
        return file;
    };
    const std::size_t object1 = sound.find("1 0 obj");
    const std::size_t object3 = sound.find("3 0 obj");
    const std::size_t startxref = sound.rfind("startxref") + 10;
    const struct {
        std::string name;
        std::string file;
        std::string step;
        long long offset;
    } cases[] = {
        {"unreadable row", replaced(rows + 40, 20, "garbage row here   \n"),
         "cross-reference table", static_cast<long long>(rows + 40)},
        {"row type other than n or f", replaced(rows + 57, 1, "x"), "cross-reference table",
         static_cast<long long>(rows + 40)},
        {"rows cut short", replaced(rows + 60, 20, ""), "cross-reference section",
         static_cast<long long>(table)},
        {"offset three bytes off", replaced(rows + 60, 10, Offset10(object3 + 3)), "objects",
         static_cast<long long>(object3 + 3)},
        {"offset three bytes early", replaced(rows + 60, 10, Offset10(object3 - 3)), "objects",
         static_cast<long long>(object3 - 3)},
        {"object 0 in use", replaced(rows, 20, "0000000015 00000 n \n"), "objects", 15},
        {"no endobj", ThreeObjects().RawObject(3, "3 0 obj\n(three)\n").Build(), "objects", -2},
        {"/Prev to itself", prevTo(static_cast<long long>(withPrev.find("xref\n0 4"))),
         "cross-reference chain", static_cast<long long>(withPrev.find("xref\n0 4"))},
        {"/Prev past the end", prevTo(99999999), "cross-reference section", 99999999},
        {"no /Root", ThreeObjects().TrailerKeys("/Info 2 0 R").Build(), "trailer", -1},
        {"/Root names a free object", ThreeObjects().FreeRow(4).TrailerKeys("/Root 4 0 R").Build(),
         "trailer", -1},
        {"dictionary left open", ThreeObjects().Object(3, "<< /A (x) /B [1 2 >>").Build(),
         "objects", -2},
        {"stray token before the value", ThreeObjects().Object(3, "#<< /A 1 >>").Build(), "objects",
         -2},
        {"two values", ThreeObjects().Object(3, "1 2").Build(), "objects", -2},
        {"startxref not at a table",
         replaced(startxref, sound.find('\n', startxref) - startxref, std::to_string(object1)),
         "cross-reference section", static_cast<long long>(object1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CPDFDocument document;
        EXPECT_FALSE(document.OpenBytes(c.file));
        ASSERT_TRUE(document.RefusalReason());
        EXPECT_EQ(document.RefusalReason()->step, c.step);
        if (c.offset != -2) {
            EXPECT_EQ(document.RefusalReason()->offset, c.offset);
        }
    }
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
