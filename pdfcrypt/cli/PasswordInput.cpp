#include "PasswordInput.h"

#include <vector>

namespace pdfcrypt {

std::optional<PasswordLines> ParsePasswordLines(std::string_view input) {
    if (input.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    std::vector<std::string_view> lines;
    while (!input.empty()) {
        const std::size_t end = input.find('\n');
        std::string_view line = input.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
    if (lines.size() != 2) {
        return std::nullopt;
    }
    return PasswordLines{std::string(lines[0]), std::string(lines[1])};
}

}  // namespace pdfcrypt
