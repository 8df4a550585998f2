#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Process.h"
#include "runner/ConverterCommandLine.h"

namespace runner {
namespace {

constexpr std::string_view kConverter = "/opt/scrivola/bin/scrivola";
constexpr std::string_view kInput = "/home/u/Docs/a.doc";
constexpr std::string_view kOutput = "/home/u/Docs/a.pdf";

std::string Build(const ConverterOptions& options) {
    return BuildConverterCommandLine(kConverter, kOutput, kInput, options);
}

TEST(ConverterCommandLine, DefaultsGiveTheClassicCommandLine) {
    EXPECT_EQ(Build({}),
              "\"/opt/scrivola/bin/scrivola\" -o \"/home/u/Docs/a.pdf\" -p 0 -w 595 -h 842 -b 3 "
              "-r 300 -i \"/home/u/Docs/a.doc\"");
}

struct OptionCase {
    const char* name;
    ConverterOptions options;
    // The text between the output and the input.
    std::string middle;
};

ConverterOptions With(void (*change)(ConverterOptions&)) {
    ConverterOptions options;
    change(options);
    return options;
}

TEST(ConverterCommandLine, EachSettingChangesItsOwnOption) {
    const OptionCase cases[] = {
        {"colour 0", With([](ConverterOptions& o) { o.colorIndex = 0; }),
         " -p 0 -w 595 -h 842 -b 1 -r 300"},
        {"colour 1", With([](ConverterOptions& o) { o.colorIndex = 1; }),
         " -p 0 -w 595 -h 842 -b 2 -r 300"},
        {"colour 3", With([](ConverterOptions& o) { o.colorIndex = 3; }),
         " -p 0 -w 595 -h 842 -r 300"},
        {"colour -1", With([](ConverterOptions& o) { o.colorIndex = -1; }),
         " -p 0 -w 595 -h 842 -r 300"},
        {"dpi in other case", With([](ConverterOptions& o) { o.dpi = "Default"; }),
         " -p 0 -w 595 -h 842 -b 3 -r 300"},
        {"dpi empty", With([](ConverterOptions& o) { o.dpi = ""; }),
         " -p 0 -w 595 -h 842 -b 3 -r 300"},
        {"dpi with options of its own", With([](ConverterOptions& o) { o.dpi = "72 -p 3 -V 1"; }),
         " -p 0 -w 595 -h 842 -b 3 -r 300"},
        {"dpi number", With([](ConverterOptions& o) { o.dpi = "600"; }),
         " -p 0 -w 595 -h 842 -b 3 -r 600"},
        {"letter", With([](ConverterOptions& o) { o.pageIndex = 0; }),
         " -p 0 -w 609 -h 791 -b 3 -r 300"},
        {"page 43", With([](ConverterOptions& o) { o.pageIndex = 43; }),
         " -p 0 -w 595 -h 842 -b 3 -r 300"},
        {"page -1", With([](ConverterOptions& o) { o.pageIndex = -1; }),
         " -p 0 -w 595 -h 842 -b 3 -r 300"},
        {"landscape", With([](ConverterOptions& o) { o.landscape = true; }),
         " -p 0 -w 842 -h 595 -b 3 -r 300"},
        {"destination 3", With([](ConverterOptions& o) {
             o.destinationMode = scrivola_win::DestinationMode::kFreeName;
         }),
         " -p 3 -w 595 -h 842 -b 3 -r 300"},
        {"destination 7 as read", With([](ConverterOptions& o) {
             o.destinationMode = static_cast<scrivola_win::DestinationMode>(7);
         }),
         " -p 7 -w 595 -h 842 -b 3 -r 300"},
        {"all information", With([](ConverterOptions& o) {
             o.author = "Ann";
             o.subject = "Sub ject";
             o.title = "T";
             o.keywords = "k1, k2";
         }),
         " -p 0 -w 595 -h 842 -b 3 -r 300 -a \"Ann\" -j \"Sub ject\" -t \"T\" -k \"k1, k2\""},
        {"title only", With([](ConverterOptions& o) { o.title = "Report"; }),
         " -p 0 -w 595 -h 842 -b 3 -r 300 -t \"Report\""},
    };
    const std::string head = "\"/opt/scrivola/bin/scrivola\" -o \"/home/u/Docs/a.pdf\"";
    const std::string tail = " -i \"/home/u/Docs/a.doc\"";
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Build(c.options), head + c.middle + tail);
    }
}

TEST(ConverterCommandLine, ValuesWithQuotesAndBackslashesArriveWhole) {
    ConverterOptions options;
    options.author = "Ann \"the Author\"";
    options.subject = "ends in backslash\\";
    options.title = "plain title";
    options.keywords = "\"";
    const std::string output = "/tmp/out dir/say \"hi\".pdf";
    const std::string input = "/tmp/in dir/a.doc";
    const std::string commandLine =
        BuildConverterCommandLine("/opt/my tools/scrivola", output, input, options);

    const std::vector<std::string> expected = {"/opt/my tools/scrivola",
                                               "-o",
                                               output,
                                               "-p",
                                               "0",
                                               "-w",
                                               "595",
                                               "-h",
                                               "842",
                                               "-b",
                                               "3",
                                               "-r",
                                               "300",
                                               "-a",
                                               options.author,
                                               "-j",
                                               options.subject,
                                               "-t",
                                               options.title,
                                               "-k",
                                               options.keywords,
                                               "-i",
                                               input};
    EXPECT_EQ(platform::SplitCommandLine(commandLine), expected);
}

TEST(ConverterCommandLine, PlainValuesKeepTheirLiteralQuotes) {
    EXPECT_EQ(QuotedValue("a b"), "\"a b\"");
    EXPECT_EQ(QuotedValue(""), "\"\"");
    EXPECT_EQ(platform::SplitCommandLine("x " + QuotedValue("")),
              (std::vector<std::string>{"x", ""}));
}

}  // namespace
}  // namespace runner
