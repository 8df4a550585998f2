#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "OptionScanner.h"

namespace scrivola {
namespace {

// argv with the program path in front, as the process receives it.
class Arguments {
  public:
    Arguments(std::initializer_list<std::string> arguments) : m_texts{"scrivola"} {
        m_texts.insert(m_texts.end(), arguments);
        for (const std::string& text : m_texts) {
            m_pointers.push_back(text.c_str());
        }
        m_pointers.push_back(nullptr);
    }
    int Count() const { return static_cast<int>(m_texts.size()); }
    const char* const* Vector() const { return m_pointers.data(); }

  private:
    std::vector<std::string> m_texts;
    std::vector<const char*> m_pointers;
};

std::optional<CommandLine> Parse(std::initializer_list<std::string> arguments) {
    const Arguments argv(arguments);
    return ParseCommandLine(argv.Count(), argv.Vector());
}

TEST(OptionsTest, EveryOptionSetsItsField) {
    const auto parsed =
        Parse({"-o",  "out.pdf",   "-j",  "Subj", "-t", "Title", "-a",        "Auth",
               "-k",  "Key words", "-p",  "2",    "-V", "-w",    "612",       "-h",
               "792", "-b",        "1",   "-z",   "0",  "-c",    "7",         "-q",
               "5",   "-r",        "600", "-v",   "9",  "-i",    "in put.doc"});
    ASSERT_TRUE(parsed);
    const ConversionSettings& s = parsed->settings;
    EXPECT_EQ(parsed->inputSpec, "in put.doc");
    EXPECT_EQ(parsed->outputSpec, "out.pdf");
    EXPECT_EQ(s.subject, "Subj");
    EXPECT_EQ(s.title, "Title");
    EXPECT_EQ(s.author, "Auth");
    EXPECT_EQ(s.keywords, "Key words");
    EXPECT_EQ(s.collisionMode, CollisionMode::kAppend);
    EXPECT_EQ(s.viewAfterConversion, 1);
    EXPECT_EQ(s.pageWidth, 612);
    EXPECT_EQ(s.pageHeight, 792);
    EXPECT_EQ(s.colorMode, 1);
    EXPECT_EQ(s.optionZ, 0);
    EXPECT_EQ(s.optionC, 7);
    EXPECT_EQ(s.optionQ, 5);
    EXPECT_EQ(s.resolution, 600);
    EXPECT_EQ(s.optionV, 9);
}

TEST(OptionsTest, DefaultsWithOnlyAnInput) {
    const auto parsed = Parse({"-i", "a.doc"});
    ASSERT_TRUE(parsed);
    const ConversionSettings& s = parsed->settings;
    EXPECT_EQ(parsed->outputSpec, "");
    EXPECT_EQ(s.pageWidth, 595);
    EXPECT_EQ(s.pageHeight, 0);
    EXPECT_EQ(s.colorMode, 3);
    EXPECT_EQ(s.optionZ, 1);
    EXPECT_EQ(s.optionC, 0);
    EXPECT_EQ(s.optionQ, 10);
    EXPECT_EQ(s.resolution, 100);
    EXPECT_EQ(s.optionV, 0);
    EXPECT_EQ(s.viewAfterConversion, 0);
    EXPECT_EQ(s.collisionMode, CollisionMode::kOverwrite);
    EXPECT_EQ(s.title, "");
}

TEST(OptionsTest, ResolutionOutsideOneTo1200Becomes300) {
    for (const auto& [given, expected] : std::vector<std::pair<std::string, int>>{
             {"0", 300}, {"-5", 300}, {"1201", 300}, {"abc", 300}, {"1", 1}, {"1200", 1200}}) {
        const auto parsed = Parse({"-r", given, "-i", "a.doc"});
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->settings.resolution, expected) << given;
    }
}

TEST(OptionsTest, ScanningStopsAtTheFirstNonOption) {
    // An unknown letter ends option processing silently.
    auto parsed = Parse({"-i", "a.doc", "-x", "-o", "b.pdf"});
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->inputSpec, "a.doc");
    EXPECT_EQ(parsed->outputSpec, "");

