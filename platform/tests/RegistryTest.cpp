#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "ScratchFolder.h"
#include "platform/Registry.h"

namespace platform {
namespace {

using namespace std::string_literals;

constexpr const char* kPrinterKey = "Software\\folivosoft\\folivoprint";

class RegistryTest : public testing::ScratchFolderTest {
  protected:
    std::string FilePath() const { return Path("config/scrivola/registry.reg"); }
};

TEST_F(RegistryTest, CurrentUserFileFollowsXdgConfigHome) {
    EXPECT_EQ(ConfigDirectory(), Path("config/scrivola"));
    EXPECT_EQ(Registry::CurrentUser().FilePath(), FilePath());
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    EXPECT_EQ(ConfigDirectory(), Path("home/.config/scrivola"));
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(ConfigDirectory(), Path("home/.config/scrivola"));
}

TEST_F(RegistryTest, FirstWriteCreatesPrivateFolderAndExportFormat) {
    Registry registry = Registry::CurrentUser();
    EXPECT_FALSE(registry.KeyExists(kPrinterKey));
    ASSERT_TRUE(registry.WriteValues(
        kPrinterKey, {{"Resolution", 3u}, {"Title", std::string("say \"hi\" C:\\x")}}));
    struct stat info {};
    ASSERT_EQ(stat(Path("config/scrivola").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(ReadWholeFile(FilePath()),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\folivosoft\\folivoprint]\n"
              "\"Resolution\"=dword:00000003\n"
              "\"Title\"=\"say \\\"hi\\\" C:\\\\x\"\n\n");
}

TEST_F(RegistryTest, ValuesRoundTripWholeAndKeepTheirOrder) {
    Registry registry(FilePath());
    const std::string longText(100000, 'x');
    const std::vector<std::pair<std::string, RegistryValue>> values = {
        {"Zeta", 0xFFFFFFFFu},
        {"Empty", std::string()},
        {"Tricky", std::string("\\\"\\\\\"\n\r\t;[x]=\"y\"\\")},
        {"Long", longText},
        {"Name with \"quote\" and \\", 0u},
        {"Alpha", std::string("utf-8 \xC3\xA9")},
    };
    ASSERT_TRUE(registry.WriteValues(kPrinterKey, values));
    EXPECT_EQ(registry.ReadKey(kPrinterKey), values);
    // Names and keys are matched without regard to case; a rewrite keeps
    // the value's place.
    ASSERT_TRUE(registry.SetDword("SOFTWARE\\FolivoSoft\\FOLIVOPRINT", "zeta", 5));
    EXPECT_EQ(registry.QueryDword(kPrinterKey, "ZETA"), 5u);
    EXPECT_EQ(registry.ReadKey(kPrinterKey)->front().first, "Zeta");
    EXPECT_EQ(registry.QueryString(kPrinterKey, "long"), longText);
}

TEST_F(RegistryTest, TypedQueriesRejectOtherTypes) {
    Registry registry(FilePath());
    ASSERT_TRUE(registry.SetString(kPrinterKey, "Text", "12"));
    ASSERT_TRUE(registry.SetDword(kPrinterKey, "Number", 12));
    EXPECT_FALSE(registry.QueryDword(kPrinterKey, "Text"));
    EXPECT_FALSE(registry.QueryString(kPrinterKey, "Number"));
    EXPECT_FALSE(registry.QueryValue(kPrinterKey, "Missing"));
    EXPECT_FALSE(registry.QueryValue("Software\\Other", "Text"));
}

TEST_F(RegistryTest, HandEditedFileLoadsWhatCanBeReadAndRewritesClean) {
    ASSERT_TRUE(CreateDirectories(Path("config/scrivola")));
    WriteFile("config/scrivola/registry.reg",
              "garbage before any header\r\n"
              "\"Orphan\"=dword:00000001\r\n"
              "Windows Registry Editor Version 5.00\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\folivosoft\\folivoprint]\r\n"
              "\"Good\"=dword:0000000a\r\n"
              "\"TooLong\"=dword:123456789\r\n"
              "\"NotHex\"=dword:xyz\r\n"
              "\"Binary\"=hex:01,02\r\n"
              "\"Unclosed\"=\"no end\r\n"
              "\"Trailing\"=\"ok\" junk\r\n"
              "NoQuotes=\"x\"\r\n"
              "  \"Spaced\" = \"kept\"  \r\n"
              "\"Lone\"=\"C:\\path\"\r\n"
              "@=\"default\"\r\n"
              "\"Good\"=dword:0000000b\r\n"
              "[broken section\r\n"
              "\"AfterBroken\"=dword:00000001\r\n"
              "[-HKEY_CURRENT_USER\\Software\\Removed]\r\n"
              "\"InRemoved\"=dword:00000001\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
              "\"Foreign\"=dword:00000002\r\n"
              "[hkcu\\software\\FOLIVOSOFT\\folivoprint\\]\r\n"
              "\"Merged\"=\"yes\"\r\n"
              "\xff\xfe\x00 binary \x01\r\n"
              "\"AfterBinary\"=dword:00000001\r\n"s);
    Registry registry(FilePath());
    const std::vector<std::pair<std::string, RegistryValue>> expected = {
        {"Good", 11u},
        {"Spaced", std::string("kept")},
        {"Lone", std::string("C:\\path")},
        {"", std::string("default")},
        {"Merged", std::string("yes")},
        {"AfterBinary", 1u},
    };
    EXPECT_EQ(registry.ReadKey(kPrinterKey), expected);

    ASSERT_TRUE(registry.SetDword(kPrinterKey, "Added", 1));
    EXPECT_EQ(ReadWholeFile(FilePath()),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\folivosoft\\folivoprint]\n"
              "\"Good\"=dword:0000000b\n"
              "\"Spaced\"=\"kept\"\n"
              "\"Lone\"=\"C:\\\\path\"\n"
              "@=\"default\"\n"
              "\"Merged\"=\"yes\"\n"
              "\"AfterBinary\"=dword:00000001\n"
              "\"Added\"=dword:00000001\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
              "\"Foreign\"=dword:00000002\n\n");
}

TEST_F(RegistryTest, KeysSubKeysAndDeletion) {
    Registry registry(FilePath());
    ASSERT_TRUE(registry.SetString("Software\\Scrivola\\Spooler\\Printers\\One", "Backend", "a"));
    ASSERT_TRUE(registry.CreateKey("Software\\Scrivola\\Spooler\\Printers\\Two"));
    ASSERT_TRUE(registry.SetString("Software\\Scrivola\\Spooler\\Printers\\two\\Sub", "X", "b"));
    ASSERT_TRUE(registry.SetString("Software\\Scrivola\\Spooler\\PrintersNot", "X", "c"));

    EXPECT_TRUE(registry.KeyExists("Software\\Scrivola\\Spooler"));
    EXPECT_EQ(registry.ReadKey("Software\\Scrivola"),
              (std::vector<std::pair<std::string, RegistryValue>>{}));
    EXPECT_EQ(registry.SubKeys("Software\\Scrivola\\Spooler\\Printers"),
              (std::vector<std::string>{"One", "Two"}));

    EXPECT_TRUE(registry.DeleteValue("Software\\Scrivola\\Spooler\\Printers\\One", "backend"));
    EXPECT_FALSE(registry.DeleteValue("Software\\Scrivola\\Spooler\\Printers\\One", "backend"));
    EXPECT_TRUE(registry.KeyExists("Software\\Scrivola\\Spooler\\Printers\\One"));

    EXPECT_TRUE(registry.DeleteKey("Software\\Scrivola\\Spooler\\Printers\\TWO"));
    EXPECT_FALSE(registry.KeyExists("Software\\Scrivola\\Spooler\\Printers\\Two\\Sub"));
    EXPECT_FALSE(registry.DeleteKey("Software\\Scrivola\\Spooler\\Printers\\Two"));
    EXPECT_EQ(registry.SubKeys("Software\\Scrivola\\Spooler\\Printers"),
              (std::vector<std::string>{"One"}));
    EXPECT_TRUE(registry.KeyExists("Software\\Scrivola\\Spooler\\PrintersNot"));
    EXPECT_FALSE(registry.DeleteKey(""));
}

TEST_F(RegistryTest, UnreadableFileIsNeverOverwritten) {
    // Something that exists but cannot be read as the file: a folder.
    ASSERT_TRUE(CreateDirectories(FilePath()));
    WriteFile("config/scrivola/registry.reg/inside", "kept");
    Registry registry(FilePath());
    EXPECT_FALSE(registry.SetDword(kPrinterKey, "Other", 2));
    EXPECT_FALSE(registry.QueryDword(kPrinterKey, "Other"));
    EXPECT_EQ(ReadWholeFile(FilePath() + "/inside"), "kept");
}

// Without the export header it is some other file, perhaps damaged: it is
// never replaced by a rewrite of the little that could be read from it.
TEST_F(RegistryTest, AFileWithoutTheHeaderIsNeitherReadNorRewritten) {
    const std::string junk("\x7f\x00\x01[HKEY_CURRENT_USER\\Software]\n\"A\"=dword:1\n\x00", 45);
    WriteFile("config/scrivola/registry.reg", junk);
    Registry registry(FilePath());
    EXPECT_FALSE(registry.SetDword(kPrinterKey, "Other", 2));
    EXPECT_FALSE(registry.KeyExists("Software"));
    EXPECT_EQ(ReadWholeFile(FilePath()), junk);
}

TEST_F(RegistryTest, ConcurrentWritersLoseNothing) {
    constexpr int kWriters = 4;
    constexpr int kValuesEach = 25;
    // Two processes, two threads each: the lock covers both.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    const int first = child == 0 ? 0 : 2;
    std::vector<std::thread> threads;
    for (int w = first; w < first + 2; ++w) {
        threads.emplace_back([this, w] {
            Registry registry(FilePath());
            for (int i = 0; i < kValuesEach; ++i) {
                registry.SetDword(kPrinterKey, "W" + std::to_string(w) + "_" + std::to_string(i),
                                  static_cast<std::uint32_t>(i));
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (child == 0) {
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    const auto values = Registry(FilePath()).ReadKey(kPrinterKey);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->size(), static_cast<std::size_t>(kWriters * kValuesEach));
}

}  // namespace
}  // namespace platform
