#include "printing/PrinterSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Registry.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

using platform::Registry;
using testsupport::PrivateHome;
using testsupport::ReadFile;

const std::vector<std::string> kWriteOrder = {"disable",
                                              "CompressText",
                                              "Compress_AutoZoomImages",
                                              "Compress_ColorImages",
                                              "Compress_MonoColorImages",
                                              "Links_IsEnable",
                                              "Links_BoderColor",
                                              "Links_BoderType",
                                              "Links_LineStyle",
                                              "Links_LineSize",
                                              "General_PageRotateAngle",
                                              "General_OptimizeWeb",
                                              "AutoExec",
                                              "AutoExecProgram",
                                              "AutoView",
                                              "OutFileType",
                                              "DefaultCharWidth",
                                              "Unit",
                                              "PageSelect",
                                              "PageSize",
                                              "PageW",
                                              "PageH",
                                              "Margin",
                                              "Orientation",
                                              "Resolution",
                                              "Compatible",
                                              "Scale",
                                              "Title",
                                              "Subject",
                                              "Author",
                                              "Keywords",
                                              "Encryption",
                                              "Permission",
                                              "EncryBits",
                                              "OwnerPass",
                                              "UserPass",
                                              "AutomaticOutput",
                                              "AutomaticValue",
                                              "AutomaticDirectory"};

class PrinterSettingsTest : public ::testing::Test {
  protected:
    PrivateHome m_folder;
    Registry m_registry = Registry::CurrentUser();

    std::vector<std::string> StoredNames() const {
        std::vector<std::string> names;
        const auto stored = m_registry.ReadKey(kPrinterSettingsKey);
        if (!stored) {
            return names;
        }
        for (const auto& [name, value] : *stored) {
            names.push_back(name);
        }
        return names;
    }
    std::uint32_t Dword(const char* name) const {
        return m_registry.QueryDword(kPrinterSettingsKey, name).value_or(0xDEADBEEF);
    }
    std::string Text(const char* name) const {
        return m_registry.QueryString(kPrinterSettingsKey, name).value_or("<missing>");
    }
};

TEST_F(PrinterSettingsTest, FirstJobCreatesTheKeyWithAllValuesInWriteOrder) {
    const std::string output = m_folder / "out/report.pdf";
    ASSERT_TRUE(ConfigurePrinterForJob(output));

    EXPECT_EQ(m_registry.FilePath(), m_folder / "config/scrivola/registry.reg");
    EXPECT_EQ(StoredNames(), kWriteOrder);

    // The four per-job values ...
    EXPECT_EQ(Dword("AutomaticOutput"), 1u);
    EXPECT_EQ(Dword("AutomaticValue"), 2u);
    EXPECT_EQ(Dword("AutoView"), 0u);
    EXPECT_EQ(Text("AutomaticDirectory"), output);
    // ... and the defaults for everything else.
    EXPECT_EQ(Dword("disable"), 0u);
    EXPECT_EQ(Dword("Unit"), 1u);
    EXPECT_EQ(Dword("PageSize"), 7u);
    EXPECT_EQ(Dword("PageW"), 595000u);
    EXPECT_EQ(Dword("PageH"), 842000u);
    EXPECT_EQ(Dword("Orientation"), 1u);
    EXPECT_EQ(Dword("Scale"), 100u);
    EXPECT_EQ(Dword("Resolution"), 3u);
    EXPECT_EQ(Dword("Permission"), 0xFFFFFFFCu);
    EXPECT_EQ(Dword("EncryBits"), 5u);
    EXPECT_EQ(Dword("DefaultCharWidth"), 6u);
    EXPECT_EQ(Dword("Links_BoderColor"), 255u);
    EXPECT_EQ(Dword("CompressText"), 1u);
    EXPECT_EQ(Text("Title"), "");
    EXPECT_EQ(Text("OwnerPass"), "");
}

TEST_F(PrinterSettingsTest, PageSizesPassThroughA32BitFloat) {
    struct Case {
        std::uint32_t stored;
        std::uint32_t writtenBack;
    };
    for (const Case c : {Case{612000, 612000}, Case{595500, 595500}, Case{512008, 512007},
                         Case{842000, 842000}, Case{0, 0}, Case{0xFFFFFFFF, 0xFFFFFFFF}}) {
        ASSERT_TRUE(m_registry.WriteValues(kPrinterSettingsKey,
                                           {{"PageW", c.stored}, {"PageH", c.stored}}));
        PrinterSettings settings;
        LoadPrinterSettings(settings);
        SavePrinterSettings(settings);
        EXPECT_EQ(Dword("PageW"), c.writtenBack) << c.stored;
        EXPECT_EQ(Dword("PageH"), c.writtenBack) << c.stored;
    }
    EXPECT_FLOAT_EQ(PageSizeFromStored(612000), 612.0f);
}

