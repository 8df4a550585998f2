#include <sys/stat.h>

#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>

#include "TestSupport.h"
#include "pdftool/DocumentInfo.h"

namespace pdftool {
namespace {

using namespace pdftool_test;

struct EncodingCase {
    std::string utf8;
    std::string pdfBytes;  // the string object's bytes as written to the file
};

TEST(MakeTextString, UsesPdfDocEncodingWhenItFitsElseUtf16) {
    const EncodingCase cases[] = {
        {"Plain \"quoted\" \\ text", "Plain \"quoted\" \\ text"},
        {"Gr\xc3\xbc\xc3\x9f"
         "e",
         "Gr\xfc\xdf"
         "e"},
        {"\xe2\x82\xac 5", "\xa0 5"},  // the euro sign has a PDFDocEncoding code
        {"\xe6\x97\xa5\xe6\x9c\xac", std::string("\xfe\xff\x65\xe5\x67\x2c", 6)},
        // "þÿ" in PDFDocEncoding would read back as a byte order mark.
        {"\xc3\xbe\xc3\xbf"
         "A",
         std::string("\xfe\xff\x00\xfe\x00\xff\x00\x41", 8)},
    };
    for (const EncodingCase& c : cases) {
        QPDFObjectHandle text = MakeTextString(c.utf8);
        EXPECT_EQ(text.getStringValue(), c.pdfBytes) << c.utf8;
        EXPECT_EQ(text.getUTF8Value(), c.utf8);
    }
}

TEST(SetDocumentInformation, CreatesTheDictionaryWhenThereIsNone) {
    ScratchFolder folder;
    MakeTextPdf(folder.File("a.pdf"), {"one"});
    QPDF pdf;
    pdf.processFile(folder.File("a.pdf").c_str());
    ASSERT_FALSE(pdf.getTrailer().hasKey("/Info"));

    SetDocumentInformation(pdf, {.title = "", .author = "Ann", .subject = "", .keywords = ""});

    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    ASSERT_TRUE(info.isDictionary());
    EXPECT_TRUE(info.isIndirect());
    EXPECT_EQ(info.getKey("/Author").getUTF8Value(), "Ann");
    EXPECT_FALSE(info.hasKey("/Title"));
}

class ToolsCfgInfo : public ::testing::Test {
  protected:
    ScratchFolder folder;
    std::string pdf = folder.File("doc.pdf");

    void SetUp() override {
        MakeTextPdf(pdf, {"first page"},
                    {{"Title", "Old title"}, {"Author", "Old author"}, {"Creator", "Test maker"}});
    }
};

TEST_F(ToolsCfgInfo, WritesGivenValuesInPlaceAndKeepsTheRest) {
    const std::string title = "He said \"yes\" \\o/";
    const std::string subject =
        "Gr\xc3\xbc\xc3\x9f"
        "e aus K\xc3\xb6ln";
    const std::string keywords = "\xe6\x97\xa5\xe6\x9c\xac, \xe2\x9c\x93, \xf0\x9f\x93\x84";
    const auto result =
        RunTool({"-i", pdf, "-o", pdf, "-t", title, "-a", "", "-s", subject, "-k", keywords});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;

    const auto info = PdfInfo(pdf);
    EXPECT_EQ(info.at("Title"), title);
    EXPECT_EQ(info.at("Author"), "Old author");
    EXPECT_EQ(info.at("Subject"), subject);
    EXPECT_EQ(info.at("Keywords"), keywords);
    EXPECT_EQ(info.at("Creator"), "Test maker");
    EXPECT_EQ(info.at("Pages"), "1");
    EXPECT_EQ(PdfPageTexts(pdf), std::vector<std::string>{"first page"});
    EXPECT_TRUE(QpdfCheckPasses(pdf));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"doc.pdf"});
}

TEST_F(ToolsCfgInfo, WritesToAnotherFileAndLeavesTheInput) {
    const std::string before = ReadBytes(pdf);
    const std::string copy = folder.File("copy.pdf");
    const auto result = RunTool({"-i", pdf, "-o", copy, "-t", "New title"});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    EXPECT_EQ(ReadBytes(pdf), before);
    EXPECT_EQ(PdfInfo(copy).at("Title"), "New title");
    EXPECT_EQ(PdfInfo(copy).at("Author"), "Old author");
    EXPECT_TRUE(QpdfCheckPasses(copy));
}

TEST_F(ToolsCfgInfo, KeepsPermissionsAndSymbolicLinks) {
    ASSERT_EQ(chmod(pdf.c_str(), 0640), 0);
    const std::string link = folder.File("link.pdf");
    ASSERT_EQ(symlink(pdf.c_str(), link.c_str()), 0);

    const auto result = RunTool({"-i", link, "-o", link, "-s", "Through the link"});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    struct stat linkStatus {};
    ASSERT_EQ(lstat(link.c_str(), &linkStatus), 0);
    EXPECT_TRUE(S_ISLNK(linkStatus.st_mode));
    struct stat fileStatus {};
    ASSERT_EQ(stat(pdf.c_str(), &fileStatus), 0);
    EXPECT_EQ(fileStatus.st_mode & 07777, 0640u);
    EXPECT_EQ(PdfInfo(pdf).at("Subject"), "Through the link");
    EXPECT_TRUE(QpdfCheckPasses(pdf));
}

}  // namespace
}  // namespace pdftool
