// The sweep of one monitored folder with a converter stand-in: which files
// are converted, where the PDFs go, and what becomes of the originals.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include "MonitorSweep.h"
#include "MonitorTestSupport.h"

using monitor::MonitorPair;
using monitor::PairMemory;
using monitor::SweepCounts;

namespace {

TEST(MonitorSweepRulesTest, OutputIsTheNameWithoutExtensionInTheOutputFolder) {
    struct Case {
        const char* outputDirectory;
        const char* document;
        const char* expected;
    };
    for (const Case& c : {
             Case{"/pdf", "/in/Report.doc", "/pdf/Report.pdf"},
             Case{"/pdf/", "/in/Report.doc", "/pdf/Report.pdf"},
             Case{"/pdf", "/in/my.report.v2.XLS", "/pdf/my.report.v2.pdf"},
             Case{"/pdf out", "/in/Übersicht Q1.rtf", "/pdf out/Übersicht Q1.pdf"},
         }) {
        EXPECT_EQ(monitor::MonitorOutputPath(c.outputDirectory, c.document), c.expected)
            << c.document;
    }
}

TEST(MonitorSweepRulesTest, TemporaryPagePrefixIsMatchedAtTheRootWithoutCase) {
    EXPECT_TRUE(monitor::IsTemporaryPagePath("/tiftmp_pg_1.doc"));
    EXPECT_TRUE(monitor::IsTemporaryPagePath("/TIFTMP_PG_a.xls"));
    EXPECT_FALSE(monitor::IsTemporaryPagePath("/in/tiftmp_pg_1.doc"));
    EXPECT_FALSE(monitor::IsTemporaryPagePath("/tiftmp_p.doc"));
    EXPECT_FALSE(monitor::IsTemporaryPagePath("tiftmp_pg_1.doc"));
}

class MonitorSweepTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(in);
        fs::create_directories(out);
    }

    // Two passes: the first only notes the files, the second finds them
    // unchanged and handles them.
    SweepCounts SweepTwice() {
        Sweep();
        return Sweep();
    }
    SweepCounts Sweep() { return monitor::SweepMonitorPair(pair, converter, stop, memory); }

    testsupport::PrivateHome home;
    fs::path in = home.Files() / "in";
    fs::path out = home.Files() / "out";
    MonitorPair pair{in.string(), out.string()};
    FakeConverter converter;
    std::atomic<bool> stop{false};
    PairMemory memory;
};

TEST_F(MonitorSweepTest, ConvertsTheListedDocumentKindsAndRenamesThemToBak) {
    for (const char* name : {"a.doc", "b.XLS", "c.docx", "d.txt", "e.pdf", "f.Rtf", "g.ppt",
                             "h.vsd", "i.zip", "sub/c.doc"}) {
        WriteText(in / name, name);
    }
    const SweepCounts counts = SweepTwice();

    EXPECT_EQ(counts.converted, 6);
    EXPECT_EQ(counts.renamed, 6);
    EXPECT_EQ(Names(out),
              (std::set<std::string>{"a.pdf", "b.pdf", "c.pdf", "f.pdf", "g.pdf", "h.pdf"}));
    EXPECT_EQ(Names(in),
              (std::set<std::string>{"a.doc.bak", "b.XLS.bak", "c.docx.bak", "d.txt", "e.pdf",
                                     "f.Rtf.bak", "g.ppt.bak", "h.vsd.bak", "i.zip", "sub"}));
    EXPECT_EQ(Names(in / "sub"), std::set<std::string>{"c.doc"});
    EXPECT_EQ(ReadText(out / "a.pdf"), "PDF of " + (in / "a.doc").string());
    EXPECT_EQ(ReadText(in / "a.doc.bak"), "a.doc");

    // The backups are not listed again.
    EXPECT_EQ(Sweep().converted, 0);
    EXPECT_EQ(converter.Calls().size(), 6u);
}

TEST_F(MonitorSweepTest, EraseDeletesConvertedOriginalsAndKeepsFailedOnesAsBackups) {
    SetEraseOriginals(true);
    WriteText(in / "good.doc", "good");
    WriteText(in / "fail.doc", "fail");

    const SweepCounts counts = SweepTwice();

    EXPECT_EQ(counts.converted, 1);
    EXPECT_EQ(counts.failed, 1);
    EXPECT_EQ(counts.deleted, 1);
    EXPECT_EQ(Names(out), std::set<std::string>{"good.pdf"});
    EXPECT_EQ(Names(in), std::set<std::string>{"fail.doc.bak"});
    EXPECT_EQ(ReadText(in / "fail.doc.bak"), "fail");

    // Nothing more happens afterwards.
    EXPECT_EQ(Sweep().converted + Sweep().failed, 0);
}

TEST_F(MonitorSweepTest, ChangedEraseFlagAppliesToTheNextSweep) {
    WriteText(in / "first.doc", "1");
    SweepTwice();
    SetEraseOriginals(true);
    WriteText(in / "second.doc", "2");
    SweepTwice();
    EXPECT_EQ(Names(in), std::set<std::string>{"first.doc.bak"});
}

