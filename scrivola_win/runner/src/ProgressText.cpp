#include "ProgressText.h"

namespace runner {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<long long> FirstProgressNumber(std::string_view chunk) {
    const std::size_t prefix = chunk.find(kProgressPrefix);
    if (prefix == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t at = prefix + kProgressPrefix.size();
    while (at < chunk.size() && IsBlank(chunk[at])) {
        ++at;
    }
    bool negative = false;
    if (at < chunk.size() && (chunk[at] == '+' || chunk[at] == '-')) {
        negative = chunk[at] == '-';
        ++at;
    }
    // Saturate instead of overflowing; any such value is out of range anyway.
    constexpr long long kCeiling = 1'000'000'000'000LL;
    long long value = 0;
    for (; at < chunk.size() && IsDigit(chunk[at]); ++at) {
        if (value < kCeiling) {
            value = value * 10 + (chunk[at] - '0');
        }
    }
    return negative ? -value : value;
}

std::optional<int> ProgressPositionOf(std::string_view chunk) {
    const std::optional<long long> number = FirstProgressNumber(chunk);
    if (!number || *number < 0 || *number > 100) {
        return std::nullopt;
    }
    return static_cast<int>(*number);
}

std::optional<int> StepPosition(int step, int steps) {
    if (steps <= 0) {
        return std::nullopt;
    }
    return static_cast<int>((static_cast<long long>(step) * 100 + 99) / steps);
}

}  // namespace runner
