#include <gtest/gtest.h>

#include "runner/OutputNaming.h"
#include "settings/SettingsModes.h"

namespace runner {
namespace {

using scrivola_win::SaveMode;

TEST(OutputNaming, OnePdfPerDocument) {
    struct Case {
        const char* input;
        SaveMode saveMode;
        const char* target;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/u/Docs/a.doc", SaveMode::kBesideDocuments, "/ignored", "/home/u/Docs/a.pdf"},
        {"/home/u/Docs/a.xls", SaveMode::kBesideDocuments, "", "/home/u/Docs/a.pdf"},
        {"/home/u/Docs/a.doc", SaveMode::kFixedTarget, "/out", "/out/a.pdf"},
        {"/home/u/Docs/a.doc", SaveMode::kFixedTarget, "/out/", "/out/a.pdf"},
        {"/home/u/Docs/a.doc", SaveMode::kAskUser, "/", "/a.pdf"},
        {"/home/u/Docs/report.v2.doc", SaveMode::kAskUser, "/out", "/out/report.v2.pdf"},
        {"/home/u/Docs/a.doc", static_cast<SaveMode>(7), "/out/fixed.pdf", "/out/fixed.pdf"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input + std::string(" / ") + c.target);
        EXPECT_EQ(PerDocumentOutput(c.input, c.saveMode, c.target), c.expected);
    }
}

TEST(OutputNaming, FolderGroupsAreNumberedByTheirFirstRow) {
    // The list as sorted by Filepath: /A/ twice, then /B/.
    const std::vector<DocumentRow> rows = {{"x.doc", "/A/"}, {"z.doc", "/A/"}, {"y.doc", "/B/"}};
    const std::vector<FolderGroup> groups = GroupRowsByFolder(rows);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].firstRow, 0);
    EXPECT_EQ(groups[0].documents, (std::vector<std::string>{"/A/x.doc", "/A/z.doc"}));
    EXPECT_EQ(groups[1].firstRow, 2);
    EXPECT_EQ(groups[1].documents, (std::vector<std::string>{"/B/y.doc"}));
    EXPECT_EQ(FolderListFileName(groups[0].firstRow), "pictobind000.ver");
    EXPECT_EQ(FolderListFileName(groups[1].firstRow), "pictobind002.ver");
    EXPECT_EQ(FolderListFileName(1234), "pictobind1234.ver");
    EXPECT_EQ(CombinedListFileName(), "pictobind.ver");

    EXPECT_EQ(PerFolderOutput("/A/", SaveMode::kBesideDocuments, ""), "/A.pdf");
    EXPECT_EQ(PerFolderOutput("/B/", SaveMode::kBesideDocuments, ""), "/B.pdf");
    EXPECT_EQ(PerFolderOutput("/home/u/Sub/", SaveMode::kFixedTarget, "/out"), "/out/Sub.pdf");
    EXPECT_EQ(PerFolderOutput("/home/u/Sub/", SaveMode::kAskUser, "/out/"), "/out/Sub.pdf");
    EXPECT_EQ(PerFolderOutput("/home/u/Sub/", static_cast<SaveMode>(9), "/out/x.pdf"),
              "/out/x.pdf");
}

TEST(OutputNaming, FoldersDifferingInCaseAreTwoFoldersEvenWhenInterleaved) {
    // A sort that ignores letter case may leave the two folders' rows mixed.
    const std::vector<DocumentRow> rows = {
        {"a.doc", "/d/Docs/"}, {"b.doc", "/d/docs/"}, {"c.doc", "/d/Docs/"}};
    const std::vector<FolderGroup> groups = GroupRowsByFolder(rows);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].firstRow, 0);
    EXPECT_EQ(groups[0].documents, (std::vector<std::string>{"/d/Docs/a.doc", "/d/Docs/c.doc"}));
    EXPECT_EQ(groups[1].firstRow, 1);
    EXPECT_EQ(groups[1].documents, (std::vector<std::string>{"/d/docs/b.doc"}));
    EXPECT_NE(PerFolderOutput(groups[0].filepath, SaveMode::kBesideDocuments, ""),
              PerFolderOutput(groups[1].filepath, SaveMode::kBesideDocuments, ""));
}

TEST(OutputNaming, DocumentsInTheRootFolderGetAnAbsoluteOutput) {
    EXPECT_EQ(FolderOutputBase("/"), "/.pdf");
    EXPECT_EQ(PerFolderOutput("/", SaveMode::kBesideDocuments, ""), "/.pdf");
    EXPECT_EQ(PerFolderOutput("/", SaveMode::kFixedTarget, "/out"), "/out/.pdf");
}

TEST(OutputNaming, ListLinesTakeOnlyPathsTheConverterReadsWhole) {
    EXPECT_TRUE(FitsOnListLine("/" + std::string(254, 'a')));
    EXPECT_FALSE(FitsOnListLine("/" + std::string(255, 'a')));
    EXPECT_FALSE(FitsOnListLine("/a\nb.doc"));
    EXPECT_FALSE(FitsOnListLine(""));
}

}  // namespace
}  // namespace runner
