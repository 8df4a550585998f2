#include <gtest/gtest.h>

#include "TestSupport.h"
#include "pdftool/ToolRequest.h"
#include "pdftool/Utf8.h"

namespace pdftool {
namespace {

using Kind = ParsedCommandLine::Kind;

TEST(ParseToolArguments, DocumentInformationInPlace) {
    const auto parsed = ParseToolArguments(
        {"-i", "a.pdf", "-o", "a.pdf", "-t", "T", "-a", "A", "-s", "S", "-k", "K"});
    ASSERT_EQ(parsed.kind, Kind::Run) << parsed.error;
    EXPECT_EQ(parsed.request.inputPath, "a.pdf");
    EXPECT_EQ(parsed.request.outputPath, "a.pdf");
    EXPECT_EQ(parsed.request.info.title, "T");
    EXPECT_EQ(parsed.request.info.author, "A");
    EXPECT_EQ(parsed.request.info.subject, "S");
    EXPECT_EQ(parsed.request.info.keywords, "K");
    EXPECT_FALSE(parsed.request.merge);
}

TEST(ParseToolArguments, OutputDefaultsToInputAndValuesMayLookLikeOptions) {
    const auto parsed = ParseToolArguments({"-t", "-draft-", "-i", "in.pdf", "-k", ""});
    ASSERT_EQ(parsed.kind, Kind::Run) << parsed.error;
    EXPECT_EQ(parsed.request.outputPath, "in.pdf");
    EXPECT_EQ(parsed.request.info.title, "-draft-");
    EXPECT_EQ(parsed.request.info.keywords, "");
}

struct MergeCase {
    std::string value;
    std::string source;
    MergePosition position;
};

TEST(ParseToolArguments, MergeValue) {
    const MergeCase cases[] = {
        {"1|0|/tmp/pdf12.pdf", "/tmp/pdf12.pdf", MergePosition::BeforeFirstPage},
        {"/tmp/pdf12.pdf", "/tmp/pdf12.pdf", MergePosition::AfterLastPage},
        {"1|0|with space|bar.pdf", "with space|bar.pdf", MergePosition::BeforeFirstPage},
        {"odd|name.pdf", "odd|name.pdf", MergePosition::AfterLastPage},
        {"2|0|x.pdf", "2|0|x.pdf", MergePosition::AfterLastPage},
    };
    for (const MergeCase& c : cases) {
        const auto parsed = ParseToolArguments({"-i", "final.pdf", "-*", c.value});
        ASSERT_EQ(parsed.kind, Kind::Run) << c.value << ": " << parsed.error;
        ASSERT_TRUE(parsed.request.merge) << c.value;
        EXPECT_EQ(parsed.request.merge->sourcePath, c.source) << c.value;
        EXPECT_EQ(parsed.request.merge->position, c.position) << c.value;
        EXPECT_EQ(parsed.request.outputPath, "final.pdf");
    }
}

TEST(ParseToolArguments, EmptyMergeValueMergesNothing) {
    const auto parsed = ParseToolArguments({"-i", "f.pdf", "-*", "", "-t", "T"});
    ASSERT_EQ(parsed.kind, Kind::Run) << parsed.error;
    EXPECT_FALSE(parsed.request.merge);
}

TEST(ParseToolArguments, Help) {
    for (const char* option : {"-h", "--help", "-?"}) {
        EXPECT_EQ(ParseToolArguments({"-i", "a.pdf", option}).kind, Kind::Help) << option;
    }
}

struct ErrorCase {
    std::vector<std::string> args;
    std::string messagePart;
};

TEST(ParseToolArguments, WrongCommandLines) {
    const ErrorCase cases[] = {
        {{}, "no input"},
        {{"-t", "T"}, "no input"},
        {{"-i", "a.pdf"}, "nothing to do"},
        {{"-i", "a.pdf", "-o", "a.pdf", "-t", "", "-a", "", "-s", "", "-k", ""}, "nothing to do"},
        {{"-i", "a.pdf", "-*", ""}, "nothing to do"},
        {{"-i", "a.pdf", "-x", "T"}, "unknown argument '-x'"},
        {{"-i", "a.pdf", "stray.pdf"}, "unknown argument 'stray.pdf'"},
        {{"-i"}, "-i needs a value"},
        {{"-i", "a.pdf", "-t"}, "-t needs a value"},
        {{"-i", ""}, "-i needs a file name"},
        {{"-i", "a.pdf", "-o", "", "-t", "T"}, "-o needs a file name"},
        {{"-i", "a.pdf", "-i", "b.pdf", "-t", "T"}, "-i given twice"},
        {{"-i", "a.pdf", "-t", "A", "-t", "B"}, "-t given twice"},
        {{"-i", "a.pdf", "-*", "x.pdf", "-*", "y.pdf"}, "-* given twice"},
        {{"-i", "a.pdf", "-*", "1|0|"}, "names no file"},
        {{"-i", "a.pdf", "-a", "Latin-1 \xe9"}, "not valid UTF-8"},
    };
    for (const ErrorCase& c : cases) {
        const auto parsed = ParseToolArguments(c.args);
        std::string joined;
        for (const auto& arg : c.args)
            joined += "[" + arg + "]";
        EXPECT_EQ(parsed.kind, Kind::Error) << joined;
        EXPECT_NE(parsed.error.find(c.messagePart), std::string::npos)
            << joined << " gave: " << parsed.error;
    }
}

TEST(IsValidUtf8, AcceptsWellFormedAndRefusesMalformedText) {
    for (const char* good : {"", "plain",
                             "Gr\xc3\xbc\xc3\x9f"
                             "e",
                             "\xe2\x82\xac", "\xf0\x9f\x98\x80"}) {
        EXPECT_TRUE(IsValidUtf8(good)) << good;
    }
    const char* bad[] = {
        "\x80",              // stray continuation byte
        "\xc3",              // cut short
        "\xc0\xaf",          // overlong '/'
        "\xe0\x80\xaf",      // overlong '/' in three bytes
        "\xed\xa0\x80",      // surrogate
        "\xf4\x90\x80\x80",  // above U+10FFFF
        "\xff",
    };
    for (const char* text : bad) {
        EXPECT_FALSE(IsValidUtf8(text)) << ::testing::PrintToString(text);
    }
}

// The built program: usage on a wrong command line, help on request.
TEST(ToolsCfgProgram, ReportsUsage) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{}, {"-i", "a.pdf"}, {"-q", "x"}, {"-i", "a.pdf", "-t"}}) {
        const auto result = pdftool_test::RunTool(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err.rfind("tools.cfg: ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find("Usage:"), std::string::npos);
        EXPECT_TRUE(result.out.empty());
    }
    const auto help = pdftool_test::RunTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Usage:"), std::string::npos);
    EXPECT_NE(help.out.find("1|0|FILE"), std::string::npos);
}

}  // namespace
}  // namespace pdftool
