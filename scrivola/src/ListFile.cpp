#include "ListFile.h"

#include <memory>

#include "platform/FileSystem.h"

namespace scrivola {

int ListFileReader::Get() {
    if (m_pushedBack != EOF) {
        const int character = m_pushedBack;
        m_pushedBack = EOF;
        return character;
    }
    const int character = std::fgetc(m_file);
    if (character != '\r') {
        return character;
    }
    // Text reading: CR LF arrives as LF; a lone CR stays.
    const int next = std::fgetc(m_file);
    if (next == '\n') {
        return '\n';
    }
    if (next != EOF) {
        std::ungetc(next, m_file);
    }
    return '\r';
}

std::optional<std::string> ReadListLine(ListFileReader& reader) {
    std::string entry;
    for (;;) {
        const int character = reader.Get();
        if (character == EOF || character == '\n') {
            break;
        }
        if (entry.size() < kMaxListLineKept) {
            entry.push_back(static_cast<char>(character));
        }
        if (character == '\r') {
            // A carriage return ends the entry; a line feed right behind it
            // belongs to the same line end.
            const int next = reader.Get();
            if (next == '\n') {
                entry.push_back('\n');
            } else {
                reader.PushBack(next);
            }
            break;
        }
    }
    // A line end alone is an empty line, also in a file with CR-only ends.
    if (entry.empty() || entry == "\r" || entry == "\r\n") {
        return std::nullopt;
    }
    return entry;
}

std::size_t ReadListFile(const std::string& listPath, const std::string& outputSpec,
                         JobList& jobs) {
    if (platform::IsDirectory(listPath)) {
        return 0;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(listPath.c_str(), "r"),
                                                         &std::fclose);
    if (!file) {
        return 0;
    }
    ListFileReader reader(file.get());
    while (auto entry = ReadListLine(reader)) {
        // The path ends at the first line-end character (or a zero byte).
        const std::size_t end = entry->find_first_of(std::string_view("\r\n\0", 3));
        if (end != std::string::npos) {
            entry->resize(end);
        }
        ConversionJob job{*entry, outputSpec, {}};
        if (entry->size() > kMaxListLine) {
            // Cut, the line would name another file; the whole line is one
            // entry that fails.
            job.refusal =
                "the list's line is longer than " + std::to_string(kMaxListLine) + " characters";
        }
        jobs.push_back(std::move(job));
    }
    return jobs.size();
}

}  // namespace scrivola
