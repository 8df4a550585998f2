#include "platform/Profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <mutex>
#include <vector>

#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Text.h"

namespace platform {

namespace {

// The file as lines without their line feeds (a carriage return stays with
// its line, so unchanged lines are written back byte for byte).
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = text.find('\n', position);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        lines.emplace_back(text.substr(position, end - position));
        position = end + 1;
    }
    return lines;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// Index of the first "[section]" line, or lines.size().
std::size_t FindSection(const std::vector<std::string>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i]);
        if (name && EqualsIgnoreCase(*name, section)) {
            return i;
        }
    }
    return lines.size();
}

// Index of the next section line after `start`, or lines.size().
std::size_t SectionEnd(const std::vector<std::string>& lines, std::size_t start) {
    for (std::size_t i = start + 1; i < lines.size(); ++i) {
        if (SectionName(lines[i])) {
            return i;
        }
    }
    return lines.size();
}

std::optional<std::string> FindValue(std::string_view text, std::string_view section,
                                     std::string_view key) {
    const std::vector<std::string> lines = SplitLines(text);
    const std::size_t start = FindSection(lines, section);
    if (start == lines.size()) {
        return std::nullopt;
    }
    const std::size_t end = SectionEnd(lines, start);
    for (std::size_t i = start + 1; i < end; ++i) {
        const auto entry = ParseKeyLine(lines[i]);
        if (entry && EqualsIgnoreCase(entry->key, key)) {
            return std::string(entry->value);
        }
    }
    return std::nullopt;
}

std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
    std::vector<std::string> lines = SplitLines(text);
    // New lines follow the file's own line ends.
    const bool crlf = !lines.empty() && !lines.front().empty() && lines.front().back() == '\r';
    const std::string lineEnd = crlf ? "\r" : "";
    const std::string entry = std::string(key) + "=" + std::string(value) + lineEnd;

    const std::size_t start = FindSection(lines, section);
    if (start == lines.size()) {
        if (!lines.empty() && !Trim(lines.back()).empty()) {
            lines.push_back(lineEnd);
        }
        lines.push_back("[" + std::string(section) + "]" + lineEnd);
        lines.push_back(entry);
    } else {
        const std::size_t end = SectionEnd(lines, start);
        std::size_t lastContent = start;
        bool replaced = false;
        for (std::size_t i = start + 1; i < end && !replaced; ++i) {
            const auto existing = ParseKeyLine(lines[i]);
            if (existing && EqualsIgnoreCase(existing->key, key)) {
                lines[i] = entry;
                replaced = true;
            } else if (!Trim(lines[i]).empty()) {
                lastContent = i;
            }
        }
        if (!replaced) {
            // After the section's last line, before the blank lines that
            // separate it from the next one.
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), entry);
        }
    }
    std::string result;
    for (const std::string& line : lines) {
        result += line;
        result += '\n';
    }
    return result;
}

// A line break would let a value open sections or keys of its own; these
// characters would end a name early.
bool IsStorable(std::string_view section, std::string_view key, std::string_view value) {
    const auto hasBreak = [](std::string_view text) {
        return text.find_first_of("\r\n") != std::string_view::npos;
    };
    return !section.empty() && !key.empty() && !hasBreak(section) && !hasBreak(key) &&
           !hasBreak(value) && section.find(']') == std::string_view::npos &&
           key.find('=') == std::string_view::npos && Trim(key) == key &&
           Trim(section) == section && key.front() != '[';
}

std::mutex& WriteMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string ParentDirectory(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

Profile::Profile(std::string filePath) : m_filePath(std::move(filePath)) {}

std::optional<std::string> Profile::Read(std::string_view section, std::string_view key) const {
    const auto text = ReadWholeFile(m_filePath);
    if (!text) {
        return std::nullopt;
    }
    return FindValue(*text, section, key);
}

std::string Profile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue, std::size_t capacity) const {
    std::string value = Read(section, key).value_or(std::string(defaultValue));
    if (value.size() > capacity) {
        std::size_t cut = capacity;
        // Never split a UTF-8 sequence.
        while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        value.resize(cut);
    }
    return value;
}

int Profile::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
    const auto value = Read(section, key);
    if (!value) {
        return defaultValue;
    }
    std::size_t i = 0;
    while (i < value->size() && ((*value)[i] == ' ' || (*value)[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < value->size() && ((*value)[i] == '-' || (*value)[i] == '+')) {
        negative = (*value)[i] == '-';
        ++i;
    }
    // Saturates instead of overflowing on absurdly long numbers.
    long long number = 0;
    for (; i < value->size() && (*value)[i] >= '0' && (*value)[i] <= '9'; ++i) {
        number = std::min<long long>(number * 10 + ((*value)[i] - '0'), 1LL + INT_MAX);
    }
    if (negative) {
        number = -number;
    }
    return static_cast<int>(std::clamp<long long>(number, INT_MIN, INT_MAX));
}

bool Profile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!IsStorable(section, key, value)) {
        return false;
    }
    // Settings may hold passwords: the folder and the file are the user's alone.
    if (!MakePrivateFolder(ParentDirectory(m_filePath))) {
        return false;
    }
    std::lock_guard guard(WriteMutex());
    const int lockFd = open((m_filePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd < 0) {
        return false;
    }
    int locked;
    do {
        locked = flock(lockFd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    bool ok = false;
    if (locked == 0) {
        std::optional<std::string> current = ReadWholeFile(m_filePath);
        struct stat info {};
        // An existing file that cannot be read is left alone.
        if (!current && stat(m_filePath.c_str(), &info) != 0 && errno == ENOENT) {
            current = std::string();
        }
        if (current) {
            ok = WritePrivateFileAtomically(m_filePath, WithValue(*current, section, key, value));
        }
    }
    close(lockFd);
    return ok;
}

bool Profile::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

}  // namespace platform
