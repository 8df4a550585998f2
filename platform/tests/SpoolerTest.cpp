#include <gtest/gtest.h>

#include <sys/stat.h>
#include <chrono>

#include "ScratchFolder.h"
#include "platform/Process.h"
#include "platform/Spooler.h"

namespace platform {
namespace {

constexpr const char* kVirtualPrinter = "Folivo Converter and Creator";

// The system-wide table lives in the test's folder, so what is installed on
// this machine does not count.
class SpoolerTest : public testing::ScratchFolderTest {
  protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        setenv("SCRIVOLA_SYSTEM_PRINTERS", SystemTable().c_str(), 1);
    }
    void TearDown() override {
        unsetenv("SCRIVOLA_SYSTEM_PRINTERS");
        ScratchFolderTest::TearDown();
    }
    std::string SystemTable() const { return Path("etc/scrivola/printers.reg"); }
};

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

TEST_F(SpoolerTest, InstalledPrintersAndTheDefaultLiveInTheRegistry) {
    Spooler spooler = Spooler::CurrentUser();
    EXPECT_TRUE(spooler.InstalledPrinters().empty());
    EXPECT_FALSE(spooler.GetDefaultPrinter());

    ASSERT_TRUE(spooler.InstallPrinter(kVirtualPrinter, "folivoprint"));
    ASSERT_TRUE(spooler.InstallPrinter("Office Laser", "lpr -P laser"));
    EXPECT_EQ(spooler.InstalledPrinters(),
              (std::vector<std::string>{kVirtualPrinter, "Office Laser"}));
    EXPECT_TRUE(spooler.IsInstalled("office laser"));
    EXPECT_EQ(spooler.BackendCommand("Office Laser"), "lpr -P laser");

    // Another view of the same file sees the change at once.
    Spooler other(Registry(Path("config/scrivola/registry.reg")));
    ASSERT_TRUE(spooler.SetDefaultPrinter("office LASER"));
    EXPECT_EQ(other.GetDefaultPrinter(), "Office Laser");
    ASSERT_TRUE(spooler.SetDefaultPrinter(kVirtualPrinter));
    EXPECT_EQ(other.GetDefaultPrinter(), kVirtualPrinter);
}

TEST_F(SpoolerTest, SettingAPrinterThatIsNotInstalledFailsAndChangesNothing) {
    Spooler spooler = Spooler::CurrentUser();
    ASSERT_TRUE(spooler.InstallPrinter("Office Laser", "lpr"));
    ASSERT_TRUE(spooler.SetDefaultPrinter("Office Laser"));
    for (const char* name : {kVirtualPrinter, "", "Office Laser\\Sub", "Office"}) {
        EXPECT_FALSE(spooler.SetDefaultPrinter(name)) << name;
    }
    EXPECT_EQ(spooler.GetDefaultPrinter(), "Office Laser");

    ASSERT_TRUE(spooler.RemovePrinter("Office Laser"));
    EXPECT_FALSE(spooler.IsInstalled("Office Laser"));
    EXPECT_FALSE(spooler.SetDefaultPrinter("Office Laser"));
    EXPECT_FALSE(spooler.InstallPrinter("a\\b", "lpr"));
}

TEST_F(SpoolerTest, SubmitRunsTheBackendWithTheJobFileAndWaits) {
    Spooler spooler = Spooler::CurrentUser();
    const std::string log = Path("backend.log");
    const std::string backend = WriteRecorder("print backend", log, 5);
    ASSERT_TRUE(spooler.InstallPrinter(kVirtualPrinter, QuoteArgument(backend) + " --job"));
    const std::string job = WriteFile("job file.pdf", "%PDF");

    EXPECT_EQ(spooler.Submit(kVirtualPrinter, job), 5);
    EXPECT_EQ(ReadWholeFile(log), "--job\n" + job + "\nend\n");

    // An empty name means the default printer.
    EXPECT_EQ(spooler.Submit("", job), -1);
    ASSERT_TRUE(spooler.SetDefaultPrinter(kVirtualPrinter));
    EXPECT_EQ(spooler.Submit("", job), 5);

    EXPECT_EQ(spooler.Submit("Not Installed", job), -1);
    ASSERT_TRUE(spooler.InstallPrinter("Broken", Path("missing-backend")));
    EXPECT_EQ(spooler.Submit("Broken", job), -1);
}

// A backend that hangs would keep the printer lock for every later job.
TEST_F(SpoolerTest, AHungBackendIsEndedAtTheTimeLimit) {
    const std::string backend = WriteFile("hung backend", "#!/bin/sh\nsleep 30 &\nwait\n");
    chmod(backend.c_str(), 0700);
    Spooler spooler = Spooler::CurrentUser();
    ASSERT_TRUE(spooler.InstallPrinter("Hung", QuoteArgument(backend)));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(spooler.Submit("Hung", Path("job.pdf"), 300), Spooler::kBackendTimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
}

TEST_F(SpoolerTest, SystemWidePrintersServeEveryUserWhileTheDefaultStaysPerUser) {
    const std::string log = Path("backend.log");
    const std::string systemBackend = WriteRecorder("system backend", log, 3);
    const mode_t previousMask = umask(077);  // a strict administrator
    Spooler administrator = Spooler::CurrentUser();
    const bool installed =
        administrator.InstallSystemPrinter(kVirtualPrinter, QuoteArgument(systemBackend));
    umask(previousMask);
    ASSERT_TRUE(installed);
    EXPECT_EQ(ModeOf(Path("etc/scrivola")), 0755u);
    EXPECT_EQ(ModeOf(SystemTable()), 0644u);

    Spooler alice = Spooler::CurrentUser();
    Spooler bob(Registry(Path("bob/registry.reg")), Registry(SystemTable()));
    for (Spooler* user : {&alice, &bob}) {
        EXPECT_TRUE(user->IsInstalled(kVirtualPrinter));
        EXPECT_TRUE(user->IsInstalledSystemWide(kVirtualPrinter));
        EXPECT_FALSE(user->IsInstalledForUser(kVirtualPrinter));
        EXPECT_EQ(user->InstalledPrinters(), std::vector<std::string>{kVirtualPrinter});
    }

    // Alice's default is hers alone, stored under the installed name.
    ASSERT_TRUE(alice.InstallPrinter("Office Laser", "lpr"));
    ASSERT_TRUE(alice.SetDefaultPrinter("folivo converter AND creator"));
    EXPECT_EQ(alice.GetDefaultPrinter(), kVirtualPrinter);
    EXPECT_FALSE(bob.GetDefaultPrinter());
    EXPECT_FALSE(bob.IsInstalled("Office Laser"));
    EXPECT_FALSE(
        Registry(SystemTable()).KeyExists("Software\\Scrivola\\Spooler\\Printers\\Office Laser"));
    EXPECT_FALSE(
        Registry(SystemTable()).QueryString("Software\\Scrivola\\Spooler", "DefaultPrinter"));

    const std::string job = WriteFile("job.pdf", "%PDF");
    EXPECT_EQ(alice.Submit("", job), 3);
    EXPECT_EQ(ReadWholeFile(log), job + "\nend\n");

    // A printer of the user's own shadows the system-wide one until removed.
    ASSERT_TRUE(alice.InstallPrinter(kVirtualPrinter, "own backend"));
    EXPECT_EQ(alice.BackendCommand(kVirtualPrinter), "own backend");
    EXPECT_EQ(alice.InstalledPrinters(),
              (std::vector<std::string>{"Office Laser", kVirtualPrinter}));
    ASSERT_TRUE(alice.RemovePrinter(kVirtualPrinter));
    EXPECT_EQ(alice.BackendCommand(kVirtualPrinter), QuoteArgument(systemBackend));
    EXPECT_FALSE(alice.RemovePrinter(kVirtualPrinter));  // not hers to remove
    EXPECT_TRUE(alice.IsInstalled(kVirtualPrinter));

    ASSERT_TRUE(administrator.RemoveSystemPrinter(kVirtualPrinter));
    EXPECT_FALSE(bob.IsInstalled(kVirtualPrinter));
    EXPECT_FALSE(bob.SetDefaultPrinter(kVirtualPrinter));
    EXPECT_EQ(alice.Submit(kVirtualPrinter, job), -1);
}

TEST_F(SpoolerTest, WhereTheSystemWideTableIs) {
    EXPECT_EQ(SystemPrinterTablePath(), SystemTable());
    unsetenv("SCRIVOLA_SYSTEM_PRINTERS");
    EXPECT_EQ(SystemPrinterTablePath(), "/etc/scrivola/printers.reg");

    // Empty: no system-wide table at all.
    setenv("SCRIVOLA_SYSTEM_PRINTERS", "", 1);
    EXPECT_FALSE(SystemPrinterTablePath());
    Spooler withoutTable = Spooler::CurrentUser();
    EXPECT_FALSE(withoutTable.InstallSystemPrinter(kVirtualPrinter, "folivoprint"));
    EXPECT_FALSE(withoutTable.IsInstalled(kVirtualPrinter));

    // A table that cannot be written is reported, not pretended.
    WriteFile("not-a-folder", "");
    Spooler blocked(Registry(Path("config/scrivola/registry.reg")),
                    Registry(Path("not-a-folder/printers.reg")));
    EXPECT_FALSE(blocked.InstallSystemPrinter(kVirtualPrinter, "folivoprint"));
    EXPECT_FALSE(blocked.IsInstalled(kVirtualPrinter));
}

}  // namespace
}  // namespace platform
