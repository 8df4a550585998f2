#pragma once
// A private folder for the list files of one Make PDF run. The folder and
// everything the run wrote into it go when the run ends, so no other file
// is ever touched by the clean-up.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace runner {

class ListFileFolder {
  public:
    // Nothing when the folder cannot be made.
    static std::optional<ListFileFolder> Create();

    ListFileFolder(ListFileFolder&& other) noexcept;
    ListFileFolder& operator=(ListFileFolder&&) = delete;
    ListFileFolder(const ListFileFolder&) = delete;
    ListFileFolder& operator=(const ListFileFolder&) = delete;
    ~ListFileFolder();

    const std::string& Path() const { return m_path; }

    // Writes a list file, one document path per line; its full path, or
    // nothing when it could not be written.
    std::optional<std::string> Write(std::string_view fileName,
                                     const std::vector<std::string>& documents) const;

  private:
    explicit ListFileFolder(std::string path) : m_path(std::move(path)) {}
    std::string m_path;
};

}  // namespace runner
