#include "scrivola_win/DocumentCollector.h"

#include <filesystem>
#include <set>

#include "formats/DocumentFormats.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Wildcard.h"

namespace scrivola_win {

namespace {

// The folder's identity after resolving links, so a link cycle is noticed.
std::string RealFolder(std::string_view folder) {
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(std::string(folder), error);
    return error ? std::string(folder) : real.string();
}

void CollectFolder(std::string_view folder, PendingList& pending, bool descend,
                   std::set<std::string>& visited) {
    if (!visited.insert(RealFolder(folder)).second) {
        return;
    }
    for (const std::string& name : platform::FindMatchingNames(folder, "*.*")) {
        const std::string path = platform::JoinPath(folder, name);
        if (path.size() > platform::kMaxPath) {
            continue;
        }
        if (platform::IsDirectory(path)) {
            if (descend && name != "." && name != "..") {
                CollectFolder(path, pending, descend, visited);
            }
            continue;
        }
        CollectDocument(path, pending);
    }
}

}  // namespace

bool IsConvertibleDocument(std::string_view path) {
    return formats::IsListedDocument(path);
}

void CollectDocument(std::string_view path, PendingList& pending) {
    if (path.empty() || path.size() > platform::kMaxPath || !IsConvertibleDocument(path)) {
        return;
    }
    pending.emplace_back(path);
}

std::size_t CollectDirectory(std::string_view folder, PendingList& pending, bool descend) {
    if (!descend) {
        pending.clear();
    }
    std::set<std::string> visited;
    CollectFolder(folder, pending, descend, visited);
    return pending.size();
}

}  // namespace scrivola_win
