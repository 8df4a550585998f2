#include <gtest/gtest.h>

#include "platform/Process.h"

namespace platform {
namespace {

struct SplitCase {
    const char* commandLine;
    std::vector<std::string> arguments;
};

TEST(SplitCommandLine, FollowsTheCRuntimeRules) {
    const SplitCase cases[] = {
        {"", {}},
        {" \t ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"  lead  trail  ", {"lead", "trail"}},
        {"\"a b\" c", {"a b", "c"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\"", {""}},
        {"a \"\" b", {"a", "", "b"}},
        {"\"", {""}},
        {"a\"", {"a"}},
        {R"(a\\b)", {R"(a\\b)"}},
        {R"(\\server\share\x.doc)", {R"(\\server\share\x.doc)"}},
        {R"(a\"b)", {"a\"b"}},
        {R"(a\\"b c")", {R"(a\b c)"}},
        {R"(a\\\"b)", {R"(a\"b)"}},
        {R"(a\\\\"b")", {R"(a\\b)"}},
        {R"("a""b")", {"a\"b"}},
        {R"(""")", {"\""}},
        {R"("a b\\" c)", {R"(a b\)", "c"}},
        {R"(trailing\)", {R"(trailing\)"}},
        {R"("C:\Program Files\x.exe" "%1" -new)", {R"(C:\Program Files\x.exe)", "%1", "-new"}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(SplitCommandLine(c.commandLine), c.arguments)
            << "command line: " << c.commandLine;
    }
}

TEST(QuoteArgument, RoundTripsThroughSplit) {
    const std::vector<std::string> arguments = {
        "plain",
        "",
        "two words",
        "tab\there",
        "quote\"inside",
        "\"",
        "\"\"",
        R"(back\)",
        R"(back\\)",
        R"(C:\dir with blank\)",
        R"(\"mixed\\")",
        "a\\\"b",
        "%1",
        "new\nline",
        " lead",
        "trail ",
    };
    for (const std::string& argument : arguments) {
        const auto back = SplitCommandLine(QuoteArgument(argument));
        ASSERT_EQ(back.size(), 1u) << QuoteArgument(argument);
        EXPECT_EQ(back.front(), argument) << QuoteArgument(argument);
    }
    EXPECT_EQ(SplitCommandLine(JoinCommandLine(arguments)), arguments);
}

TEST(QuoteArgument, LeavesSimpleArgumentsBare) {
    EXPECT_EQ(QuoteArgument(R"(/tmp/a\b.pdf)"), R"(/tmp/a\b.pdf)");
    EXPECT_EQ(QuoteArgument("with blank"), "\"with blank\"");
    EXPECT_EQ(QuoteArgument(""), "\"\"");
    EXPECT_EQ(QuoteArgument(R"(dir\ x\)"), R"("dir\ x\\")");
}

}  // namespace
}  // namespace platform