TEST_F(MonitorSweepTest, UnchangedOutputCountsAsNoConversion) {
    // The converter leaves an existing output as it was (a conversion that
    // failed over an old PDF): the original must not be deleted.
    SetEraseOriginals(true);
    WriteText(out / "fail-old.pdf", "old PDF");
    WriteText(in / "fail-old.doc", "doc");
    EXPECT_EQ(SweepTwice().failed, 1);
    EXPECT_EQ(Names(in), std::set<std::string>{"fail-old.doc.bak"});
    EXPECT_EQ(ReadText(out / "fail-old.pdf"), "old PDF");
}

TEST_F(MonitorSweepTest, AnEarlierBackupIsKept) {
    WriteText(in / "a.doc.bak", "earlier");
    WriteText(in / "a.doc000.bak", "earlier still");
    WriteText(in / "a.doc", "new");
    SweepTwice();
    EXPECT_EQ(ReadText(in / "a.doc.bak"), "earlier");
    EXPECT_EQ(ReadText(in / "a.doc000.bak"), "earlier still");
    EXPECT_EQ(ReadText(in / "a.doc001.bak"), "new");
    EXPECT_FALSE(fs::exists(in / "a.doc"));
}

TEST_F(MonitorSweepTest, FilesStillBeingWrittenWait) {
    WriteText(in / "growing.doc", "part");
    WriteText(in / "locked.doc", "whole");
    Sweep();
    WriteText(in / "growing.doc", "part and more");
    const int fd = ::open((in / "locked.doc").c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    EXPECT_EQ(Sweep().converted, 0);
    EXPECT_TRUE(converter.Calls().empty());

    // Settled and unlocked, both go on the next pass. (flock locks are per
    // open file, so this process's lock counts against our own probe.)
    ::close(fd);
    EXPECT_EQ(Sweep().converted, 2);
    EXPECT_EQ(ReadText(out / "growing.pdf"), "PDF of " + (in / "growing.doc").string());
}

TEST_F(MonitorSweepTest, MissingOrUnwritableOutputFolderLeavesDocumentsAlone) {
    fs::remove(out);
    WriteText(in / "a.doc", "a");
    EXPECT_EQ(SweepTwice().converted, 0);
    EXPECT_EQ(Names(in), std::set<std::string>{"a.doc"});

    fs::create_directories(out);
    EXPECT_EQ(Sweep().converted, 1);
}

TEST_F(MonitorSweepTest, MissingMonitoredFolderYieldsNothing) {
    pair.monitoredDirectory = (home.Files() / "gone").string();
    EXPECT_EQ(SweepTwice().converted, 0);
    pair.monitoredDirectory.clear();
    EXPECT_EQ(SweepTwice().converted, 0);
    EXPECT_TRUE(converter.Calls().empty());
}

TEST_F(MonitorSweepTest, MonitoredFolderMayBeItsOwnOutputFolder) {
    pair.outputDirectory = pair.monitoredDirectory;
    WriteText(in / "a.doc", "a");
    EXPECT_EQ(SweepTwice().converted, 1);
    EXPECT_EQ(Names(in), (std::set<std::string>{"a.doc.bak", "a.pdf"}));
    EXPECT_EQ(Sweep().converted, 0);
}

TEST_F(MonitorSweepTest, StopBetweenDocumentsStillClearsWhatWasConverted) {
    WriteText(in / "one.doc", "1");
    WriteText(in / "two.doc", "2");
    Sweep();
    converter.beforeConverting = [this](const std::string&) { stop = true; };

    const SweepCounts counts = Sweep();

    EXPECT_EQ(counts.converted, 1);
    ASSERT_EQ(converter.Calls().size(), 1u);
    const std::string done = fs::path(converter.Calls()[0].input).filename().string();
    const std::string waiting = done == "one.doc" ? "two.doc" : "one.doc";
    EXPECT_EQ(Names(in), (std::set<std::string>{done + ".bak", waiting}));
}

TEST_F(MonitorSweepTest, OverlongOutputPathsLeaveTheDocumentAlone) {
    // The document's own path fits; the output's does not.
    const std::string name = std::string(150, 'n') + ".doc";
    pair.outputDirectory = (out / std::string(100, 'o')).string();
    fs::create_directories(pair.outputDirectory);
    WriteText(in / name, "long");
    EXPECT_EQ(SweepTwice().converted, 0);
    EXPECT_TRUE(converter.Calls().empty());
    EXPECT_TRUE(fs::exists(in / name));
}

TEST_F(MonitorSweepTest, ManyDocumentsAtOnceAreAllConverted) {
    for (int i = 0; i < 300; ++i) {
        WriteText(in / ("doc " + std::to_string(i) + ".doc"), std::to_string(i));
    }
    EXPECT_EQ(SweepTwice().converted, 300);
    EXPECT_EQ(Names(out).size(), 300u);
    EXPECT_EQ(Names(in).size(), 300u);
    EXPECT_TRUE(fs::exists(in / "doc 299.doc.bak"));
}

}  // namespace
