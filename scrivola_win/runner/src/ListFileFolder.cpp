#include "ListFileFolder.h"

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace runner {

std::optional<ListFileFolder> ListFileFolder::Create() {
    std::optional<std::string> path = platform::CreateTempDirectory("scrivola-lists-");
    if (!path) {
        return std::nullopt;
    }
    return ListFileFolder(std::move(*path));
}

ListFileFolder::ListFileFolder(ListFileFolder&& other) noexcept : m_path(std::move(other.m_path)) {
    other.m_path.clear();
}

ListFileFolder::~ListFileFolder() {
    if (!m_path.empty()) {
        platform::RemoveTree(m_path);
    }
}

std::optional<std::string> ListFileFolder::Write(std::string_view fileName,
                                                 const std::vector<std::string>& documents) const {
    std::string contents;
    for (const std::string& document : documents) {
        contents += document;
        contents += '\n';
    }
    std::string path = platform::JoinPath(m_path, fileName);
    if (!platform::WriteFileAtomically(path, contents)) {
        return std::nullopt;
    }
    return path;
}

}  // namespace runner
