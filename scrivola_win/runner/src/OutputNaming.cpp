#include "runner/OutputNaming.h"

#include <cstdio>
#include <map>

#include "platform/Paths.h"

namespace runner {

using scrivola_win::SaveMode;

namespace {

constexpr std::string_view kListFileBase = "pictobind";
constexpr std::string_view kListFileExtension = ".ver";
constexpr std::string_view kPdfExtension = ".pdf";

std::string WithoutTrailingSlash(std::string_view folder) {
    if (!folder.empty() && folder.back() == '/') {
        folder.remove_suffix(1);
    }
    return std::string(folder);
}

// The folder's own name: its last component.
std::string FolderOwnName(std::string_view filepath) {
    const std::string folder = WithoutTrailingSlash(filepath);
    const std::size_t slash = folder.rfind('/');
    return slash == std::string::npos ? folder : folder.substr(slash + 1);
}

}  // namespace

bool FitsOnListLine(std::string_view path) {
    return !path.empty() && path.size() <= kMaxListLineLength &&
           path.find_first_of("\r\n") == std::string_view::npos;
}

std::string CombinedListFileName() {
    return std::string(kListFileBase) + std::string(kListFileExtension);
}

std::string FolderListFileName(int firstRow) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", firstRow);
    return std::string(kListFileBase) + number + std::string(kListFileExtension);
}

std::string PerDocumentOutput(std::string_view inputPath, SaveMode saveMode,
                              std::string_view target) {
    const platform::PathParts input = platform::SplitPath(inputPath);
    switch (saveMode) {
        case SaveMode::kAskUser:
        case SaveMode::kFixedTarget:
            return platform::WithTrailingSlash(target) + input.name + std::string(kPdfExtension);
        case SaveMode::kBesideDocuments:
            return input.directory + input.name + std::string(kPdfExtension);
        default:
            return std::string(target);
    }
}

std::vector<FolderGroup> GroupRowsByFolder(const std::vector<DocumentRow>& rows) {
    std::vector<FolderGroup> groups;
    std::map<std::string, std::size_t> groupOfFolder;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const auto [found, isNew] = groupOfFolder.try_emplace(rows[row].filepath, groups.size());
        if (isNew) {
            FolderGroup group;
            group.firstRow = static_cast<int>(row);
            group.filepath = rows[row].filepath;
            groups.push_back(std::move(group));
        }
        groups[found->second].documents.push_back(rows[row].FullPath());
    }
    return groups;
}

std::string FolderOutputBase(std::string_view filepath) {
    const std::string folder = WithoutTrailingSlash(filepath);
    if (folder.empty()) {
        return "/" + std::string(kPdfExtension);
    }
    return folder + std::string(kPdfExtension);
}

std::string PerFolderOutput(std::string_view filepath, SaveMode saveMode, std::string_view target) {
    switch (saveMode) {
        case SaveMode::kAskUser:
        case SaveMode::kFixedTarget:
            return platform::WithTrailingSlash(target) + FolderOwnName(filepath) +
                   std::string(kPdfExtension);
        case SaveMode::kBesideDocuments:
            return FolderOutputBase(filepath);
        default:
            return std::string(target);
    }
}

}  // namespace runner
