// Make PDF end to end with a stand-in converter: the files each make and
// save mode produces, the list files, the progress the child drives, and
// the encryption and opening of every output.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>
#include <thread>

#include "RunnerTestSupport.h"
#include "runner/ConversionRunner.h"
#include "settings/SettingsStore.h"
#include "testing/PrivateHome.h"

namespace {

namespace fs = std::filesystem;
using runner::DocumentRow;

class MakePdfTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GuiApplication();
        home.Set("FAKE_SCRIVOLA_LOG", home.Root() / "fake.log");
        home.Set("SCRIVOLA_DEBUG_LOG", home.Root() / "debug.log");
        const fs::path recorder = home.Root() / "record-open.sh";
        Touch(recorder, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + OpenedLog().string() + "'\n");
        home.Set("SCRIVOLA_OPEN_COMMAND", "/bin/sh " + recorder.string());
        host.converter = FAKE_SCRIVOLA_PATH;
        runner = std::make_unique<runner::ConversionRunner>(host);
        runner->SetOutputChooser(chooser);
    }

    void Set(const char* section, const char* key, int value) {
        scrivola_win::SettingsStore::ApplicationProfile().WriteInt(section, key, value);
    }
    void Set(const char* section, const char* key, const std::string& value) {
        scrivola_win::SettingsStore::ApplicationProfile().WriteString(section, key, value);
    }
    void Modes(int make, int save, const std::string& target = "") {
        Set("SaveMode", "m_iMakePDFMode", make);
        Set("SaveMode", "m_iSaveMode", save);
        Set("SaveMode", "m_szFilenameORPath", target);
    }

    // A document file under the test's folder, added as a list row.
    fs::path AddDocument(const std::string& relative) {
        const fs::path file = home.Files() / relative;
        Touch(file);
        host.rows.push_back({file.filename().string(), file.parent_path().string() + "/"});
        return file;
    }

    fs::path OpenedLog() const { return home.Root() / "opened.log"; }
    std::vector<std::string> Opened() const { return ReadLines(OpenedLog()); }
    std::vector<FakeRun> Runs() const { return ReadFakeRuns(home.Root() / "fake.log"); }

    static int PageCount(const fs::path& pdf, const std::string& password = "") {
        std::vector<std::string> arguments = {"qpdf", "--show-npages"};
        if (!password.empty()) {
            arguments.push_back("--password=" + password);
        }
        arguments.push_back(pdf.string());
        const ToolResult result = RunTool(arguments);
        return result.exitCode == 0 ? std::stoi(result.output) : -1;
    }

    void ExpectIdleAfterwards() const {
        EXPECT_EQ(host.buttons, (std::vector<bool>{false, true}));
        ASSERT_FALSE(host.progress.empty());
        EXPECT_EQ(host.progress.back(), 0);
    }

    testsupport::PrivateHome home;
    RecordingHost host;
    std::shared_ptr<ScriptedChooser> chooser = std::make_shared<ScriptedChooser>();
    std::unique_ptr<runner::ConversionRunner> runner;
};

TEST_F(MakePdfTest, CombineModeMakesOnePdfFromAPrivateListFile) {
    const fs::path a = AddDocument("docs/a.doc");
    const fs::path b = AddDocument("docs/b b.rtf");
    const fs::path c = AddDocument("other/c.xls");
    const fs::path output = home.Files() / "out" / "all.pdf";
    fs::create_directories(output.parent_path());
    Modes(0, 2, output.string());
    Set("SetPDFInfo", "m_szTitle", "Annual \"best\" report");

    runner->MakePdfCommand();

    const std::vector<FakeRun> runs = Runs();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Option("-o"), output.string());
    EXPECT_EQ(runs[0].Option("-t"), "Annual \"best\" report");
    const fs::path list = runs[0].Option("-i");
    EXPECT_EQ(list.filename(), "pictobind.ver");
    EXPECT_EQ(list.parent_path().parent_path(), home.Temp());
    EXPECT_EQ(runs[0].listLines, (std::vector<std::string>{a, b, c}));
    EXPECT_FALSE(fs::exists(list.parent_path())) << "the run's list folder is removed";

    EXPECT_EQ(PageCount(output), 3);
    EXPECT_EQ(Opened(), (std::vector<std::string>{output.string()}));
    ExpectIdleAfterwards();
}

