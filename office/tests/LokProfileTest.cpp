// The service notes the installed office version in its profile, so that
// the office does not take every start for its first after an upgrade; the
// profile's other settings stay as they are.
#include <gtest/gtest.h>

#include "OfficeTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "render/LokProfile.h"

namespace office::render {
namespace {

constexpr char kHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items "
    "xmlns:oor=\"http://openoffice.org/2001/registry\">\n";
constexpr char kOther[] =
    "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"FirstRun\" "
    "oor:op=\"fuse\"><value>false</value></prop></item>\n";

std::string VersionItem(const std::string& version) {
    return "<item oor:path=\"/org.openoffice.Setup/Product\"><prop "
           "oor:name=\"ooSetupLastVersion\" oor:op=\"fuse\"><value>" +
           version + "</value></prop></item>\n";
}

TEST(LokProfileTest, LastVersionIsSetOnceAndOtherSettingsKept) {
    const std::string end = "</oor:items>\n";
    const std::pair<const char*, std::string> cases[] = {
        {"no settings yet", ""},
        {"settings without the version", kHead + std::string(kOther) + end},
        {"settings with an older version", kHead + VersionItem("7.3") + kOther + end},
        {"settings with this version", kHead + std::string(kOther) + VersionItem("7.4") + end},
    };
    for (const auto& [name, settings] : cases) {
        const std::string updated = WithLastVersion(settings, "7.4");
        EXPECT_NE(updated.find(VersionItem("7.4")), std::string::npos) << name;
        EXPECT_EQ(updated.find("7.3"), std::string::npos) << name;
        EXPECT_EQ(updated.find("ooSetupLastVersion"), updated.rfind("ooSetupLastVersion")) << name;
        EXPECT_EQ(updated.substr(updated.size() - end.size()), end) << name;
        if (settings.find(kOther) != std::string::npos) {
            EXPECT_NE(updated.find(kOther), std::string::npos) << name;
        }
        EXPECT_EQ(WithLastVersion(updated, "7.4"), updated) << name;
    }
}

TEST(LokProfileTest, VersionIsReadFromTheInstallationBesideTheProgramFolder) {
    testing::OfficeTestEnvironment environment;
    const std::string program = environment.Path("office/program");
    const std::string registry = environment.Path("office/share/registry");
    platform::CreateDirectories(program);
    EXPECT_FALSE(InstalledOfficeVersion(program));
    platform::CreateDirectories(registry);
    testing::WriteFile(platform::JoinPath(registry, "main.xcd"),
                       "<prop oor:name=\"ooSetupVersionAboutBox\">\n<value>7.4.7.2</value>"
                       "</prop><prop oor:name=\"ooSetupVersion\">\n        <value>7.4</value>");
    EXPECT_EQ(InstalledOfficeVersion(program), "7.4");

    const std::string profile = environment.Path("profile");
    ASSERT_TRUE(NoteLastVersion(profile, "7.4"));
    const std::optional<std::string> settings =
        platform::ReadWholeFile(platform::JoinPath(profile, "user/registrymodifications.xcu"));
    ASSERT_TRUE(settings);
    EXPECT_NE(settings->find(VersionItem("7.4")), std::string::npos);
}

}  // namespace
}  // namespace office::render
