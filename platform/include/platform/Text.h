#pragma once
// Small text helpers shared by the settings, registry and desktop-file readers.
#include <string_view>

namespace platform {

// The text without leading spaces and tabs and without trailing spaces,
// tabs and carriage returns (a line of a file written on Windows).
std::string_view Trim(std::string_view text);

}  // namespace platform