TEST_F(PrinterSettingsTest, EncryBitsOtherThan5Or16BecomesFive) {
    for (const auto& [stored, expected] :
         std::vector<std::pair<std::uint32_t, std::uint32_t>>{{8, 5}, {16, 16}, {5, 5}, {0, 5}}) {
        ASSERT_TRUE(m_registry.SetDword(kPrinterSettingsKey, "EncryBits", stored));
        ASSERT_TRUE(ConfigurePrinterForJob(m_folder / "a.pdf"));
        EXPECT_EQ(Dword("EncryBits"), expected) << stored;
    }
}

TEST_F(PrinterSettingsTest, UserConfigurationSurvivesAJobUnchanged) {
    const std::string longTitle(300, 'T');  // longer than the printer's field
    ASSERT_TRUE(m_registry.WriteValues(kPrinterSettingsKey,
                                       {{"Title", std::string("Quarterly \"report\" C:\\x")},
                                        {"Author", longTitle},
                                        {"OwnerPass", std::string(40, 'p')},
                                        {"Permission", std::uint32_t{0xFFFFFFC0}},
                                        {"Scale", std::uint32_t{80}},
                                        {"Compatible", std::uint32_t{4}},
                                        {"AutoView", std::uint32_t{1}},
                                        {"AutoExecProgram", std::string("/usr/bin/true")}}));
    ASSERT_TRUE(ConfigurePrinterForJob(m_folder / "b.pdf"));

    EXPECT_EQ(Text("Title"), "Quarterly \"report\" C:\\x");
    EXPECT_EQ(Text("Author"), longTitle);
    EXPECT_EQ(Text("OwnerPass"), std::string(40, 'p'));
    EXPECT_EQ(Dword("Permission"), 0xFFFFFFC0u);
    EXPECT_EQ(Dword("Scale"), 80u);
    EXPECT_EQ(Dword("Compatible"), 4u);
    EXPECT_EQ(Text("AutoExecProgram"), "/usr/bin/true");
    EXPECT_EQ(Dword("AutoView"), 0u);  // per job
    EXPECT_EQ(StoredNames().size(), kWriteOrder.size());
}

TEST_F(PrinterSettingsTest, PathsThePrinterCannotTakeLeaveTheKeyUntouched) {
    ASSERT_TRUE(ConfigurePrinterForJob(m_folder / "first.pdf"));
    const std::string before = ReadFile(m_registry.FilePath());

    EXPECT_FALSE(ConfigurePrinterForJob(""));
    const std::string tooLong = "/" + std::string(kPrinterTextCapacity, 'x');
    EXPECT_FALSE(ConfigurePrinterForJob(tooLong));
    EXPECT_EQ(ReadFile(m_registry.FilePath()), before);

    const std::string longest = "/" + std::string(kPrinterTextCapacity - 1, 'y');
    EXPECT_TRUE(ConfigurePrinterForJob(longest));
    EXPECT_EQ(Text("AutomaticDirectory"), longest);
}

TEST_F(PrinterSettingsTest, EmptyPathOnAFreshUserCreatesNothing) {
    EXPECT_FALSE(ConfigurePrinterForJob(""));
    EXPECT_FALSE(m_registry.KeyExists(kPrinterSettingsKey));
}

TEST_F(PrinterSettingsTest, DamagedRegistryFileLoadsDefaultsForWhatCannotBeRead) {
    m_folder.Write("config/scrivola/registry.reg",
                   "Windows Registry Editor Version 5.00\n\n"
                   "[HKEY_CURRENT_USER\\Software\\folivosoft\\folivoprint]\n"
                   "\"PageW\"=\"wide\"\n"
                   "\"Scale\"=dword:zz\n"
                   "garbage line without any form\n"
                   "\"Title\"=dword:00000005\n"
                   "\"Unit\"=dword:00000002\n"
                   "\"Subject\"=\"unterminated\n"
                   "\"Margin\"=dword:0000000a\n");
    PrinterSettings settings;
    LoadPrinterSettings(settings);
    EXPECT_FLOAT_EQ(settings.PageW, 595.0f);
    EXPECT_EQ(settings.Scale, 100);
    EXPECT_EQ(settings.Title, "");
    EXPECT_EQ(settings.Subject, "");
    EXPECT_EQ(settings.Unit, 2);
    EXPECT_EQ(settings.Margin, 10);

    ASSERT_TRUE(ConfigurePrinterForJob(m_folder / "c.pdf"));
    EXPECT_EQ(Dword("PageW"), 595000u);
    EXPECT_EQ(Dword("Unit"), 2u);
    EXPECT_EQ(Text("Title"), "");
}

// A binary file is no registry: the defaults apply, and the job cannot point
// the printer anywhere, since that would replace the file.
TEST_F(PrinterSettingsTest, BinaryRegistryFileLoadsDefaultsAndIsLeftAsItIs) {
    const std::string binary("\0\xff\xfe binary", 10);
    const std::string file = m_folder.Write("config/scrivola/registry.reg", binary);
    PrinterSettings settings;
    LoadPrinterSettings(settings);
    EXPECT_EQ(settings.Scale, 100);
    EXPECT_FALSE(ConfigurePrinterForJob(m_folder / "d.pdf"));
    EXPECT_EQ(ReadFile(file), binary);
}

}  // namespace
}  // namespace scrivola
