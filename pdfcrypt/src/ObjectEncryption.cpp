// Encrypting the loaded object texts in place: every string of a plain object, and the data and
// dictionary strings of a stream object.
#include <algorithm>
#include <cstring>
#include <vector>

#include "ByteScan.h"
#include "CPDFDocument.h"
#include "PdfString.h"

namespace pdfcrypt {
namespace {

constexpr std::size_t kLengthObjectWindow = 1024;
constexpr std::size_t kMaxLengthDigits = 63;

std::uint8_t* MutableBytes(std::string& s) {
    return reinterpret_cast<std::uint8_t*>(s.data());
}

bool IsLengthDelimiter(char c) {
    return c == ' ' || c == '\r' || c == '\n';
}

// "/Length" followed by a space or line end, ending no later than limit. Longer keys such as
// the /Length1 of font programs are passed over.
std::optional<std::size_t> FindLengthKey(std::string_view text, std::size_t limit) {
    constexpr std::string_view kKey = "/Length";
    std::size_t from = 0;
    while (true) {
        const auto found = FindForward(text, kKey, from, limit);
        if (!found) {
            return std::nullopt;
        }
        const std::size_t after = *found + kKey.size();
        if (after < text.size() && IsLengthDelimiter(text[after])) {
            return after + 1;
        }
        from = *found + 1;
    }
}

// Digits and dots after optional whitespace and one leading minus, converted as an integer.
std::int32_t ParseLengthValue(std::string_view text, std::size_t pos) {
    while (pos < text.size() &&
           (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\r' || text[pos] == '\n')) {
        ++pos;
    }
    if (pos >= text.size() || !(IsDigitByte(text[pos]) || text[pos] == '.' || text[pos] == '-')) {
        return 0;
    }
    if (text[pos] == '-') {
        ++pos;
    }
    std::size_t end = pos;
    while (end < text.size() && end - pos < kMaxLengthDigits &&
           (IsDigitByte(text[end]) || text[end] == '.')) {
        ++end;
    }
    return ParseInteger(text.substr(0, end), pos);
}

// "12 0 R" (or "12 0 obj") after optional spaces: the length is held by another object.
bool IsIndirectReference(std::string_view text, std::size_t pos) {
    const auto skipSpaces = [&] {
        while (pos < text.size() && text[pos] == ' ') {
            ++pos;
        }
    };
    skipSpaces();
    const std::size_t digits = pos;
    while (pos < text.size() && IsDigitByte(text[pos])) {
        ++pos;
    }
    if (pos == digits) {
        return false;
    }
    skipSpaces();
    if (pos >= text.size() || (text[pos] != '0' && text[pos] != '1')) {
        return false;
    }
    pos += 2;
    if (pos > text.size()) {
        return false;
    }
    const std::string_view rest = text.substr(pos);
    return rest.starts_with("R") || rest.starts_with("obj");
}

}  // namespace

void CPDFDocument::PrepareEncryption(int keyLength, std::uint32_t permissionInput,
                                     std::string_view ownerPassword,
                                     std::string_view userPassword) {
    m_security.PrepareEncryption(keyLength, permissionInput, ownerPassword, userPassword);
}

void CPDFDocument::EncryptObjects() {
    auto& entries = m_xref.entries;
    // Stream lengths are settled first, while every object, and the input an indirect length
    // is read from, still holds the bytes that were read.
    std::vector<std::optional<StreamLayout>> layouts(entries.size());
    std::vector<bool> isStream(entries.size(), false);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string_view body = entries[i].objectText.Body();
        if (!body.empty() && body.rfind("endstream") != std::string_view::npos) {
            isStream[i] = true;
            layouts[i] = MeasureStream(body);
        }
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].objectText.empty()) {
            continue;
        }
        if (!isStream[i]) {
            EncryptPlainObject(entries[i]);
        } else if (layouts[i]) {
            EncryptStreamObject(entries[i], *layouts[i]);
        }
    }
}

