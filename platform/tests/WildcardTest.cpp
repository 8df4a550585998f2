#include <gtest/gtest.h>

#include <algorithm>

#include "ScratchFolder.h"
#include "platform/Wildcard.h"

namespace platform {
namespace {

TEST(MatchesWildcard, StarQuestionMarkAndCase) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.*", "report.doc", true},
        {"*.*", "README", true},
        {"*.*", ".", true},
        {"*", "anything.at.all", true},
        {"*.doc", "Report.DOC", true},
        {"*.doc", "report.docx", false},
        {"*.doc", "doc", false},
        {"rep?rt.*", "REPORT.pdf", true},
        {"rep?rt.*", "report", true},
        {"rep?rt.*", "reprt.pdf", false},
        {"a*b*c", "axxbyyc", true},
        {"a*b*c", "axxbyy", false},
        {"*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
        {"", "", true},
        {"", "a", false},
        {"?", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches)
            << c.pattern << " against " << c.name;
    }
}

class FindMatchingNamesTest : public testing::ScratchFolderTest {};

TEST_F(FindMatchingNamesTest, ListsMatchingEntriesIncludingDotEntries) {
    ASSERT_TRUE(CreateDirectories(Path("docs/sub.doc")));
    WriteFile("docs/a.doc", "");
    WriteFile("docs/B.DOC", "");
    WriteFile("docs/c.xls", "");
    WriteFile("docs/noext", "");

    auto docs = FindMatchingNames(Path("docs"), "*.doc");
    std::sort(docs.begin(), docs.end());
    EXPECT_EQ(docs, (std::vector<std::string>{"B.DOC", "a.doc", "sub.doc"}));

    auto all = FindMatchingNames(Path("docs"), "*.*");
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all,
              (std::vector<std::string>{".", "..", "B.DOC", "a.doc", "c.xls", "noext", "sub.doc"}));
}

TEST_F(FindMatchingNamesTest, MissingFolderGivesNothing) {
    EXPECT_TRUE(FindMatchingNames(Path("absent"), "*.*").empty());
    WriteFile("file", "");
    EXPECT_TRUE(FindMatchingNames(Path("file"), "*.*").empty());
}

}  // namespace
}  // namespace platform
