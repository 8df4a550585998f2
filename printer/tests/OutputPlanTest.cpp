#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "Ghostscript.h"
#include "OutputPlan.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "testing/MinimalPdf.h"
#include "testing/PrivateHome.h"

namespace folivo {
namespace {

TEST(OutputPlanTest, OnlyTheAutomaticFileConfigurationNamesTheExactPath) {
    const struct {
        int automaticOutput;
        int automaticValue;
        const char* directory;
        bool exact;
    } cases[] = {
        {1, 2, "/out/a.pdf", true},
        {0, 2, "/out/a.pdf", false},
        {1, 1, "/out/a.pdf", false},
        {1, 2, "", false},
    };
    testsupport::PrivateHome folder;
    for (const auto& c : cases) {
        scrivola::PrinterSettings settings;
        settings.AutomaticOutput = c.automaticOutput;
        settings.AutomaticValue = c.automaticValue;
        settings.AutomaticDirectory = c.directory;
        const OutputPlan plan = PlanOutput(settings);
        EXPECT_EQ(plan.exactPath, c.exact) << c.automaticOutput << c.automaticValue << c.directory;
        EXPECT_EQ(plan.path,
                  c.exact ? std::string(c.directory) : folder.Path("home/Documents/Folivo"));
    }
}

TEST(OutputPlanTest, ExtensionChoosesTheFormat) {
    const struct {
        const char* path;
        OutputFormat format;
    } cases[] = {
        {"a.pdf", OutputFormat::Pdf},   {"a.TIF", OutputFormat::Tiff},
        {"a.tiff", OutputFormat::Tiff}, {"a.Png", OutputFormat::Png},
        {"a.jpg", OutputFormat::Jpeg},  {"a.JPEG", OutputFormat::Jpeg},
        {"a.bmp", OutputFormat::Bmp},   {"a.tmp", OutputFormat::Pdf},
        {"noext", OutputFormat::Pdf},   {"dir.png/file", OutputFormat::Pdf},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatForPath(c.path), c.format) << c.path;
    }
}

TEST(OutputPlanTest, ResolutionSettingMapsToDotsPerInch) {
    const int cases[][2] = {{0, 72},   {3, 300}, {5, 1200},    {6, 300},
                            {-1, 300}, {96, 96}, {2400, 2400}, {2401, 300}};
    for (const auto& c : cases) {
        EXPECT_EQ(ResolutionDpi(c[0]), c[1]) << c[0];
    }
}

TEST(OutputPlanTest, FollowingPagesAreNumberedBesideTheFirst) {
    EXPECT_EQ(PageFilePath("/out/scan.png", 2), "/out/scan_2.png");
    EXPECT_EQ(PageFilePath("/out/my.scan.JPG", 12), "/out/my.scan_12.JPG");
    EXPECT_EQ(PageFilePath("rel", 3), "rel_3");
}

TEST(OutputPlanTest, DefaultFolderFollowsTheDocumentsFolder) {
    testsupport::PrivateHome folder;
    EXPECT_EQ(DefaultOutputFolder(), folder.Path("home/Documents/Folivo"));
    folder.Set("XDG_DOCUMENTS_DIR", folder.Path("Docs"));
    EXPECT_EQ(DefaultOutputFolder(), folder.Path("Docs/Folivo"));
}

TEST(GhostscriptTest, PathsAreTakenLiterally) {
    EXPECT_EQ(EscapeOutputFile("/out/100%-%d.tif"), "/out/100%%-%%d.tif");
    const auto args = GhostscriptArguments(OutputFormat::Png, 150, "/o/p-%d.png", "-job.pdf");
    EXPECT_EQ(args.front(), "gs");
    EXPECT_EQ(args.back(), std::filesystem::current_path().string() + "/-job.pdf");
    EXPECT_NE(std::find(args.begin(), args.end(), "-dSAFER"), args.end());
    EXPECT_NE(std::find(args.begin(), args.end(), "-sDEVICE=png16m"), args.end());
    EXPECT_NE(std::find(args.begin(), args.end(), "-r150"), args.end());
}

TEST(GhostscriptTest, AHungGhostscriptIsEndedAtItsTimeLimit) {
    const auto started = std::chrono::steady_clock::now();
    const std::optional<std::string> error = RunGhostscript({"sh", "-c", "sleep 30"}, 300);
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("was ended"), std::string::npos) << *error;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

// A relative output whose first folder begins with '|' would be a command
// to Ghostscript; it only ever sees absolute paths.
TEST(GhostscriptTest, RelativePathsBecomeAbsolute) {
    testsupport::PrivateHome folder;
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(folder.MakeFolder("100%"));
    const auto args =
        GhostscriptArguments(OutputFormat::Tiff, 72, "|touch pwned/out.tif", "|job.pdf");
    std::filesystem::current_path(saved);
    EXPECT_NE(std::find(args.begin(), args.end(),
                        "-sOutputFile=" + EscapeOutputFile(folder.Path("100%")) +
                            "/|touch pwned/out.tif"),
              args.end());
    EXPECT_EQ(args.back(), folder.Path("100%") + "/|job.pdf");
}

}  // namespace
}  // namespace folivo
