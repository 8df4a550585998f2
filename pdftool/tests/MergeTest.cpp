#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "TestSupport.h"
#include "pdftool/PageMerge.h"

namespace pdftool {
namespace {

using namespace pdftool_test;
using Pages = std::vector<std::string>;

struct MergeCase {
    std::string name;
    std::string mergeValuePrefix;
    Pages finalPages;
    Pages expected;
};

TEST(ToolsCfgMerge, InsertsBeforeTheFirstOrAppendsAfterTheLastPage) {
    const Pages added = {"new one", "new two", "new three"};
    const MergeCase cases[] = {
        {"insert",
         "1|0|",
         {"old one", "old two"},
         {"new one", "new two", "new three", "old one", "old two"}},
        {"append",
         "",
         {"old one", "old two"},
         {"old one", "old two", "new one", "new two", "new three"}},
        {"insert into an empty document", "1|0|", {}, added},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        // A space and a non-ASCII letter in the names, as users' folders have them.
        const std::string finalPdf = folder.File("final r\xc3\xa9sum\xc3\xa9.pdf");
        const std::string newPdf = folder.File("pdf 42.pdf");
        MakeTextPdf(finalPdf, c.finalPages, {{"Title", "Kept title"}});
        MakeTextPdf(newPdf, added, {{"Title", "Ignored title"}});
        const std::string newBefore = ReadBytes(newPdf);

        const auto result = RunTool({"-i", finalPdf, "-*", c.mergeValuePrefix + newPdf});
        ASSERT_EQ(result.exitCode, 0) << result.err;

        EXPECT_EQ(PdfPageTexts(finalPdf), c.expected);
        const auto info = PdfInfo(finalPdf);
        EXPECT_EQ(info.at("Pages"), std::to_string(c.expected.size()));
        EXPECT_EQ(info.at("Title"), "Kept title");
        EXPECT_TRUE(QpdfCheckPasses(finalPdf));
        EXPECT_EQ(ReadBytes(newPdf), newBefore);
        EXPECT_EQ(folder.Names().size(), 2u);
    }
}

TEST(ToolsCfgMerge, MergesAndSetsInformationInOneRun) {
    ScratchFolder folder;
    const std::string finalPdf = folder.File("final.pdf");
    const std::string newPdf = folder.File("new.pdf");
    MakeTextPdf(finalPdf, {"old"});
    MakeTextPdf(newPdf, {"new"});

    const auto result = RunTool({"-i", finalPdf, "-*", newPdf, "-t", "Both"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(PdfPageTexts(finalPdf), (Pages{"old", "new"}));
    EXPECT_EQ(PdfInfo(finalPdf).at("Title"), "Both");
    EXPECT_TRUE(QpdfCheckPasses(finalPdf));
}

// The front end encrypts its outputs; a later merge into one must not strip that.
TEST(ToolsCfgMerge, KeepsTheEncryptionOfTheFinalOutput) {
    ScratchFolder folder;
    const std::string plain = folder.File("plain.pdf");
    const std::string finalPdf = folder.File("final.pdf");
    const std::string newPdf = folder.File("new.pdf");
    MakeTextPdf(plain, {"old"});
    MakeTextPdf(newPdf, {"new"});
    ASSERT_EQ(RunProgram({"qpdf", "--allow-weak-crypto", "--encrypt", "", "owner", "128",
                          "--print=none", "--", plain, finalPdf})
                  .exitCode,
              0);
    const auto before = RunProgram({"qpdf", "--show-encryption", finalPdf});

    const auto result = RunTool({"-i", finalPdf, "-*", newPdf, "-k", "kept secret"});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    EXPECT_EQ(RunProgram({"qpdf", "--show-encryption", finalPdf}).out, before.out);
    const auto info = PdfInfo(finalPdf);
    EXPECT_EQ(info.at("Encrypted").rfind("yes (print:no", 0), 0u) << info.at("Encrypted");
    EXPECT_EQ(info.at("Keywords"), "kept secret");
    EXPECT_EQ(PdfPageTexts(finalPdf), (Pages{"old", "new"}));
    EXPECT_TRUE(QpdfCheckPasses(finalPdf));
}

// A page with one text field, listed in the document's /AcroForm.
void MakeFormPdf(const std::string& path) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle page = pdf.makeIndirectObject(
        QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 612 792] /Resources << >> >>"));
    QPDFObjectHandle field = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        "<< /Type /Annot /Subtype /Widget /FT /Tx /T (name) /V (Ann) /Rect [72 600 300 620] "
        "/F 4 >>"));
    field.replaceKey("/P", page);
    page.replaceKey("/Annots", QPDFObjectHandle::newArray({field}));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(page), false);
    QPDFObjectHandle form = QPDFObjectHandle::newDictionary();
    form.replaceKey("/Fields", QPDFObjectHandle::newArray({field}));
    pdf.getRoot().replaceKey("/AcroForm", form);
    QPDFWriter(pdf, path.c_str()).write();
}

TEST(MergePages, CarriesFormFieldsAlong) {
    ScratchFolder folder;
    MakeFormPdf(folder.File("form.pdf"));
    MakeTextPdf(folder.File("plain.pdf"), {"plain"});
    QPDF source;
    source.processFile(folder.File("form.pdf").c_str());
    QPDF target;
    target.processFile(folder.File("plain.pdf").c_str());

    MergePages(target, source, MergePosition::AfterLastPage);

    auto pages = QPDFPageDocumentHelper(target).getAllPages();
    ASSERT_EQ(pages.size(), 2u);
    QPDFObjectHandle annotations = pages[1].getObjectHandle().getKey("/Annots");
    ASSERT_TRUE(annotations.isArray());
    ASSERT_EQ(annotations.getArrayNItems(), 1);
    QPDFObjectHandle fields = target.getRoot().getKey("/AcroForm").getKey("/Fields");
    ASSERT_TRUE(fields.isArray());
    ASSERT_EQ(fields.getArrayNItems(), 1);
    EXPECT_EQ(fields.getArrayItem(0).getObjGen(), annotations.getArrayItem(0).getObjGen());
    EXPECT_EQ(fields.getArrayItem(0).getKey("/V").getUTF8Value(), "Ann");
}

}  // namespace
}  // namespace pdftool
