#pragma once
// Reading the converter's progress lines and the bar positions Make PDF
// steps through.
#include <optional>
#include <string_view>

namespace runner {

// What the converter writes before each percentage.
inline constexpr std::string_view kProgressPrefix = "Folivosoft Inc: ";

// The number after the first progress prefix in a chunk of output (blanks
// skipped, optional sign, digits; no digits give 0), or nothing when the
// chunk holds no prefix. Later progress lines of the same chunk are ignored.
std::optional<long long> FirstProgressNumber(std::string_view chunk);

// The bar position a chunk asks for: the first progress number when it
// lies within 0..100.
std::optional<int> ProgressPositionOf(std::string_view chunk);

// Bar position before step i of n: (i * 100 + 99) / n, so four steps show
// 24, 49, 74, 99. Nothing for n <= 0.
std::optional<int> StepPosition(int step, int steps);

}  // namespace runner
