#include <gtest/gtest.h>

#include "platform/Paths.h"

namespace platform {
namespace {

TEST(SplitPath, SplitsDirectoryNameAndLastExtension) {
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
        const char* extension;
    };
    const Case cases[] = {
        {"/docs/report.doc", "/docs/", "report", ".doc"},
        {"report.tar.gz", "", "report.tar", ".gz"},
        {"/docs.old/readme", "/docs.old/", "readme", ""},
        {"/docs/", "/docs/", "", ""},
        {".hidden", "", "", ".hidden"},
        {"/", "/", "", ""},
        {"", "", "", ""},
        {"a/b/*.*", "a/b/", "*", ".*"},
        {"name.", "", "name", "."},
    };
    for (const Case& c : cases) {
        const PathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.directory, c.directory) << c.path;
        EXPECT_EQ(parts.name, c.name) << c.path;
        EXPECT_EQ(parts.extension, c.extension) << c.path;
    }
}

TEST(JoinPath, AddsOneSlashWhereNeeded) {
    EXPECT_EQ(JoinPath("/docs", "a.doc"), "/docs/a.doc");
    EXPECT_EQ(JoinPath("/docs/", "a.doc"), "/docs/a.doc");
    EXPECT_EQ(JoinPath("", "a.doc"), "a.doc");
    EXPECT_EQ(WithTrailingSlash("/docs"), "/docs/");
    EXPECT_EQ(WithTrailingSlash("/docs/"), "/docs/");
    EXPECT_EQ(WithTrailingSlash(""), "/");
}

TEST(EqualsIgnoreCase, ComparesAsciiLettersOnly) {
    EXPECT_TRUE(EqualsIgnoreCase("Report.PDF", "report.pdf"));
    EXPECT_FALSE(EqualsIgnoreCase("report.pdf", "report.pd"));
    EXPECT_FALSE(EqualsIgnoreCase("a[", "A{"));  // '[' and '{' differ by the case bit
    EXPECT_EQ(ToLowerAscii("MiXeD.Ver"), "mixed.ver");
}

}  // namespace
}  // namespace platform