TEST_F(MakePdfTest, AskingForTheOutputAndCancelling) {
    AddDocument("docs/a.doc");
    Modes(0, 0, "/not/used.pdf");

    runner->MakePdfCommand();
    EXPECT_EQ(chooser->saveFileAsked, 1);
    EXPECT_TRUE(Runs().empty());
    ExpectIdleAfterwards();

    const fs::path chosen = home.Files() / "chosen.pdf";
    chooser->saveFileAnswer = chosen.string();
    runner->MakePdfCommand();
    ASSERT_EQ(Runs().size(), 1u);
    EXPECT_EQ(Runs()[0].Option("-o"), chosen.string());
    EXPECT_TRUE(fs::exists(chosen));
}

TEST_F(MakePdfTest, OnePdfPerDocumentBesideTheDocumentsWithFreeNames) {
    const fs::path a = AddDocument("docs/a.doc");
    const fs::path b = AddDocument("docs/sub/b.rtf");
    Touch(home.Files() / "docs" / "a.pdf", "earlier output");
    Modes(1, 1);
    Set("SaveMode", "m_iDestinationMode", 3);

    runner->MakePdfCommand();

    const std::vector<FakeRun> runs = Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].Option("-i"), a.string());
    EXPECT_EQ(runs[0].Option("-o"), (home.Files() / "docs" / "a000.pdf").string());
    EXPECT_EQ(runs[0].Option("-p"), "3");
    EXPECT_EQ(runs[1].Option("-o"), (home.Files() / "docs" / "sub" / "b.pdf").string());
    EXPECT_EQ(ReadLines(home.Files() / "docs" / "a.pdf"),
              (std::vector<std::string>{"earlier output"}));
    EXPECT_EQ(PageCount(home.Files() / "docs" / "a000.pdf"), 1);
    EXPECT_EQ(PageCount(home.Files() / "docs" / "sub" / "b.pdf"), 1);
    // One step per document, and a single document writes no progress line.
    EXPECT_EQ(host.progress, (std::vector<int>{49, 99, 0}));
    ExpectIdleAfterwards();
}

TEST_F(MakePdfTest, OnePdfPerFolderWithProgressFromTheConverter) {
    home.Set("FAKE_SCRIVOLA_DELAY_MS", "300");
    const fs::path x = AddDocument("A/x.doc");
    const fs::path y = AddDocument("B/y.doc");
    const fs::path z = AddDocument("A/z.doc");
    const fs::path w = AddDocument("A/w.doc");
    const fs::path out = home.Files() / "out";
    fs::create_directories(out);
    Modes(2, 2, out.string());

    runner->MakePdfCommand();

    EXPECT_EQ(host.sorts, (std::vector<std::pair<int, bool>>{{runner::kFilepathColumn, true}}));
    const std::vector<FakeRun> runs = Runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(fs::path(runs[0].Option("-i")).filename(), "pictobind000.ver");
    EXPECT_EQ(runs[0].listLines, (std::vector<std::string>{x, z, w}));
    EXPECT_EQ(runs[0].Option("-o"), (out / "A.pdf").string());
    EXPECT_EQ(fs::path(runs[1].Option("-i")).filename(), "pictobind003.ver");
    EXPECT_EQ(runs[1].listLines, (std::vector<std::string>{y}));
    EXPECT_EQ(runs[1].Option("-o"), (out / "B.pdf").string());
    EXPECT_EQ(PageCount(out / "A.pdf"), 3);
    EXPECT_EQ(PageCount(out / "B.pdf"), 1);

    // Steps of two groups (49, 99); between them the converter's own
    // percentages for the three documents of the first group.
    EXPECT_EQ(host.progress, (std::vector<int>{49, 33, 66, 99, 99, 0}));
    ExpectIdleAfterwards();
}

TEST_F(MakePdfTest, PerFolderOutputsBesideTheFolders) {
    AddDocument("A/x.doc");
    AddDocument("B/y.doc");
    Modes(2, 1);
    runner->MakePdfCommand();
    EXPECT_EQ(PageCount(home.Files() / "A.pdf"), 1);
    EXPECT_EQ(PageCount(home.Files() / "B.pdf"), 1);
}

