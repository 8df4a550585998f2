#include <gtest/gtest.h>

#include "ScratchFolder.h"
#include "platform/Process.h"
#include "platform/Spooler.h"

namespace platform {
namespace {

constexpr const char* kVirtualPrinter = "Folivo Converter and Creator";

class SpoolerTest : public testing::ScratchFolderTest {};

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

}  // namespace
}  // namespace platform
