#include "RegistryFormat.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "platform/Paths.h"

namespace platform::registry_format {

namespace {

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

std::string NormalizePath(std::string_view path) {
    std::string normalized;
    std::size_t position = 0;
    while (position <= path.size()) {
        std::size_t slash = path.find('\\', position);
        if (slash == std::string_view::npos) {
            slash = path.size();
        }
        std::string_view component = path.substr(position, slash - position);
        if (!component.empty()) {
            if (normalized.empty() && EqualsIgnoreCase(component, "HKCU")) {
                component = kCurrentUserRoot;
            }
            if (!normalized.empty()) {
                normalized += '\\';
            }
            normalized += component;
        }
        position = slash + 1;
    }
    return normalized;
}

// Reads a quoted, escaped text at the start of `text` (which begins with
// '"'); on success advances `text` past the closing quote.
std::optional<std::string> ReadQuoted(std::string_view& text) {
    if (text.empty() || text.front() != '"') {
        return std::nullopt;
    }
    std::string result;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return result;
        }
        if (c == '\\' && i + 1 < text.size()) {
            const char next = text[i + 1];
            if (next == '\\' || next == '"') {
                result += next;
                ++i;
                continue;
            }
            if (next == 'n') {
                result += '\n';
                ++i;
                continue;
            }
            if (next == 'r') {
                result += '\r';
                ++i;
                continue;
            }
        }
        result += c;  // a lone backslash of a hand edit stays as it is
    }
    return std::nullopt;  // no closing quote
}

std::string Quote(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '\\':
                quoted += "\\\\";
                break;
            case '"':
                quoted += "\\\"";
                break;
            // Line breaks would end the entry inside the line-based file.
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            default:
                quoted += c;
        }
    }
    quoted += '"';
    return quoted;
}

std::optional<std::uint32_t> ParseDword(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<Value> ParseValueLine(std::string_view line) {
    Value value;
    if (!line.empty() && line.front() == '@') {
        line.remove_prefix(1);
    } else {
        auto name = ReadQuoted(line);
        if (!name) {
            return std::nullopt;
        }
        value.name = std::move(*name);
    }
    line = TrimLeft(line);
    if (line.empty() || line.front() != '=') {
        return std::nullopt;
    }
    line = TrimLeft(line.substr(1));
    if (!line.empty() && line.front() == '"') {
        auto text = ReadQuoted(line);
        if (!text || !TrimLeft(line).empty()) {
            return std::nullopt;
        }
        value.data = std::move(*text);
        return value;
    }
    constexpr std::string_view kDword = "dword:";
    if (line.size() > kDword.size() && EqualsIgnoreCase(line.substr(0, kDword.size()), kDword)) {
        const auto number = ParseDword(line.substr(kDword.size()));
        if (!number) {
            return std::nullopt;
        }
        value.data = *number;
        return value;
    }
    return std::nullopt;  // other types are not kept
}

Key* FindKey(Document& document, std::string_view path) {
    for (Key& key : document.keys) {
        if (PathEquals(key.path, path)) {
            return &key;
        }
    }
    return nullptr;
}

void SetValue(Key& key, Value value) {
    for (Value& existing : key.values) {
        if (EqualsIgnoreCase(existing.name, value.name)) {
            existing.data = std::move(value.data);
            return;
        }
    }
    key.values.push_back(std::move(value));
}

}  // namespace

Document Parse(std::string_view text) {
    Document document;
    Key* current = nullptr;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t lineEnd = text.find('\n', position);
        if (lineEnd == std::string_view::npos) {
            lineEnd = text.size();
        }
        const std::string_view line =
            TrimRight(TrimLeft(text.substr(position, lineEnd - position)));
        position = lineEnd + 1;
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[') {
            current = nullptr;
            if (line.back() != ']' || line.size() < 3 || line[1] == '-') {
                continue;  // malformed, or a deletion entry of an import file
            }
            const std::string path = NormalizePath(line.substr(1, line.size() - 2));
            if (path.empty()) {
                continue;
            }
            current = FindKey(document, path);
            if (current == nullptr) {
                document.keys.push_back(Key{path, {}});
                current = &document.keys.back();
            }
            continue;
        }
        if (current == nullptr) {
            continue;  // the header, or a value outside any key
        }
        if (auto value = ParseValueLine(line)) {
            SetValue(*current, std::move(*value));
        }
    }
    return document;
}

std::string Serialize(const Document& document) {
    std::string text(kHeader);
    text += "\n\n";
    for (const Key& key : document.keys) {
        text += '[';
        text += key.path;
        text += "]\n";
        for (const Value& value : key.values) {
            text += value.name.empty() ? std::string("@") : Quote(value.name);
            text += '=';
            if (const auto* number = std::get_if<std::uint32_t>(&value.data)) {
                char digits[16];
                std::snprintf(digits, sizeof digits, "dword:%08x", *number);
                text += digits;
            } else {
                text += Quote(std::get<std::string>(value.data));
            }
            text += '\n';
        }
        text += '\n';
    }
    return text;
}

std::string CurrentUserPath(std::string_view key) {
    const std::string below = NormalizePath(key);
    if (below.empty()) {
        return std::string(kCurrentUserRoot);
    }
    return std::string(kCurrentUserRoot) + "\\" + below;
}

bool PathEquals(std::string_view a, std::string_view b) {
    return EqualsIgnoreCase(a, b);
}

bool PathIsBelow(std::string_view path, std::string_view ancestor) {
    return path.size() > ancestor.size() + 1 && path[ancestor.size()] == '\\' &&
           EqualsIgnoreCase(path.substr(0, ancestor.size()), ancestor);
}

}  // namespace platform::registry_format
