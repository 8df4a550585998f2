#include "ObjectSyntax.h"

namespace pdfcrypt {
namespace {

constexpr int kMaxDigits = 18;

bool IsRegular(char c) {
    return !IsPdfWhitespace(c) && !IsPdfDelimiter(c);
}

std::size_t SkipRegular(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsRegular(text[pos])) {
        ++pos;
    }
    return pos;
}

std::optional<std::size_t> SkipLiteral(std::string_view text, std::size_t pos) {
    int depth = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '\\') {
            ++pos;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return pos + 1;
        }
    }
    return std::nullopt;
}

// Position after the token that starts at pos (which is not whitespace or a comment); none
// for a string that is never closed.
std::optional<std::size_t> SkipToken(std::string_view text, std::size_t pos) {
    const char c = text[pos];
    const bool doubled = pos + 1 < text.size() && text[pos + 1] == c;
    switch (c) {
        case '(':
            return SkipLiteral(text, pos);
        case '<':
            if (doubled) {
                return pos + 2;
            }
            if (const auto close = text.find('>', pos); close != std::string_view::npos) {
                return close + 1;
            }
            return std::nullopt;
        case '>':
            return doubled ? pos + 2 : pos + 1;
        case '/':
            return SkipRegular(text, pos + 1);
        case '[':
        case ']':
        case '{':
        case '}':
        case ')':
            return pos + 1;
        default:
            return SkipRegular(text, pos);
    }
}

// Position after one value: a nested dictionary or array whole, "N G R" whole, else one token.
std::optional<std::size_t> SkipValue(std::string_view text, std::size_t pos) {
    if (text.substr(pos).starts_with("<<") || text[pos] == '[') {
        int depth = 0;
        while (pos < text.size()) {
            const std::string_view rest = text.substr(pos);
            if (rest.starts_with("<<") || rest.front() == '[') {
                ++depth;
            } else if (rest.starts_with(">>") || rest.front() == ']') {
                --depth;
            }
            const auto next = SkipToken(text, pos);
            if (!next) {
                return std::nullopt;
            }
            if (depth == 0) {
                return *next;
            }
            pos = SkipWhitespaceAndComments(text, *next);
        }
        return std::nullopt;
    }
    std::size_t after = pos;
    if (ParseReference(text, pos) && ParseUnsigned(text, after)) {
        after = SkipWhitespaceAndComments(text, after);
        ParseUnsigned(text, after);
        after = SkipWhitespaceAndComments(text, after);
        return after + 1;
    }
    return SkipToken(text, pos);
}

// A bare word that can stand as a value: a number, true, false or null; inside a dictionary or
// array also the R of a reference.
bool IsValueWord(std::string_view word, bool inContainer) {
    if (word == "true" || word == "false" || word == "null" || (inContainer && word == "R")) {
        return true;
    }
    bool digit = false;
    for (const char c : word) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return digit;
}

// One complete value, checked token by token; the position after it.
std::optional<std::size_t> SkipObjectValue(std::string_view text, std::size_t pos) {
    if (ParseReference(text, pos)) {
        return SkipValue(text, pos);
    }
    int depth = 0;
    while (pos < text.size()) {
        const auto next = SkipToken(text, pos);
        if (!next) {
            return std::nullopt;
        }
        const std::string_view word = text.substr(pos, *next - pos);
        const char c = word.front();
        if (word == "<<" || word == "[") {
            ++depth;
        } else if (word == ">>" || word == "]") {
            if (--depth < 0) {
                return std::nullopt;
            }
        } else if (c != '/' && c != '(' && c != '<' && !IsValueWord(word, depth > 0)) {
            return std::nullopt;
        }
        if (depth == 0) {
            return *next;
        }
        pos = SkipWhitespaceAndComments(text, *next);
    }
    return std::nullopt;
}

}  // namespace

bool IsPdfWhitespace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool IsPdfDelimiter(char c) {
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
           c == '}' || c == '/' || c == '%';
}

std::size_t SkipWhitespaceAndComments(std::string_view text, std::size_t pos) {
    while (pos < text.size()) {
        if (IsPdfWhitespace(text[pos])) {
            ++pos;
        } else if (text[pos] == '%') {
            while (pos < text.size() && text[pos] != '\n' && text[pos] != '\r') {
                ++pos;
            }
        } else {
            break;
        }
    }
    return pos;
}

