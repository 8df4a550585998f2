// Reading a written file back before it replaces anything: the table, every object's header and
// every stream's end, compared with what the document meant to write.
#include <algorithm>

#include "ByteScan.h"
#include "CPDFDocument.h"
#include "ObjectSyntax.h"

namespace pdfcrypt {
namespace {

constexpr std::size_t kRowSize = 20;
// More than the 64 KiB window of the file reader.
constexpr std::size_t kRowBlock = 8192;
constexpr std::size_t kTailWindow = 1024;
// Enough for "N G obj" with the largest numbers, and for end-of-line bytes before "endstream".
constexpr std::size_t kHeaderWindow = 64;

std::optional<std::int64_t> RowNumber(std::string_view row, std::size_t at, std::size_t digits) {
    std::int64_t value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (!IsDigitByte(row[i])) {
            return std::nullopt;
        }
        value = value * 10 + (row[i] - '0');
    }
    return value;
}

}  // namespace

bool CPDFDocument::VerifyOutput(const ReadAt& read, std::int64_t size) {
    const auto fail = [this](std::int64_t object, std::int64_t offset, const std::string& what) {
        return Refuse("output check", object, offset, what);
    };
    if (read(0, 5) != "%PDF-") {
        return fail(-1, 0, "no header");
    }
    const std::int64_t tailStart = std::max<std::int64_t>(0, size - kTailWindow);
    const std::string tail = read(tailStart, static_cast<std::size_t>(size - tailStart));
    const std::size_t keyword = tail.rfind("startxref");
    if (keyword == std::string::npos || tail.find("%%EOF", keyword) == std::string::npos ||
        ParseInteger(tail, keyword + 9) != m_crossReferenceOffset) {
        return fail(-1, tailStart, "\"startxref\" does not name the table");
    }

    const auto& entries = m_xref.entries;
    const std::string head = "xref\n0 " + std::to_string(entries.size()) + "\n";
    if (read(m_crossReferenceOffset, head.size()) != head) {
        return fail(-1, m_crossReferenceOffset, "the table is not where the trailer says");
    }
    const std::int64_t rowsAt = m_crossReferenceOffset + static_cast<std::int64_t>(head.size());
    // Rows are read in blocks larger than the reader's window, so they go around it and the
    // objects' reads stay in file order.
    std::string block;
    std::size_t written = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i % kRowBlock == 0) {
            const std::size_t rows = std::min(kRowBlock, entries.size() - i);
            block = read(rowsAt + static_cast<std::int64_t>(kRowSize * i), kRowSize * rows);
            if (block.size() != kRowSize * rows) {
                return fail(-1, rowsAt, "the table is cut short");
            }
        }
        const XrefEntry& entry = entries[i];
        const auto object = static_cast<std::int64_t>(i);
        const std::string_view row =
            std::string_view(block).substr(kRowSize * (i % kRowBlock), kRowSize);
        const auto offset = RowNumber(row, 0, 10);
        const auto generation = RowNumber(row, 11, 5);
        if (!offset || !generation || *generation != entry.generation) {
            return fail(object, m_crossReferenceOffset, "table row does not read back");
        }
        const bool expected = entry.offset > 0;
        if (expected != (*offset > 0) ||
            (expected && (*offset != entry.newOffset || row[17] != 'n'))) {
            return fail(object, *offset, "table row does not match the object written");
        }
        if (!expected) {
            continue;
        }
        ++written;
        const std::string start = read(*offset, kHeaderWindow);
        const auto header = ParseObjectHeader(start, 0);
        if (!header || header->start != 0 || header->number != object ||
            header->generation != entry.generation) {
            return fail(object, *offset, "object is not at its offset");
        }
        if (!entry.stream) {
            // The encrypted text must still read as one object ending at its "endobj".
            const std::size_t length = entry.objectText.size();
            const std::string text = read(*offset, length);
            const auto end = FindBodyEnd(text, header->bodyStart);
            if (!end || end->kind != BodyEnd::Kind::Endobj ||
                text.find_first_not_of(" \r\n", end->keyword + 6) != std::string::npos) {
                return fail(object, *offset, "object does not read back as one value");
            }
            continue;
        }
        const StreamLayout& stream = *entry.stream;
        const std::string dictionary = read(*offset, stream.keyword);
        const std::size_t open = SkipWhitespaceAndComments(dictionary, header->bodyStart);
        const auto value = DictionaryValue(dictionary, open, "/Length");
        std::size_t at = value.value_or(dictionary.size());
        const auto length = ParseUnsigned(dictionary, at);
        if (!value || (!ParseReference(dictionary, *value) &&
                       (!length || static_cast<std::size_t>(*length) != stream.dataLength))) {
            return fail(object, *offset, "/Length does not give the data written");
        }
        const std::int64_t dataEnd =
            *offset + static_cast<std::int64_t>(stream.dataStart + stream.dataLength);
        const std::string after = read(dataEnd, kHeaderWindow);
        std::size_t k = 0;
        while (k < after.size() && IsPdfWhitespace(after[k])) {
            ++k;
        }
        if (!std::string_view(after).substr(k).starts_with("endstream")) {
            return fail(object, dataEnd, "no \"endstream\" where /Length ends");
        }
    }
    // The input's objects and the encryption dictionary, nothing more and nothing less.
    if (written != m_inputObjectCount + 1) {
        return fail(-1, m_crossReferenceOffset, "the objects written are not the input's");
    }
    const std::int64_t trailerAt = rowsAt + static_cast<std::int64_t>(kRowSize * entries.size());
    if (!read(trailerAt, 16).starts_with("trailer\n<</Size ")) {
        return fail(-1, trailerAt, "no trailer after the table");
    }
    return true;
}

}  // namespace pdfcrypt
