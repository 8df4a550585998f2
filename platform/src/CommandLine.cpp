// Splitting and quoting by the rules of the Microsoft C runtime, so that
// command lines written for the original system mean the same here.
#include "platform/Process.h"

namespace platform {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
    std::vector<std::string> arguments;
    std::size_t p = 0;
    const std::size_t end = commandLine.size();
    bool inQuotes = false;
    for (;;) {
        while (p < end && IsBlank(commandLine[p])) {
            ++p;
        }
        if (p >= end) {
            break;
        }
        std::string argument;
        for (;;) {
            bool copyChar = true;
            std::size_t slashes = 0;
            while (p < end && commandLine[p] == '\\') {
                ++p;
                ++slashes;
            }
            if (p < end && commandLine[p] == '"') {
                if (slashes % 2 == 0) {
                    if (inQuotes && p + 1 < end && commandLine[p + 1] == '"') {
                        ++p;  // "" inside a group: one literal quote
                    } else {
                        copyChar = false;
                        inQuotes = !inQuotes;
                    }
                }
                slashes /= 2;
            }
            argument.append(slashes, '\\');
            if (p >= end || (!inQuotes && IsBlank(commandLine[p]))) {
                break;
            }
            if (copyChar) {
                argument += commandLine[p];
            }
            ++p;
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::string QuoteArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos) {
        return std::string(argument);
    }
    std::string quoted = "\"";
    std::size_t slashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++slashes;
            continue;
        }
        if (c == '"') {
            // Double the backslashes before it and escape the quote itself.
            quoted.append(slashes * 2 + 1, '\\');
        } else {
            quoted.append(slashes, '\\');
        }
        slashes = 0;
        quoted += c;
    }
    // Backslashes before the closing quote must not escape it.
    quoted.append(slashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) {
            line += ' ';
        }
        line += QuoteArgument(arguments[i]);
    }
    return line;
}

}  // namespace platform
