#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include "DocumentTexts.h"
#include "scrivola_win/DocumentCollector.h"
#include "testing/PrivateHome.h"

namespace scrivola_win {
namespace {

TEST(WinDocumentTextsTest, SizeTextIsWholeThousandsRightAligned) {
    const struct {
        std::uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "    0 KB"},        {999, "    0 KB"},        {1000, "    1 KB"},
        {99999999, "99999 KB"}, {123456789, "123456 KB"}, {5000000000000ULL, "5000000000 KB"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SizeText(c.bytes), c.text) << c.bytes;
    }
}

TEST(WinDocumentTextsTest, DateTextIsLocalTimeInSortableForm) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(DateText(0), "1970-01-01 00:00:00");
    EXPECT_EQ(DateText(1124103845), "2005-08-15 11:04:05");
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    EXPECT_EQ(DateText(1124103845), "2005-08-15 20:04:05");
    unsetenv("TZ");
    tzset();
}

TEST(WinDocumentTextsTest, RowTextsSplitThePath) {
    platform::FileStatus status;
    status.size = 2500;
    status.modifiedSeconds = 0;
    const DocumentTexts texts =
        MakeDocumentTexts("/srv/Reports/Q3 report.DOC", "Word document", status);
    EXPECT_EQ(texts[kFilenameColumn], "Q3 report.DOC");
    EXPECT_EQ(texts[kFilepathColumn], "/srv/Reports/");
    EXPECT_EQ(texts[kSizeColumn], "    2 KB");
    EXPECT_FALSE(texts[kDateColumn].empty());
    EXPECT_EQ(texts[kTypeColumn], "Word document");
    EXPECT_EQ(DocumentFullPath(texts), "/srv/Reports/Q3 report.DOC");

    const DocumentTexts unreadable = MakeDocumentTexts("/gone/a.rtf", "RTF document", std::nullopt);
    EXPECT_EQ(unreadable[kSizeColumn], "");
    EXPECT_EQ(unreadable[kDateColumn], "");
    EXPECT_EQ(DocumentFullPath(unreadable), "/gone/a.rtf");
}

TEST(WinDocumentTextsTest, ComparisonIgnoresCaseAndSortsSizesAndDatesAsText) {
    DocumentTexts a{"Report.doc", "/a/", "    9 KB", "2005-08-15 09:00:00", "Word"};
    DocumentTexts b{"report.DOC", "/B/", "   10 KB", "2005-08-15 10:00:00", "word"};
    EXPECT_EQ(CompareDocumentTexts(a, b, kFilenameColumn), 0);
    EXPECT_LT(CompareDocumentTexts(a, b, kFilepathColumn), 0);
    EXPECT_LT(CompareDocumentTexts(a, b, kSizeColumn), 0);
    EXPECT_LT(CompareDocumentTexts(a, b, kDateColumn), 0);
    EXPECT_GT(CompareDocumentTexts(b, a, kDateColumn), 0);
    DocumentTexts umlaut{"Ärger.doc"};
    DocumentTexts umlautLower{"ärger.doc"};
    EXPECT_EQ(CompareDocumentTexts(umlaut, umlautLower, kFilenameColumn), 0);
    for (int column : {-1, 5, 9}) {
        EXPECT_EQ(CompareDocumentTexts(a, b, column), 0) << column;
    }
}

TEST(WinDocumentCollectorTest, CollectsOnlyTheListedDocumentKinds) {
    const struct {
        const char* path;
        bool collected;
    } cases[] = {
        {"/d/report.DOC", true},      {"/d/a.rtf", true},
        {"/d/b.Xls", true},           {"/d/c.ppt", true},
        {"/d/d.vsd", true},           {"/d/notes.txt", false},
        {"/d/scan.pdf", false},       {"/d/page.html", false},
        {"/d/x.docx", true},          {"/d/y.XLSX", true},
        {"/d/z.pptx", true},          {"/d/letter.odt", true},
        {"/d/table.ods", true},       {"/d/slides.odp", true},
        {"/d/plan.vsdx", true},       {"/d/data.csv", true},
        {"/d/archive.zip", false},    {"/d/setup.exe", false},
        {"/d/archive.doc.gz", false}, {"/d/mydoc", false},
        {"/d.doc/readme", false},     {"", false},
    };
    for (const auto& c : cases) {
        PendingList pending;
        CollectDocument(c.path, pending);
        EXPECT_EQ(pending.size(), c.collected ? 1u : 0u) << c.path;
    }
    PendingList pending;
    CollectDocument("/" + std::string(255, 'n') + ".doc", pending);
    EXPECT_TRUE(pending.empty()) << "paths over the limit are skipped";
}

class WinCollectDirectoryTest : public ::testing::Test {
  protected:
    void Touch(const std::filesystem::path& path) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }
    std::filesystem::path Root() const { return m_home.Files() / "docs"; }

    testsupport::PrivateHome m_home;
};

// The order the file system lists a folder, which the collector must keep.
std::vector<std::string> ListingOrder(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST_F(WinCollectDirectoryTest, DescendsWhereTheSubfolderIsMet) {
    Touch(Root() / "a.doc");
    Touch(Root() / "b.txt");
    Touch(Root() / "c.XLS");
    Touch(Root() / "sub" / "d.ppt");
    Touch(Root() / "sub" / "deeper" / "e.vsd");
    Touch(Root() / "sub" / "f.rtf");
    std::filesystem::create_directories(Root() / "folder.doc");

    // Expected order built from the listing, one level at a time.
    std::vector<std::string> expected;
    std::function<void(const std::filesystem::path&)> walk = [&](const std::filesystem::path& dir) {
        for (const std::string& name : ListingOrder(dir)) {
            const auto path = dir / name;
            if (std::filesystem::is_directory(path)) {
                walk(path);
            } else if (name != "b.txt") {
                expected.push_back(path.string());
            }
        }
    };
    walk(Root());

    PendingList pending = {"/kept/first.doc"};
    EXPECT_EQ(CollectDirectory(Root().string() + "/", pending, true), 6u);
    ASSERT_EQ(pending.size(), 6u);
    EXPECT_EQ(pending.front(), "/kept/first.doc");
    EXPECT_EQ(std::vector<std::string>(pending.begin() + 1, pending.end()), expected);
}

TEST_F(WinCollectDirectoryTest, WithoutDescendEmptiesTheListAndSkipsSubfolders) {
    Touch(Root() / "a.doc");
    Touch(Root() / "sub" / "b.doc");
    PendingList pending = {"/old/x.doc"};
    EXPECT_EQ(CollectDirectory(Root().string(), pending, false), 1u);
    EXPECT_EQ(pending, PendingList{(Root() / "a.doc").string()});
}

TEST_F(WinCollectDirectoryTest, LinkLoopsAndMissingFoldersEnd) {
    Touch(Root() / "a.doc");
    std::filesystem::create_directory_symlink(Root(), Root() / "loop");
    PendingList pending;
    EXPECT_EQ(CollectDirectory(Root().string(), pending, true), 1u);
    EXPECT_EQ(CollectDirectory((Root() / "missing").string(), pending, false), 0u);
}

}  // namespace
}  // namespace scrivola_win
