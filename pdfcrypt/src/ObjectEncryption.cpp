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

std::uint8_t* MutableBytes(std::string& s) {
    return reinterpret_cast<std::uint8_t*>(s.data());
}

// The next string at or after i and before end; a comment runs to its line end, and a
// parenthesis in it starts nothing.
std::size_t NextStringStart(std::string_view text, std::size_t i, std::size_t end) {
    while (i < end) {
        if (text[i] == '%') {
            while (i < end && text[i] != '\n' && text[i] != '\r') {
                ++i;
            }
        } else if (IsStringStart(text, i)) {
            return i;
        } else {
            ++i;
        }
    }
    return end;
}

}  // namespace

void CPDFDocument::PrepareEncryption(int keyLength, std::uint32_t permissionInput,
                                     std::string_view ownerPassword,
                                     std::string_view userPassword) {
    m_security.PrepareEncryption(keyLength, permissionInput, ownerPassword, userPassword);
}

void CPDFDocument::EncryptObjects() {
    for (XrefEntry& entry : m_xref.entries) {
        if (entry.objectText.empty()) {
            continue;
        }
        if (entry.stream) {
            EncryptStreamObject(entry);
        } else {
            EncryptPlainObject(entry);
        }
    }
}

void CPDFDocument::EncryptPlainObject(XrefEntry& entry) {
    const std::string_view text = entry.objectText.Body();
    std::size_t i = NextStringStart(text, 0, text.size());
    if (i == text.size()) {
        return;
    }
    // One key schedule serves every string of the object.
    m_security.SetObjectKey(entry.objectNumber, entry.generation);
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    out.append(text.substr(0, i));
    while (i < text.size()) {
        PdfString string = ReadPdfString(text, i, text.size());
        out += '<';
        if (!string.bytes.empty()) {
            m_security.RestartObjectKey();
            m_security.CryptBytes(MutableBytes(string.bytes), string.bytes.size(),
                                  MutableBytes(string.bytes));
            AppendHex(out, string.bytes);
        }
        out += '>';
        i = string.After();
        const std::size_t next = NextStringStart(text, i, text.size());
        out.append(text.substr(i, next - i));
        i = next;
    }
    entry.objectText.Assign(std::move(out));
}

// The data are exactly the /Length bytes the reader found; the end-of-line bytes between them
// and "endstream" stay in clear.
void CPDFDocument::EncryptStreamObject(XrefEntry& entry) {
    m_security.SetObjectKey(entry.objectNumber, entry.generation);
    auto* data =
        reinterpret_cast<std::uint8_t*>(entry.objectText.MutableBody()) + entry.stream->dataStart;
    m_security.CryptBytes(data, entry.stream->dataLength, data);
    EncryptStreamDictionaryStrings(entry);
}

// Strings in a stream's dictionary keep their literal or hexadecimal form. The dictionary is
// rebuilt apart and put back once: in place when its length is unchanged, otherwise in front of
// a copy of the rest of the object.
void CPDFDocument::EncryptStreamDictionaryStrings(XrefEntry& entry) {
    const std::string_view text = entry.objectText.Body();
    const std::size_t dictionaryEnd = entry.stream->keyword;
    std::string dictionary;
    bool changed = false;
    std::size_t i = 0;
    while (i < dictionaryEnd) {
        const std::size_t next = NextStringStart(text, i, dictionaryEnd);
        dictionary.append(text.substr(i, next - i));
        i = next;
        if (i >= dictionaryEnd) {
            break;
        }
        PdfString string = ReadPdfString(text, i, dictionaryEnd);
        if (string.bytes.empty()) {
            dictionary += text[i++];
            continue;
        }
        changed = true;
        m_security.RestartObjectKey();
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
    // Escaped strings can make the dictionary longer; the data move with it.
    entry.stream->dataStart += static_cast<std::uint32_t>(dictionary.size() - dictionaryEnd);
    entry.stream->keyword = static_cast<std::uint32_t>(dictionary.size());
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