std::optional<std::int64_t> ParseUnsigned(std::string_view text, std::size_t& pos) {
    std::size_t i = pos;
    std::int64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - pos < kMaxDigits) {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i == pos || (i < text.size() && IsRegular(text[i]))) {
        return std::nullopt;
    }
    pos = i;
    return value;
}

std::optional<std::int64_t> ParseReference(std::string_view text, std::size_t pos) {
    const auto number = ParseUnsigned(text, pos);
    if (!number) {
        return std::nullopt;
    }
    pos = SkipWhitespaceAndComments(text, pos);
    if (!ParseUnsigned(text, pos)) {
        return std::nullopt;
    }
    pos = SkipWhitespaceAndComments(text, pos);
    if (pos >= text.size() || text[pos] != 'R' ||
        (pos + 1 < text.size() && IsRegular(text[pos + 1]))) {
        return std::nullopt;
    }
    return number;
}

std::optional<ObjectHeader> ParseObjectHeader(std::string_view text, std::size_t pos) {
    ObjectHeader header;
    while (pos < text.size() && IsPdfWhitespace(text[pos])) {
        ++pos;
    }
    header.start = pos;
    const auto number = ParseUnsigned(text, pos);
    if (!number) {
        return std::nullopt;
    }
    pos = SkipWhitespaceAndComments(text, pos);
    const auto generation = ParseUnsigned(text, pos);
    if (!generation) {
        return std::nullopt;
    }
    pos = SkipWhitespaceAndComments(text, pos);
    if (!text.substr(pos).starts_with("obj") ||
        (pos + 3 < text.size() && IsRegular(text[pos + 3]))) {
        return std::nullopt;
    }
    header.number = *number;
    header.generation = *generation;
    header.bodyStart = pos + 3;
    return header;
}

std::optional<BodyEnd> FindBodyEnd(std::string_view text, std::size_t pos) {
    pos = SkipWhitespaceAndComments(text, pos);
    // One value, then the keyword: anything else (a dictionary or array left open, a stray
    // token, a second value) makes other readers read the object differently, or not at all.
    if (pos < text.size() && text.substr(pos).starts_with("endobj")) {
        return BodyEnd{BodyEnd::Kind::Endobj, pos};
    }
    const auto value = SkipObjectValue(text, pos);
    if (!value) {
        return std::nullopt;
    }
    pos = SkipWhitespaceAndComments(text, *value);
    const auto next = pos < text.size() ? SkipToken(text, pos) : std::nullopt;
    if (!next) {
        return std::nullopt;
    }
    const std::string_view word = text.substr(pos, *next - pos);
    if (word == "endobj") {
        return BodyEnd{BodyEnd::Kind::Endobj, pos};
    }
    if (word == "stream" && text[*value - 1] == '>') {
        return BodyEnd{BodyEnd::Kind::Stream, pos};
    }
    return std::nullopt;
}

std::optional<std::size_t> DictionaryEnd(std::string_view text, std::size_t open) {
    if (!text.substr(open).starts_with("<<")) {
        return std::nullopt;
    }
    return SkipValue(text, open);
}

std::optional<std::size_t> DictionaryValue(std::string_view text, std::size_t open,
                                           std::string_view key) {
    if (!text.substr(open).starts_with("<<")) {
        return std::nullopt;
    }
    std::size_t pos = open + 2;
    while (true) {
        pos = SkipWhitespaceAndComments(text, pos);
        if (pos >= text.size() || text.substr(pos).starts_with(">>")) {
            return std::nullopt;
        }
        const auto keyEnd = SkipToken(text, pos);
        if (!keyEnd) {
            return std::nullopt;
        }
        const bool isKey = text[pos] == '/' && text.substr(pos, *keyEnd - pos) == key;
        pos = SkipWhitespaceAndComments(text, *keyEnd);
        if (isKey) {
            return pos < text.size() ? std::optional<std::size_t>(pos) : std::nullopt;
        }
        if (pos >= text.size() || text.substr(pos).starts_with(">>")) {
            return std::nullopt;
        }
        const auto valueEnd = SkipValue(text, pos);
        if (!valueEnd) {
            return std::nullopt;
        }
        pos = *valueEnd;
    }
}

}  // namespace pdfcrypt
