// The service's folder is used only when it is a real folder of this user
// that nobody else can enter.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <variant>

#include "OfficeTestSupport.h"
#include "render/ServiceFolder.h"

namespace office::render {
namespace {

TEST(ServiceFolderTest, OnlyAPrivateFolderOfTheUserIsAccepted) {
    testing::OfficeTestEnvironment environment;
    const uid_t user = ::geteuid();
    const std::string folder = environment.Path("private");
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    EXPECT_FALSE(PrivateFolderProblem(folder, user));

    struct Case {
        const char* name;
        std::string path;
        uid_t owner;
    };
    const std::string open = environment.Path("open");
    ::mkdir(open.c_str(), 0700);
    ::chmod(open.c_str(), 0750);
    const std::string link = environment.Path("link");
    ASSERT_EQ(::symlink(folder.c_str(), link.c_str()), 0);
    const std::string file = environment.Path("file");
    testing::WriteFile(file, "");
    const Case cases[] = {
        {"open to the group", open, user},
        {"a link to a private folder", link, user},
        {"a file", file, user},
        {"missing", environment.Path("missing"), user},
        {"another user's", folder, user + 1},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(PrivateFolderProblem(c.path, c.owner)) << c.name;
    }
}

TEST(ServiceFolderTest, FolderIsMadePrivateOrRefused) {
    testing::OfficeTestEnvironment environment;
    // In the runtime folder when there is one.
    auto prepared = PrepareServiceFolder();
    ASSERT_TRUE(std::holds_alternative<ServicePaths>(prepared));
    const ServicePaths paths = std::get<ServicePaths>(prepared);
    EXPECT_EQ(paths.folder, environment.Path("runtime/scrivola"));
    EXPECT_EQ(paths.socket.rfind(paths.folder + "/", 0), 0u);
    EXPECT_FALSE(PrivateFolderProblem(paths.folder, ::geteuid()));

    // Without it, in the temporary folder; an existing folder others can
    // enter is not used.
    environment.Unset("XDG_RUNTIME_DIR");
    const std::string fallback =
        environment.Path("tmp/scrivola_render-" + std::to_string(::geteuid()));
    ASSERT_EQ(::mkdir(fallback.c_str(), 0777), 0);
    ::chmod(fallback.c_str(), 0777);
    EXPECT_TRUE(std::holds_alternative<std::string>(PrepareServiceFolder()));
    ::chmod(fallback.c_str(), 0700);
    prepared = PrepareServiceFolder();
    ASSERT_TRUE(std::holds_alternative<ServicePaths>(prepared));
    EXPECT_EQ(std::get<ServicePaths>(prepared).folder, fallback);

    // A socket path too long for a socket address is refused, not cut short.
    const std::string deep = environment.Path(std::string(100, 'r'));
    ASSERT_EQ(::mkdir(deep.c_str(), 0700), 0);
    environment.Set("XDG_RUNTIME_DIR", deep);
    prepared = PrepareServiceFolder();
    ASSERT_TRUE(std::holds_alternative<std::string>(prepared));
    EXPECT_NE(std::get<std::string>(prepared).find("too long"), std::string::npos);
}

}  // namespace
}  // namespace office::render
