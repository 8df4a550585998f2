#pragma once
#include <string_view>

namespace pdftool {

// True for well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

}  // namespace pdftool
