#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pdfcrypt {

struct PasswordLines {
    std::string owner;
    std::string user;
};

// The owner password on the first line, the user password on the second; each line ends with
// LF or CR LF (the last one may end without). Anything after the second line, or fewer than
// two lines, or a zero byte (which the passwords cannot hold) gives none.
std::optional<PasswordLines> ParsePasswordLines(std::string_view input);

}  // namespace pdfcrypt
