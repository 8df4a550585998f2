// The built folivoprint program: installing itself in the spooler, saying
// where it writes, and printing jobs the spooler hands it.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Spooler.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrinterSettings.h"
#include "testing/MinimalPdf.h"
#include "testing/PrivateHome.h"

namespace folivo {
namespace {

using scrivola::kVirtualPrinterName;

std::string ProgramPath() {
    const char* folder = std::getenv("SCRIVOLA_BIN_DIR");
    return platform::JoinPath(folder ? folder : ".", "folivoprint");
}

struct ProgramRun {
    int status = -1;
    std::string output;  // standard output and error
};

ProgramRun Folivoprint(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {ProgramPath()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    platform::ProcessOptions options;
    options.captureOutput = true;
    auto process = platform::Process::StartArguments(command, options);
    ProgramRun run;
    if (process) {
        run.output = process->ReadAll();
        run.status = process->Wait();
    }
    return run;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class PrinterCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::CreateDirectories(folder.Path("out"));
        testsupport::WriteFile(job, testpdf::MinimalPdf(2));
    }
    void Configure(const std::string& output, int autoView = 0) {
        ASSERT_TRUE(scrivola::ConfigurePrinterForJob(output));
        scrivola::PrinterSettings settings;
        scrivola::LoadPrinterSettings(settings);
        settings.AutoView = autoView;
        scrivola::SavePrinterSettings(settings);
    }
    testsupport::PrivateHome folder;
    const std::string job = folder.Path("job.pdf");
};

TEST_F(PrinterCommandTest, InstallsItselfSaysWhereItWritesAndUninstalls) {
    EXPECT_TRUE(Contains(Folivoprint({"--status"}).output, "is not installed"));
    // Asking changes nothing.
    EXPECT_FALSE(platform::Registry::CurrentUser().KeyExists(scrivola::kPrinterSettingsKey));

    ASSERT_EQ(Folivoprint({"--install"}).status, 0);
    const platform::Spooler spooler = platform::Spooler::CurrentUser();
    const auto backend = spooler.BackendCommand(kVirtualPrinterName);
    ASSERT_TRUE(backend);
    const auto backendArguments = platform::SplitCommandLine(*backend);
    ASSERT_EQ(backendArguments.size(), 1u);
    EXPECT_EQ(backendArguments[0].front(), '/');
    EXPECT_TRUE(platform::PathExists(backendArguments[0]));

    ProgramRun status = Folivoprint({"--status"});
    EXPECT_EQ(status.status, 0);
    EXPECT_TRUE(Contains(status.output, "is installed"));
    EXPECT_TRUE(Contains(status.output, folder.Path("home/Documents/Folivo"))) << status.output;

    Configure(folder.Path("out/next.pdf"));
    EXPECT_TRUE(Contains(Folivoprint({"--status"}).output, folder.Path("out/next.pdf")));

    EXPECT_EQ(Folivoprint({"--uninstall"}).status, 0);
    EXPECT_FALSE(platform::Spooler::CurrentUser().IsInstalled(kVirtualPrinterName));
}

TEST_F(PrinterCommandTest, JobFromTheSpoolerLandsAtTheConfiguredPath) {
    ASSERT_EQ(Folivoprint({"--install"}).status, 0);
    const std::string output = folder.Path("out/result.pdf");
    Configure(output);
    EXPECT_EQ(platform::Spooler::CurrentUser().Submit(kVirtualPrinterName, job), 0);
    EXPECT_EQ(testsupport::ReadFile(output), testsupport::ReadFile(job));
}

TEST_F(PrinterCommandTest, MissingOutputFolderFailsWithAReason) {
    Configure(folder.Path("missing/result.pdf"));
    const ProgramRun run = Folivoprint({job});
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(Contains(run.output, "does not exist")) << run.output;
}

TEST_F(PrinterCommandTest, WithoutAnAutomaticPathTheJobGoesToTheDefaultFolder) {
    const ProgramRun run = Folivoprint({job});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(Contains(run.output, folder.Path("home/Documents/Folivo/folivo-"))) << run.output;
}

TEST_F(PrinterCommandTest, AutoViewOpensTheResult) {
    const std::string opened = folder.Path("opened");
    testsupport::WriteFile(folder.Path("opener"),
                           "#!/bin/sh\nprintf '%s' \"$1\" > \"" + opened + "\"\n");
    ::chmod(folder.Path("opener").c_str(), 0755);
    folder.Set("SCRIVOLA_OPEN_COMMAND", platform::QuoteArgument(folder.Path("opener")));
    const std::string output = folder.Path("out/viewed.pdf");
    Configure(output, 1);
    EXPECT_EQ(Folivoprint({job}).status, 0);
    EXPECT_EQ(testsupport::ReadFile(opened), output);
}

TEST_F(PrinterCommandTest, InstallsForEveryUserWithSystem) {
    ASSERT_EQ(Folivoprint({"--install", "--system"}).status, 0);
    // Another user, with a registry of their own, gets the printer too.
    folder.Set("XDG_CONFIG_HOME", folder.Path("other-user"));
    const platform::Spooler spooler = platform::Spooler::CurrentUser();
    EXPECT_TRUE(spooler.IsInstalledSystemWide(kVirtualPrinterName));
    EXPECT_FALSE(spooler.IsInstalledForUser(kVirtualPrinterName));
    EXPECT_TRUE(Contains(Folivoprint({"--status"}).output, "installed for every user"));

    const std::string output = folder.Path("out/shared.pdf");
    Configure(output);
    EXPECT_EQ(platform::Spooler::CurrentUser().Submit(kVirtualPrinterName, job), 0);
    EXPECT_EQ(testsupport::ReadFile(output), testsupport::ReadFile(job));

    // A user cannot remove it for everybody by mistake.
    const ProgramRun userUninstall = Folivoprint({"--uninstall"});
    EXPECT_EQ(userUninstall.status, 1);
    EXPECT_TRUE(Contains(userUninstall.output, "--uninstall --system")) << userUninstall.output;
    EXPECT_EQ(Folivoprint({"--system", "--uninstall"}).status, 0);
    EXPECT_FALSE(platform::Spooler::CurrentUser().IsInstalled(kVirtualPrinterName));
}

TEST_F(PrinterCommandTest, WrongCommandLinesGetTheUsage) {
    const std::vector<std::vector<std::string>> wrongCommandLines = {
        {},
        {"--bogus"},
        {job, job},
        {"--system"},
        {"--status", "--system"},
        {job, "--system"},
        {"--install", "--system", "--system"}};
    for (const auto& arguments : wrongCommandLines) {
        const ProgramRun run = Folivoprint(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(Contains(run.output, "Usage: folivoprint")) << run.output;
    }
}

}  // namespace
}  // namespace folivo