TEST_F(MakePdfTest, EncryptedOutputsOpenOnlyWithThePassword) {
    AddDocument("docs/a.doc");
    const fs::path out = home.Files() / "out";
    fs::create_directories(out);
    Modes(1, 2, out.string());
    Set("EncryptPDF", "m_bCheckEncrypt", 1);
    Set("EncryptPDF", "UserPwd", "U");
    Set("EncryptPDF", "OwnerPwd", "O");
    Set("EncryptPDF", "m_bNoPrint", 1);
    Set("EncryptPDF", "m_iEncryptionLevel", 128);

    runner->MakePdfCommand();

    const fs::path pdf = out / "a.pdf";
    EXPECT_EQ(RunTool({"qpdf", "--check", "--password=U", pdf.string()}).exitCode, 0);
    EXPECT_NE(RunTool({"qpdf", "--check", pdf.string()}).exitCode, 0);
    const fs::path decrypted = home.Files() / "decrypted.pdf";
    EXPECT_EQ(
        RunTool({"qpdf", "--decrypt", "--password=U", pdf.string(), decrypted.string()}).exitCode,
        0);
    EXPECT_EQ(PageCount(decrypted), 1);
    const ToolResult encryption =
        RunTool({"qpdf", "--show-encryption", "--password=U", pdf.string()});
    EXPECT_NE(encryption.output.find("R = 3"), std::string::npos) << encryption.output;
    EXPECT_NE(encryption.output.find("print high resolution: not allowed"), std::string::npos)
        << encryption.output;
}

TEST_F(MakePdfTest, AFailedDocumentKeepsItsEarlierOutputAndTheRunGoesOn) {
    AddDocument("docs/ok.doc");
    AddDocument("docs/fail.doc");
    AddDocument("docs/last.doc");
    const fs::path docs = home.Files() / "docs";
    Touch(docs / "ok.pdf", "replaced");
    Touch(docs / "fail.pdf", "kept");
    Modes(1, 1);
    Set("EncryptPDF", "m_bCheckEncrypt", 1);
    Set("EncryptPDF", "UserPwd", "U");

    runner->MakePdfCommand();

    EXPECT_EQ(ReadLines(docs / "fail.pdf"), (std::vector<std::string>{"kept"}));
    EXPECT_EQ(PageCount(docs / "ok.pdf", "U"), 1);
    // No owner password of its own: the file still needs the user's.
    EXPECT_NE(RunTool({"qpdf", "--check", (docs / "ok.pdf").string()}).exitCode, 0);
    EXPECT_EQ(PageCount(docs / "last.pdf", "U"), 1);
    EXPECT_EQ(Opened(),
              (std::vector<std::string>{(docs / "ok.pdf").string(), (docs / "last.pdf").string()}));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(docs)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"fail.doc", "fail.pdf", "last.doc", "last.pdf",
                                               "ok.doc", "ok.pdf"}));
    ExpectIdleAfterwards();
}

TEST_F(MakePdfTest, AConverterThatCannotStartIsPassedOver) {
    host.converter = (home.Root() / "no-such-converter").string();
    AddDocument("docs/a.doc");
    Touch(home.Files() / "docs" / "a.pdf", "kept");
    Modes(1, 1);

    runner->MakePdfCommand();

    EXPECT_EQ(ReadLines(home.Files() / "docs" / "a.pdf"), (std::vector<std::string>{"kept"}));
    EXPECT_TRUE(Opened().empty());
    ExpectIdleAfterwards();
}

TEST_F(MakePdfTest, NothingHappensForAnEmptyListOrAnUnknownMode) {
    runner->MakePdfCommand();
    EXPECT_TRUE(host.buttons.empty());
    EXPECT_TRUE(host.progress.empty());

    AddDocument("docs/a.doc");
    Modes(5, 1);
    runner->MakePdfCommand();
    EXPECT_TRUE(Runs().empty());
    ExpectIdleAfterwards();
}

TEST_F(MakePdfTest, ConversionsFromAnotherThreadReportProgressOnTheWindowsThread) {
    home.Set("FAKE_SCRIVOLA_DELAY_MS", "300");
    const fs::path list = home.Files() / "monitor.ver";
    Touch(list, (home.Files() / "m1.doc").string() + "\n" + (home.Files() / "m2.doc").string() +
                    "\n" + (home.Files() / "m3.doc").string() + "\n");
    const fs::path output = home.Files() / "monitored.pdf";

    std::thread monitor([&] { runner->RunConversion(list.string(), output.string()); });
    monitor.join();
    EXPECT_TRUE(host.progress.empty()) << "nothing reaches the window until its thread runs";
    QCoreApplication::processEvents();

    EXPECT_EQ(PageCount(output), 3);
    EXPECT_EQ(host.progress, (std::vector<int>{33, 66, 99}));
    for (const std::thread::id id : host.progressThreads) {
        EXPECT_EQ(id, std::this_thread::get_id());
    }
}

}  // namespace