void CPDFDocument::EncryptPlainObject(XrefEntry& entry) {
    const std::string_view text = entry.objectText.Body();
    if (text.find("endobj") == std::string_view::npos) {
        return;
    }
    std::size_t i = 0;
    while (i < text.size() && !IsStringStart(text, i)) {
        ++i;
    }
    if (i == text.size()) {
        return;
    }
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    out.append(text.substr(0, i));
    while (i < text.size()) {
        if (!IsStringStart(text, i)) {
            out += text[i++];
            continue;
        }
        PdfString string = ReadPdfString(text, i, text.size());
        out += '<';
        if (!string.bytes.empty()) {
            m_security.SetObjectKey(entry.objectNumber, entry.generation);
            m_security.CryptBytes(MutableBytes(string.bytes), string.bytes.size(),
                                  MutableBytes(string.bytes));
            AppendHex(out, string.bytes);
        }
        out += '>';
        i = string.After();
    }
    entry.objectText.Assign(std::move(out));
}

// Where the data of a stream object start and how many bytes of them are encrypted; none when
// the object has no "stream" keyword or its length cannot be determined.
std::optional<CPDFDocument::StreamLayout> CPDFDocument::MeasureStream(std::string_view text) const {
    const std::size_t endstream = text.rfind("endstream");
    if (endstream == std::string_view::npos || endstream < 6) {
        return std::nullopt;
    }
    const std::size_t keyword = text.rfind("stream", endstream - 6);
    if (keyword == std::string_view::npos) {
        return std::nullopt;
    }
    std::size_t dataStart = keyword + 6;
    if (dataStart < text.size() && text[dataStart] == '\r') {
        ++dataStart;
    }
    if (dataStart < text.size() && text[dataStart] == '\n') {
        ++dataStart;
    }
    const auto length = StreamDataLength(text, dataStart, endstream);
    if (!length) {
        return std::nullopt;
    }
    return StreamLayout{dataStart, *length};
}

void CPDFDocument::EncryptStreamObject(XrefEntry& entry, const StreamLayout& layout) {
    auto* data = reinterpret_cast<std::uint8_t*>(entry.objectText.MutableBody()) + layout.dataStart;
    m_security.SetObjectKey(entry.objectNumber, entry.generation);
    m_security.CryptBytes(data, layout.dataLength, data);
    EncryptStreamDictionaryStrings(entry);
}

// The number of data bytes to encrypt, or none when the stream's length cannot be determined.
// A /Length up to two bytes short of the data leaves the end-of-line before "endstream" in
// clear; a /Length that is further off is replaced by the measured length.
std::optional<std::size_t> CPDFDocument::StreamDataLength(std::string_view text,
                                                          std::size_t dataStart,
                                                          std::size_t dataEnd) const {
    const auto valueStart = FindLengthKey(text, dataStart);
    if (!valueStart) {
        return std::nullopt;
    }
    std::int32_t length = ParseLengthValue(text, *valueStart);
    if (IsIndirectReference(text, *valueStart)) {
        const auto held = IndirectLength(length);
        if (!held) {
            return std::nullopt;
        }
        length = *held;
    }
    if (length <= 0) {
        return std::nullopt;
    }
    const auto measured = static_cast<std::int64_t>(dataEnd - dataStart);
    if (length >= measured - 2 && length <= measured) {
        return static_cast<std::size_t>(length);
    }
    return static_cast<std::size_t>(measured);
}

