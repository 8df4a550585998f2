#include "CPDFDocument.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "ByteScan.h"
#include "InputFile.h"

namespace pdfcrypt {
namespace {

constexpr std::size_t kHeaderWindow = 1024;
constexpr std::size_t kLastHeaderOffset = 1018;
constexpr std::size_t kTailWindow = 1024;
constexpr std::string_view kHeader = "%PDF-";

bool IsVersionDelimiter(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\0';
}

double ParseVersion(std::string_view token) {
    if (!token.empty() && token.front() == '+') {
        token.remove_prefix(1);
    }
    double value = 0;
    std::from_chars(token.data(), token.data() + token.size(), value);
    return value;
}

}  // namespace

bool CPDFDocument::Open(const std::string& path) {
    std::string bytes;
    if (!ReadRegularFile(path, kMaxInputSize, bytes)) {
        return false;
    }
    return OpenBytes(std::move(bytes), path);
}

bool CPDFDocument::OpenBytes(std::string bytes, std::string path) {
    // Object texts point into the input buffer, so a document is loaded only once.
    if (m_opened) {
        return false;
    }
    m_opened = true;
    m_inputPath = std::move(path);
    m_input = std::move(bytes);
    m_position = 0;
    if (static_cast<std::int64_t>(m_input.size()) > kMaxInputSize) {
        return false;
    }
    return Load();
}

bool CPDFDocument::Load() {
    if (!ReadHeader()) {
        return false;
    }
    const auto crossReference = FindCrossReferencePosition();
    if (!crossReference || *crossReference < 0) {
        return false;
    }
    return ReadSectionChain(*crossReference) && Normalise();
}

bool CPDFDocument::ReadHeader() {
    const std::string_view first =
        std::string_view(m_input).substr(0, std::min(kHeaderWindow, m_input.size()));
    std::optional<std::size_t> header;
    for (std::size_t offset = 0;
         offset <= kLastHeaderOffset && offset + kHeader.size() <= first.size(); ++offset) {
        if (first.substr(offset, kHeader.size()) == kHeader) {
            header = offset;
            break;
        }
    }
    if (!header) {
        return false;
    }
    m_headerOffset = static_cast<std::int64_t>(*header);
    const std::size_t tokenStart = *header + kHeader.size();
    std::size_t tokenEnd = tokenStart;
    while (tokenEnd < first.size() && !IsVersionDelimiter(first[tokenEnd])) {
        ++tokenEnd;
    }
    m_version = ParseVersion(first.substr(tokenStart, tokenEnd - tokenStart));
    return m_version >= 1.0 && m_version <= 1.7;
}

std::optional<std::int64_t> CPDFDocument::FindCrossReferencePosition() const {
    // Files shorter than the window are searched whole.
    const std::size_t windowStart =
        m_input.size() >= kTailWindow ? m_input.size() - kTailWindow : 0;
    const auto endMarker = FindBackward(m_input, "%%EOF", windowStart, m_input.size());
    if (!endMarker) {
        return std::nullopt;
    }
    const auto keyword = FindBackward(m_input, "startxref", windowStart, *endMarker);
    if (!keyword) {
        return std::nullopt;
    }
    // The keyword, one end-of-line byte, then the number.
    return std::int64_t{ParseInteger(m_input, *keyword + 10)} + m_headerOffset;
}

std::int64_t CPDFDocument::ObjectLimit() const {
    // A table much larger than the file can only be made of gaps; refusing it keeps the memory
    // a hostile /Size or subsection header can claim proportional to the input.
    return std::min<std::int64_t>(kMaxObjects,
                                  1024 + static_cast<std::int64_t>(m_input.size()) / 4);
}

bool CPDFDocument::Normalise() {
    auto& entries = m_xref.entries;
    // Object texts are disjoint runs of the input in any sound file; rows that point many times
    // into the same large object must not multiply it in memory or in the output.
    const std::int64_t textBudget = 4 * static_cast<std::int64_t>(m_input.size()) +
                                    16 * static_cast<std::int64_t>(entries.size()) + (1 << 20);
    std::int64_t textBytes = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        XrefEntry& entry = entries[i];
        if (entry.IsUnfilled()) {
            entry.objectNumber = static_cast<std::int32_t>(i);
            entry.offset = 0;
            entry.type = 'n';
            entry.generation = 0;
        }
        if (entry.type != 'n') {
            entry.offset = 0;
        }
        if (entry.offset > 0) {
            const TextLocation location = LocateObjectText(entry.offset);
            entry.objectText = ObjectText::InInput(m_input.data() + location.begin, location.length,
                                                   location.endobjAppended ? "\nendobj" : "");
            textBytes += static_cast<std::int64_t>(entry.objectText.size());
            if (textBytes > textBudget) {
                return false;
            }
        }
    }
    SeparateSharedTexts();
    return true;
}

// Texts are encrypted in place, each under its own object's key, so a text whose input bytes
// overlap another's (two rows with one offset, an object without "endobj" running into the
// next) gets bytes of its own first.
void CPDFDocument::SeparateSharedTexts() {
    struct Run {
        std::size_t begin;
        std::size_t end;
        std::size_t entry;
    };
    std::vector<Run> runs;
    for (std::size_t i = 0; i < m_xref.entries.size(); ++i) {
        const ObjectText& text = m_xref.entries[i].objectText;
        if (text.InInput() && !text.Body().empty()) {
            const auto begin = static_cast<std::size_t>(text.Body().data() - m_input.data());
            runs.push_back({begin, begin + text.Body().size(), i});
        }
    }
    std::sort(runs.begin(), runs.end(),
              [](const Run& a, const Run& b) { return a.begin < b.begin; });
    std::size_t clusterStart = 0;
    std::size_t clusterEnd = 0;
    for (std::size_t i = 0; i <= runs.size(); ++i) {
        if (i < runs.size() && i > clusterStart && runs[i].begin < clusterEnd) {
            clusterEnd = std::max(clusterEnd, runs[i].end);
            continue;
        }
        if (i - clusterStart > 1) {
            for (std::size_t k = clusterStart; k < i; ++k) {
                m_xref.entries[runs[k].entry].objectText.MakeOwned();
            }
        }
        if (i < runs.size()) {
            clusterStart = i;
            clusterEnd = runs[i].end;
        }
    }
}

}  // namespace pdfcrypt
