// The runner's pieces around the child process: the output echo and
// progress, the polling loop, the private list folder and the earlier
// output kept aside during an overwrite.
#include <gtest/gtest.h>

#include <string>

#include "ConverterProcess.h"
#include "ListFileFolder.h"
#include "RunnerTestSupport.h"
#include "SetAsideOutput.h"
#include "platform/FileSystem.h"
#include "runner/ConversionRunner.h"
#include "testing/PrivateHome.h"

namespace {

namespace fs = std::filesystem;

TEST(HandleConverterOutput, EchoesEveryChunkAndTakesTheFirstProgressLine) {
    testsupport::PrivateHome home;
    const fs::path debugLog = home.Root() / "debug.log";
    home.Set("SCRIVOLA_DEBUG_LOG", debugLog);
    RecordingHost host;
    runner::ConversionRunner runner(host);

    runner.HandleConverterOutput("Folivosoft Inc: 24\nFolivosoft Inc: 49\n");
    runner.HandleConverterOutput("Folivosoft Inc: 150\n");
    runner.HandleConverterOutput("a.doc ==> a.pdf, result=1\n");
    runner.HandleConverterOutput("");
    EXPECT_EQ(host.progress, (std::vector<int>{24}));

    const std::string open(45, '>');
    const std::string close(45, '<');
    EXPECT_EQ(platform::ReadWholeFile(debugLog.string()).value_or(""),
              open + "\nFolivosoft Inc: 24\nFolivosoft Inc: 49\n" + close + "\n" + open +
                  "\nFolivosoft Inc: 150\n" + close + "\n" + open +
                  "\na.doc ==> a.pdf, result=1\n" + close + "\n" + open + "\n" + close + "\n");
}

TEST(RunChildWithOutput, DeliversBothStreamsWholeInBoundedChunks) {
    std::string received;
    std::size_t largest = 0;
    int idle = 0;
    const bool started = runner::RunChildWithOutput(
        "/bin/sh -c \"printf start; sleep 0.2; printf err >&2; printf %020000d 0\"",
        [&](std::string_view chunk) {
            received += chunk;
            largest = std::max(largest, chunk.size());
        },
        [&] { ++idle; });
    ASSERT_TRUE(started);
    ASSERT_EQ(received.size(), 20008u);
    EXPECT_EQ(received.substr(0, 8), "starterr");
    EXPECT_EQ(received.find_first_not_of('0', 8), std::string::npos);
    EXPECT_LE(largest, runner::kMaxOutputChunk);
    EXPECT_GT(idle, 0);
    // Waiting pauses between polls instead of spinning through the 0.2 s.
    EXPECT_LT(idle, 200);
}

TEST(RunChildWithOutput, AProgramThatCannotStartIsReported) {
    EXPECT_FALSE(runner::RunChildWithOutput(
        "\"/nonexistent/scrivola\" -i x", [](std::string_view) {}, [] {}));
}

TEST(ListFileFolder, WritesListsAndRemovesOnlyItsOwnFolder) {
    testsupport::PrivateHome home;
    Touch(home.Temp() / "pictobind.ver", "someone else's");
    std::string folderPath;
    {
        std::optional<runner::ListFileFolder> folder = runner::ListFileFolder::Create();
        ASSERT_TRUE(folder);
        folderPath = folder->Path();
        EXPECT_EQ(fs::path(folderPath).parent_path(), home.Temp());
        const std::optional<std::string> list =
            folder->Write("pictobind.ver", {"/a b/c.doc", "/d.rtf"});
        ASSERT_TRUE(list);
        EXPECT_EQ(platform::ReadWholeFile(*list), "/a b/c.doc\n/d.rtf\n");
    }
    EXPECT_FALSE(fs::exists(folderPath));
    EXPECT_EQ(ReadLines(home.Temp() / "pictobind.ver"),
              (std::vector<std::string>{"someone else's"}));
}

TEST(SetAsideOutput, TheEarlierFileReturnsOnlyWhenNothingReplacedIt) {
    testsupport::PrivateHome home;
    const fs::path output = home.Files() / "report.pdf";

    Touch(output, "old");
    {
        std::optional<runner::SetAsideOutput> aside = runner::SetAsideOutput::Take(output.string());
        ASSERT_TRUE(aside);
        EXPECT_FALSE(fs::exists(output));
        EXPECT_TRUE(aside->Settle());
    }
    EXPECT_EQ(ReadLines(output), (std::vector<std::string>{"old"}));

    {
        std::optional<runner::SetAsideOutput> aside = runner::SetAsideOutput::Take(output.string());
        ASSERT_TRUE(aside);
        Touch(output, "new");
        EXPECT_FALSE(aside->Settle());
    }
    EXPECT_EQ(ReadLines(output), (std::vector<std::string>{"new"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(home.Files()), fs::directory_iterator()), 1);

    EXPECT_FALSE(runner::SetAsideOutput::Take((home.Files() / "missing.pdf").string()));
}

}  // namespace
