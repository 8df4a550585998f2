#include "ListFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

using testsupport::PrivateHome;

std::vector<std::string> EntriesOf(std::string_view contents) {
    PrivateHome folder;
    const std::string list = folder.Write("list.ver", contents);
    JobList jobs;
    const std::size_t count = ReadListFile(list, "/out/all.pdf", jobs);
    std::vector<std::string> inputs;
    for (const ConversionJob& job : jobs) {
        EXPECT_EQ(job.output, "/out/all.pdf");
        inputs.push_back(job.input);
    }
    EXPECT_EQ(count, jobs.size());
    return inputs;
}

using Entries = std::vector<std::string>;

TEST(ListFileTest, LineEndsAndTheEndOfTheList) {
    struct Case {
        const char* what;
        std::string contents;
        Entries expected;
    };
    const Case cases[] = {
        {"LF", "a.doc\nb.doc\n", {"a.doc", "b.doc"}},
        {"last line without LF", "a.doc\nb.doc", {"a.doc", "b.doc"}},
        {"CR LF", "a.doc\r\nb.doc\r\n", {"a.doc", "b.doc"}},
        {"CR only", "a.doc\rb.doc\rc.doc", {"a.doc", "b.doc", "c.doc"}},
        {"blank second line", "a.doc\n\nb.doc\nc.doc\n", {"a.doc"}},
        {"blank CR LF line", "a.doc\r\n\r\nb.doc\r\n", {"a.doc"}},
        {"blank CR-only line", "a.doc\r\rb.doc\r", {"a.doc"}},
        {"blank first line", "\na.doc\n", {}},
        {"empty file", "", {}},
        {"blanks kept", " a b.doc \n", {" a b.doc "}},
        {"CR CR LF", "a.doc\r\r\nb.doc\n", {"a.doc", "b.doc"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EntriesOf(c.contents), c.expected) << c.what;
    }
}

// A line over 255 characters is one entry that fails, never two entries of
// which the second names some other file.
TEST(ListFileTest, ALineLongerThan255IsOneFailingEntry) {
    const std::string exact(255, 'e');
    const std::string almost(254, 'a');
    const std::string longer(263, 'l');
    EXPECT_EQ(EntriesOf(longer + "\nb.doc\n"), (Entries{longer, "b.doc"}));
    EXPECT_EQ(EntriesOf(exact + "\nb.doc\n"), (Entries{exact, "b.doc"}));
    EXPECT_EQ(EntriesOf(exact + "\r\nb.doc\n"), (Entries{exact, "b.doc"}));
    EXPECT_EQ(EntriesOf(exact + "\rb.doc\n"), (Entries{exact, "b.doc"}));
    EXPECT_EQ(EntriesOf(almost + "\r\r\nb.doc\n"), (Entries{almost, "b.doc"}));

    PrivateHome folder;
    JobList jobs;
    ReadListFile(folder.Write("list.ver", exact + "\n" + longer + "\n" + std::string(9000, 'x')),
                 "/out/all.pdf", jobs);
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].refusal, "");
    EXPECT_NE(jobs[1].refusal.find("longer than 255"), std::string::npos);
    EXPECT_EQ(jobs[2].input.size(), kMaxListLineKept);
    EXPECT_FALSE(jobs[2].refusal.empty());
}

TEST(ListFileTest, BinaryBytesArePartOfTheEntry) {
    EXPECT_EQ(EntriesOf("caf\xc3\xa9 \x01\xff.doc\nb.doc\n"),
              (Entries{"caf\xc3\xa9 \x01\xff.doc", "b.doc"}));
    // A zero byte ends the path, as it ends the entry's text.
    EXPECT_EQ(EntriesOf(std::string("ab\0cd.doc\nx.doc\n", 16)), (Entries{"ab", "x.doc"}));
}

TEST(ListFileTest, UnopenableListAppendsNothing) {
    PrivateHome folder;
    JobList jobs{{"earlier.doc", "earlier.pdf"}};
    EXPECT_EQ(ReadListFile(folder / "missing.ver", "", jobs), 0u);
    EXPECT_EQ(ReadListFile(folder.MakeFolder("dir.ver"), "", jobs), 0u);
    EXPECT_EQ(jobs.size(), 1u);

    // The count is that of the whole list.
    const std::string list = folder.Write("two.ver", "a\nb\n");
    EXPECT_EQ(ReadListFile(list, "", jobs), 3u);
}

}  // namespace
}  // namespace scrivola
