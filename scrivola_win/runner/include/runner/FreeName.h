#pragma once
// A name for a new output beside an existing one: the name followed by a
// three-digit counter from 000 upwards, the same rule the converter uses.
#include <functional>
#include <string>
#include <string_view>

namespace runner {

inline constexpr int kMaxFreeNameTries = 4096;

using PathExistsFunction = std::function<bool(const std::string&)>;

// The first of "<dir><name>000<ext>", "<dir><name>001<ext>", ... that does
// not exist; when all 4096 exist, the last one tried. The name without a
// number is never tried.
std::string MakeFreeName(std::string_view path, const PathExistsFunction& exists);

}  // namespace runner
