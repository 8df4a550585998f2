#include "CommandLineDocuments.h"

#include <filesystem>
#include <system_error>

namespace scrivola_win {

PendingList CommandLineDocuments(const std::vector<std::string>& arguments) {
    PendingList documents;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        std::error_code error;
        const std::filesystem::path path(arguments[i]);
        if (!std::filesystem::is_regular_file(path, error)) {
            continue;
        }
        const std::filesystem::path absolute = std::filesystem::absolute(path, error);
        if (!error) {
            CollectDocument(absolute.lexically_normal().string(), documents);
        }
    }
    return documents;
}

}  // namespace scrivola_win
