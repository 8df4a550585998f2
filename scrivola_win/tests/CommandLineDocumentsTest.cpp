#include "CommandLineDocuments.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace scrivola_win {
namespace {

namespace fs = std::filesystem;

TEST(WinCommandLineDocuments, KeepsExistingDocumentsOfListedKindsInOrder) {
    const fs::path folder =
        fs::temp_directory_path() / ("cmdline-docs-" + std::to_string(getpid()));
    fs::create_directories(folder / "sub.doc");
    for (const char* name : {"b report.DOC", "a.xls", "notes.txt", "deck.ppt"}) {
        std::ofstream(folder / name) << "x";
    }
    const fs::path previous = fs::current_path();
    fs::current_path(folder);

    const PendingList documents =
        CommandLineDocuments({"scrivola_win", "b report.DOC", "missing.doc", "sub.doc", "notes.txt",
                              "-x", (folder / "deck.ppt").string(), "a.xls"});

    fs::current_path(previous);
    const PendingList expected = {(folder / "b report.DOC").string(),
                                  (folder / "deck.ppt").string(), (folder / "a.xls").string()};
    EXPECT_EQ(documents, expected);
    fs::remove_all(folder);
}

TEST(WinCommandLineDocuments, ProgramNameAloneGivesNothing) {
    EXPECT_TRUE(CommandLineDocuments({"scrivola_win"}).empty());
    EXPECT_TRUE(CommandLineDocuments({}).empty());
}

}  // namespace
}  // namespace scrivola_win