    // So does a plain argument, before -i was read.
    EXPECT_FALSE(Parse({"-o", "out.pdf", "doc.doc", "-i", "a.doc"}));
}

TEST(OptionsTest, ValuesAreTakenFromTheNextArgumentEvenWithADash) {
    auto parsed = Parse({"-t", "-i", "-i", "a.doc"});
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->settings.title, "-i");
    EXPECT_EQ(parsed->inputSpec, "a.doc");

    parsed = Parse({"-V", "-i", "a.doc"});
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->settings.viewAfterConversion, 1);
    EXPECT_EQ(parsed->inputSpec, "a.doc");

    // Only the second character counts: -ifile.doc is -i taking the next argument.
    parsed = Parse({"-ifile.doc", "b.doc", "-title", "T"});
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->inputSpec, "b.doc");
    EXPECT_EQ(parsed->settings.title, "T");

    // A later occurrence overwrites an earlier one.
    parsed = Parse({"-p", "1", "-i", "a.doc", "-p", "3", "-i", "b.doc"});
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->settings.collisionMode, CollisionMode::kRename);
    EXPECT_EQ(parsed->inputSpec, "b.doc");
}

TEST(OptionsTest, MalformedCommandLinesAskForTheUsageText) {
    const std::string longestPath(259, 'p');
    const std::string longestText(kMaxInfoText, 't');
    EXPECT_FALSE(Parse({}));
    EXPECT_FALSE(Parse({"-?"}));
    EXPECT_FALSE(Parse({"-i", "a.doc", "-?"}));
    EXPECT_FALSE(Parse({"-i"}));
    EXPECT_FALSE(Parse({"-i", ""}));
    EXPECT_FALSE(Parse({"a.doc"}));
    EXPECT_FALSE(Parse({"-", "-i", "a.doc"}));
    EXPECT_FALSE(Parse({"-:", "-i", "a.doc"}));
    EXPECT_FALSE(Parse({"-i", longestPath + "x"}));
    EXPECT_FALSE(Parse({"-i", "a.doc", "-o", longestPath + "x"}));
    EXPECT_FALSE(Parse({"-t", longestText + "x", "-i", "a.doc"}));
    EXPECT_FALSE(Parse({"-k", longestText + "x", "-i", "a.doc"}));

    const auto longest = Parse({"-t", longestText, "-o", longestPath, "-i", longestPath});
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->settings.title, longestText);
    EXPECT_EQ(longest->inputSpec, longestPath);
}

TEST(OptionsTest, NextOptionReportsLettersValuesAndTheEnd) {
    const Arguments argv({"-abc", "x", "-V", "-q"});
    OptionScanner scanner;
    const char* value = nullptr;
    EXPECT_EQ(NextOption(scanner, argv.Count(), argv.Vector(), kOptionString, value), 'a');
    EXPECT_STREQ(value, "x");
    EXPECT_EQ(NextOption(scanner, argv.Count(), argv.Vector(), kOptionString, value), 'V');
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(NextOption(scanner, argv.Count(), argv.Vector(), kOptionString, value), 'q');
    EXPECT_STREQ(value, "");  // a value option as the last argument
    EXPECT_EQ(scanner.index, 6);
    EXPECT_EQ(NextOption(scanner, argv.Count(), argv.Vector(), kOptionString, value),
              kEndOfOptions);
}

TEST(OptionsTest, IntegersConvertLikeTheStandardDecimalConversion) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    for (const auto& [text, expected] :
         std::vector<std::pair<std::string, std::int32_t>>{{"42", 42},
                                                           {"  \t-5", -5},
                                                           {"+7", 7},
                                                           {"12abc", 12},
                                                           {"abc", 0},
                                                           {"", 0},
                                                           {"- 3", 0},
                                                           {"2147483647", kMax},
                                                           {"99999999999999999999", kMax},
                                                           {"-2147483648", kMin},
                                                           {"-99999999999999999999", kMin}}) {
        EXPECT_EQ(ParseDecimalInteger(text), expected) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace scrivola