// The number held by the object a /Length refers to, read from the input as it stood.
std::optional<std::int32_t> CPDFDocument::IndirectLength(std::int32_t objectNumber) const {
    if (objectNumber < 0 || static_cast<std::size_t>(objectNumber) >= m_xref.entries.size()) {
        return std::nullopt;
    }
    const std::int64_t offset = m_xref.entries[static_cast<std::size_t>(objectNumber)].offset;
    if (offset < 0 || offset >= static_cast<std::int64_t>(m_input.size())) {
        return std::nullopt;
    }
    std::string_view window =
        std::string_view(m_input).substr(static_cast<std::size_t>(offset), kLengthObjectWindow);
    window = window.substr(0, window.find('\0'));
    const std::size_t keyword = window.find("obj");
    if (keyword == std::string_view::npos) {
        return std::nullopt;
    }
    return ParseInteger(window, keyword + 4);
}

// Strings in a stream's dictionary keep their literal or hexadecimal form. The dictionary is
// rebuilt apart and put back once: in place when its length is unchanged, otherwise in front of
// a copy of the rest of the object.
void CPDFDocument::EncryptStreamDictionaryStrings(XrefEntry& entry) {
    const std::string_view text = entry.objectText.Body();
    const std::size_t dictionaryEnd = text.find("stream");
    if (dictionaryEnd == std::string_view::npos) {
        return;
    }
    std::string dictionary;
    bool changed = false;
    std::size_t i = 0;
    while (i < dictionaryEnd) {
        if (!IsStringStart(text, i)) {
            dictionary += text[i++];
            continue;
        }
        PdfString string = ReadPdfString(text, i, dictionaryEnd);
        if (string.bytes.empty()) {
            dictionary += text[i++];
            continue;
        }
        changed = true;
        m_security.SetObjectKey(entry.objectNumber, entry.generation);
        m_security.CryptBytes(MutableBytes(string.bytes), string.bytes.size(),
                              MutableBytes(string.bytes));
        const std::size_t oldLength = string.After() - i;
        const std::size_t written = dictionary.size();
        if (text[i] == '(') {
            dictionary += '(';
            dictionary += EscapeLiteral(string.bytes);
            dictionary += ')';
        } else {
            dictionary += '<';
            AppendHex(dictionary, string.bytes);
            dictionary += '>';
        }
        const std::size_t newLength = dictionary.size() - written;
        if (newLength < oldLength) {
            dictionary.append(oldLength - newLength, ' ');
        }
        i = string.After();
    }
    if (!changed) {
        return;
    }
    if (dictionary.size() == dictionaryEnd) {
        std::memcpy(entry.objectText.MutableBody(), dictionary.data(), dictionary.size());
        return;
    }
    dictionary.reserve(dictionary.size() + entry.objectText.size() - dictionaryEnd);
    dictionary.append(text.substr(dictionaryEnd));
    dictionary.append(entry.objectText.Suffix());
    entry.objectText.Assign(std::move(dictionary));
}

void CPDFDocument::AddEncryptDictionary() {
    const int keyLength = m_security.KeyLength();
    const auto number = static_cast<std::int32_t>(m_xref.entries.size());
    std::string text = std::to_string(number) + " 0 obj \n<<";
    text += "/Filter /Standard\n";
    text += keyLength == 5 ? "/V 1\n" : "/V 2\n";
    text += "/Length " + std::to_string(keyLength * 8) + "\n";
    text += keyLength == 16 ? "/R 3\n" : "/R 2\n";
    text += "/P " + std::to_string(m_security.P()) + "\n";
    const auto appendValue = [&text](std::string_view name, const std::array<std::uint8_t, 32>& v) {
        text += name;
        text += '<';
        AppendHex(text, std::string_view(reinterpret_cast<const char*>(v.data()), v.size()));
        text += ">\n";
    };
    appendValue("/O", m_security.O());
    appendValue("/U", m_security.U());
    text += ">>\nendobj\n";

    XrefEntry entry;
    entry.objectNumber = number;
    // A positive marker so that the writer writes it; the object has no place in the input.
    entry.offset = 1;
    entry.generation = 0;
    entry.type = 'n';
    entry.objectText.Assign(std::move(text));
    m_xref.entries.push_back(std::move(entry));
    m_xref.encryptObject = number;
}

}  // namespace pdfcrypt
