#include <gtest/gtest.h>

#include <set>
#include <string>

#include "runner/FreeName.h"

namespace runner {
namespace {

PathExistsFunction ExistsIn(const std::set<std::string>& files) {
    return [&files](const std::string& path) { return files.count(path) > 0; };
}

TEST(FreeName, TakesTheFirstFreeCounterAndNeverTheBareName) {
    const std::set<std::string> none;
    EXPECT_EQ(MakeFreeName("/out/a.pdf", ExistsIn(none)), "/out/a000.pdf");

    const std::set<std::string> two = {"/out/a.pdf", "/out/a000.pdf"};
    EXPECT_EQ(MakeFreeName("/out/a.pdf", ExistsIn(two)), "/out/a001.pdf");

    const std::set<std::string> gap = {"/out/a000.pdf", "/out/a002.pdf"};
    EXPECT_EQ(MakeFreeName("/out/a.pdf", ExistsIn(gap)), "/out/a001.pdf");

    EXPECT_EQ(MakeFreeName("/out/readme", ExistsIn(none)), "/out/readme000");
    EXPECT_EQ(MakeFreeName("/out/v1.2/a.b.pdf", ExistsIn(none)), "/out/v1.2/a.b000.pdf");
}

TEST(FreeName, GivesTheLastCandidateWhenEveryNumberIsTaken) {
    int tries = 0;
    const std::string name = MakeFreeName("/out/a.pdf", [&tries](const std::string&) {
        ++tries;
        return true;
    });
    EXPECT_EQ(name, "/out/a4095.pdf");
    EXPECT_EQ(tries, kMaxFreeNameTries);
}

}  // namespace
}  // namespace runner
