#include "formats/DocumentFormats.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace formats {
namespace {

TEST(DocumentFormatsTest, ExtensionsMatchWithoutRegardToCaseAndOnlyAtTheEnd) {
    const struct {
        const char* path;
        std::optional<Family> family;
        bool listed;
    } cases[] = {
        {"/docs/REPORT.DOC", Family::WordProcessor, true},
        {"notes.Txt", Family::WordProcessor, false},
        {"/a/letter.DocX", Family::WordProcessor, true},
        {"/a/sheet.xlsx", Family::Spreadsheet, true},
        {"table.CSV", Family::Spreadsheet, true},
        {"deck.ppsx", Family::Presentation, true},
        {"plan.vsdx", Family::Diagram, true},
        {"drawing.odg", Family::Diagram, true},
        {"page.html", Family::WebPage, false},
        {"scan.pdf", Family::Pdf, false},
        {"archive.zip", std::nullopt, false},
        {"setup.exe", std::nullopt, false},
        {"/folder.docx/readme", std::nullopt, false},
        {"docx", std::nullopt, false},
        {"report.docx.bak", std::nullopt, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::optional<DocumentFormat> format = FormatOf(c.path);
        EXPECT_EQ(format ? std::optional<Family>(format->family) : std::nullopt, c.family);
        EXPECT_EQ(IsListedDocument(c.path), c.listed);
    }
}

TEST(DocumentFormatsTest, EachExtensionHasOneEntry) {
    std::set<std::string> seen;
    for (const DocumentFormat& format : AllFormats()) {
        EXPECT_TRUE(seen.insert(std::string(format.extension)).second) << format.extension;
        EXPECT_EQ(format.extension.front(), '.');
    }
}

TEST(DocumentFormatsTest, ListedExtensionsOfAFamilyComeInTableOrder) {
    EXPECT_EQ(ListedExtensions(Family::Diagram),
              (std::vector<std::string_view>{".vsd", ".vsdx", ".vsdm", ".vdx", ".odg"}));
    EXPECT_TRUE(ListedExtensions(Family::WebPage).empty());
}

}  // namespace
}  // namespace formats
