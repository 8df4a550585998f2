#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "testing/PrivateHome.h"

namespace pdfcrypt::test {

// An empty folder in a private home, removed with everything in it.
class TempDir {
  public:
    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

  private:
    testsupport::PrivateHome m_home;
    std::filesystem::path m_path = m_home.MakeFolder("work");
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

struct CommandResult {
    int exitCode = -1;
    std::string output;  // standard output and standard error together
};
// Runs argv[0] with the arguments given, without a shell; standard input reads standardInput
// (at most a pipe's capacity).
CommandResult RunCommand(const std::vector<std::string>& argv,
                         const std::string& standardInput = {});
bool HaveProgram(const std::string& name);

std::string Hex(const unsigned char* bytes, std::size_t size);
template <typename Container>
std::string Hex(const Container& bytes) {
    return Hex(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

// Names of the files left in a folder, for checking that no temporary file stayed behind.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

}  // namespace pdfcrypt::test
