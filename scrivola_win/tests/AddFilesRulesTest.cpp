#include <gtest/gtest.h>

#include "AddFilesRules.h"
#include "scrivola_win/DocumentCollector.h"
#include "settings/SettingsKeys.h"
#include "testing/PrivateHome.h"

namespace scrivola_win {
namespace {

TEST(WinAddFilesRulesTest, SeveralFilesRememberTheFolderWithoutClosingSlash) {
    const auto several = InterpretAddFilesSelection({"/srv/docs/a.doc", "/srv/docs/b.xls"});
    ASSERT_TRUE(several);
    EXPECT_EQ(several->paths, (std::vector<std::string>{"/srv/docs/a.doc", "/srv/docs/b.xls"}));
    EXPECT_EQ(several->rememberedFolder, "/srv/docs");

    const auto single = InterpretAddFilesSelection({"/srv/docs/a.doc"});
    ASSERT_TRUE(single);
    EXPECT_EQ(single->rememberedFolder, "/srv/docs/");

    const auto atRoot = InterpretAddFilesSelection({"/a.doc", "/b.doc"});
    ASSERT_TRUE(atRoot);
    EXPECT_EQ(atRoot->rememberedFolder, "/");

    EXPECT_FALSE(InterpretAddFilesSelection({}));
}

TEST(WinAddFilesRulesTest, SelectionBeyondItsCapacityAddsNothing) {
    std::vector<std::string> paths;
    const std::string folder = "/srv/docs/";
    // Folder and terminator, then names of 99 characters plus terminator each.
    std::size_t length = folder.size() + 1 + 1;
    while (length + 100 <= kAddFilesSelectionCapacity) {
        paths.push_back(folder + std::string(95, 'n') + ".doc");
        length += 100;
    }
    EXPECT_TRUE(InterpretAddFilesSelection(paths));
    paths.push_back(folder + std::string(95, 'n') + ".doc");
    EXPECT_FALSE(InterpretAddFilesSelection(paths));
}

TEST(WinAddFilesRulesTest, TypeListStartsWithAllDocumentKindsThenEachKindAndFamily) {
    const auto& filters = AddFilesTypeFilters();
    ASSERT_EQ(filters.size(), 10u);
    EXPECT_EQ(filters[0].label,
              "ALL File(*doc;*.rtf;*.xls;*.ppt;*.vsd;*.docx;*.docm;*.dotx;*.odt;*.ott;*.wpd;"
              "*.wps;*.xlsx;*.xlsm;*.xltx;*.ods;*.ots;*.csv;*.pptx;*.pptm;*.ppsx;*.pps;*.odp;"
              "*.otp;*.vsdx;*.vsdm;*.vdx;*.odg)");
    EXPECT_EQ(filters[0].patterns.front(), "*doc");
    EXPECT_EQ(filters[0].patterns.size(), 28u);
    EXPECT_EQ(filters[4].label, "VSD File(*.vsd)");
    EXPECT_EQ(filters[5].patterns, std::vector<std::string>{"*.ppt"});
    EXPECT_EQ(filters[6].label, "Word Documents(*.docx;*.docm;*.dotx;*.odt;*.ott;*.wpd;*.wps)");
    EXPECT_EQ(filters[7].label, "Spreadsheets(*.xlsx;*.xlsm;*.xltx;*.ods;*.ots;*.csv)");
    EXPECT_EQ(filters[8].label, "Presentations(*.pptx;*.pptm;*.ppsx;*.pps;*.odp;*.otp)");
    EXPECT_EQ(filters[9].label, "Diagrams(*.vsdx;*.vsdm;*.vdx;*.odg)");
    // Every pattern of the list finds a document the list takes.
    for (const FileTypeFilter& filter : filters) {
        for (const std::string& pattern : filter.patterns) {
            if (pattern != "*doc") {
                EXPECT_TRUE(IsConvertibleDocument("/d/x" + pattern.substr(1))) << pattern;
            }
        }
    }
}

TEST(WinAddFilesRulesTest, RememberedFoldersStayApartAndOverlongOnesAreIgnored) {
    testsupport::PrivateHome home;
    SettingsStore file = SettingsStore::SettingsFile();
    EXPECT_EQ(AddFilesInitialDir(file), "");
    RememberAddFilesFolder(file, "/srv/docs/");
    RememberAddDirectoryFolder(file, "/srv/tree");
    EXPECT_EQ(AddFilesInitialDir(file), "/srv/docs/");
    EXPECT_EQ(AddDirectoryInitialDir(file), "/srv/tree");

    // A stored folder longer than a path can be would be cut into another
    // folder; the dialog then chooses its own instead.
    file.WriteString("Parameter", "InitialDir", "/" + std::string(300, 'x'));
    EXPECT_EQ(AddFilesInitialDir(file), "");
    RememberAddDirectoryFolder(file, "/" + std::string(300, 'y'));
    EXPECT_EQ(AddDirectoryInitialDir(file), "/srv/tree");
}

}  // namespace
}  // namespace scrivola_win
