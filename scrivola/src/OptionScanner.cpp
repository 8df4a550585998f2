#include "OptionScanner.h"

#include <cctype>
#include <cstdint>
#include <limits>

namespace scrivola {
namespace {

// The option string's letters, with ':' marking a letter that takes a value.
// Returns 0 for an unknown letter, 1 for a plain one, 2 for one with a value.
int LookUpOption(std::string_view optionString, char letter) {
    if (letter == '\0' || letter == ':') {
        return 0;
    }
    for (std::size_t i = 0; i < optionString.size(); ++i) {
        if (optionString[i] == letter) {
            const bool takesValue = i + 1 < optionString.size() && optionString[i + 1] == ':';
            return takesValue ? 2 : 1;
        }
    }
    return 0;
}

}  // namespace

int NextOption(OptionScanner& scanner, int argc, const char* const* argv,
               std::string_view optionString, const char*& value) {
    value = nullptr;
    if (scanner.index >= argc) {
        return kEndOfOptions;
    }
    const char* argument = argv[scanner.index];
    if (argument == nullptr || argument[0] != '-') {
        return kEndOfOptions;
    }
    // Only the second character counts: "-abc" is the option 'a'.
    const char letter = argument[1];
    const int kind = LookUpOption(optionString, letter);
    if (kind == 0) {
        return kEndOfOptions;
    }
    if (kind == 2) {
        // The value is the next argument, even when it starts with '-'.
        value = scanner.index + 1 < argc && argv[scanner.index + 1] ? argv[scanner.index + 1] : "";
        scanner.index += 2;
    } else {
        scanner.index += 1;
    }
    return static_cast<unsigned char>(letter);
}

std::int32_t ParseDecimalInteger(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position]))) {
        ++position;
    }
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    while (position < text.size() && std::isdigit(static_cast<unsigned char>(text[position]))) {
        magnitude = magnitude * 10 + (text[position] - '0');
        if (magnitude > kLimit) {
            magnitude = kLimit;  // keep going past the digits, saturated
        }
        ++position;
    }
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(result);
}

}  // namespace scrivola
