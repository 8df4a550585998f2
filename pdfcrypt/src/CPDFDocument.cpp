#include "CPDFDocument.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "ByteScan.h"
#include "InputFile.h"
#include "ObjectSyntax.h"

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
        return Refuse("open", -1, -1, "larger than 2 GiB");
    }
    return Load();
}

bool CPDFDocument::Refuse(std::string step, std::int64_t object, std::int64_t offset,
                          std::string message) {
    if (!m_refusal) {
        m_refusal = Refusal{std::move(step), object, offset, std::move(message)};
    }
    return false;
}

bool CPDFDocument::Load() {
    if (!ReadHeader()) {
        return Refuse("header", -1, 0, "no \"%PDF-\" with a version from 1.0 to 1.7");
    }
    const auto crossReference = FindCrossReferencePosition();
    if (!crossReference || *crossReference < 0) {
        return Refuse("startxref", -1, -1, "no \"startxref\" and \"%%EOF\" at the end");
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
    }
    if (!entries.empty() && entries[0].offset > 0) {
        return Refuse("objects", 0, entries[0].offset, "object 0 is listed as in use");
    }
    m_inputObjectCount = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        XrefEntry& entry = entries[i];
        if (entry.offset <= 0) {
            continue;
        }
        if (!LoadObject(i, entry)) {
            return false;
        }
        ++m_inputObjectCount;
        textBytes += static_cast<std::int64_t>(entry.objectText.size());
        if (textBytes > textBudget) {
            return Refuse("objects", static_cast<std::int64_t>(i), entry.offset,
                          "objects overlap far beyond the size of the file");
        }
    }
    // Without its catalog no reader finds the pages of the output.
    const auto root = static_cast<std::size_t>(m_xref.root);
    if (m_xref.root <= 0 || root >= entries.size() || entries[root].offset <= 0) {
        return Refuse("trailer", m_xref.root, -1, "/Root names no object of the file");
    }
    SeparateSharedTexts();
    return true;
}

// An object is taken from its table offset through "endobj", or through "endstream" for a
// stream, whose data are exactly /Length bytes: the offset must name the object itself and
// /Length must end where "endstream" follows (after end-of-line bytes, which stay outside the
// data). A file that does not read this way needs repair, and guessing would lose its content.
bool CPDFDocument::LoadObject(std::size_t number, XrefEntry& entry) {
    const auto object = static_cast<std::int64_t>(number);
    const std::string_view input(m_input);
    if (entry.offset >= static_cast<std::int64_t>(input.size())) {
        return Refuse("objects", object, entry.offset, "offset lies beyond the end of the file");
    }
    const auto header = ParseObjectHeader(input, static_cast<std::size_t>(entry.offset));
    if (!header || header->number != object || header->generation != entry.generation) {
        return Refuse("objects", object, entry.offset,
                      "offset does not point at \"" + std::to_string(number) + " " +
                          std::to_string(entry.generation) + " obj\"");
    }
    const std::size_t begin = header->start;
    const auto end = FindBodyEnd(input, header->bodyStart);
    if (!end) {
        return Refuse("objects", object, entry.offset,
                      "no \"endobj\" after the value (or a dictionary or array left open)");
    }
    if (end->kind == BodyEnd::Kind::Endobj) {
        entry.objectText =
            ObjectText::InInput(m_input.data() + begin, end->keyword + 6 - begin, "");
        return true;
    }
    const std::size_t dictionary = SkipWhitespaceAndComments(input, header->bodyStart);
    const auto length = StreamLength(number, input, dictionary);
    if (!length) {
        return false;
    }
    std::size_t dataStart = end->keyword + 6;
    if (dataStart < input.size() && input[dataStart] == '\r') {
        ++dataStart;
    }
    if (dataStart < input.size() && input[dataStart] == '\n') {
        ++dataStart;
    }
    if (*length > static_cast<std::int64_t>(input.size() - dataStart)) {
        return Refuse("stream", object, static_cast<std::int64_t>(dataStart),
                      "/Length " + std::to_string(*length) + " runs past the end of the file");
    }
    const std::size_t dataEnd = dataStart + static_cast<std::size_t>(*length);
    std::size_t keyword = dataEnd;
    while (keyword < input.size() && IsPdfWhitespace(input[keyword])) {
        ++keyword;
    }
    if (!input.substr(keyword).starts_with("endstream")) {
        return Refuse("stream", object, static_cast<std::int64_t>(dataEnd),
                      "no \"endstream\" where /Length " + std::to_string(*length) + " ends");
    }
    entry.objectText = ObjectText::InInput(m_input.data() + begin, keyword + 9 - begin, "\nendobj");
    entry.stream = StreamLayout{static_cast<std::uint32_t>(dataStart - begin),
                                static_cast<std::uint32_t>(*length),
                                static_cast<std::uint32_t>(end->keyword - begin)};
    return true;
}

// The stream's /Length: a number, or a reference to an object holding one.
std::optional<std::int64_t> CPDFDocument::StreamLength(std::size_t number, std::string_view input,
                                                       std::size_t dictionary) {
    const auto object = static_cast<std::int64_t>(number);
    const auto value = DictionaryValue(input, dictionary, "/Length");
    if (!value) {
        Refuse("stream", object, static_cast<std::int64_t>(dictionary),
               "stream dictionary has no /Length");
        return std::nullopt;
    }
    if (const auto reference = ParseReference(input, *value)) {
        const auto held = static_cast<std::size_t>(*reference);
        const XrefEntry* target = held < m_xref.entries.size() ? &m_xref.entries[held] : nullptr;
        const auto header =
            target && target->offset > 0 && target->offset < static_cast<std::int64_t>(input.size())
                ? ParseObjectHeader(input, static_cast<std::size_t>(target->offset))
                : std::nullopt;
        std::size_t pos = header && header->number == *reference
                              ? SkipWhitespaceAndComments(input, header->bodyStart)
                              : input.size();
        const auto length = ParseUnsigned(input, pos);
        const auto end = length ? FindBodyEnd(input, pos) : std::nullopt;
        if (!end || end->kind != BodyEnd::Kind::Endobj) {
            Refuse("stream", object, static_cast<std::int64_t>(*value),
                   "/Length refers to object " + std::to_string(*reference) +
                       ", which holds no length");
            return std::nullopt;
        }
        return length;
    }
    std::size_t pos = *value;
    const auto length = ParseUnsigned(input, pos);
    if (!length) {
        Refuse("stream", object, static_cast<std::int64_t>(*value),
               "/Length is not a non-negative whole number");
        return std::nullopt;
    }
    return length;
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
