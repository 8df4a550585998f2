#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pdfcrypt {

// The bytes of one object. After loading they are a run of the document's input buffer,
// followed by a fixed suffix, and are encrypted in place there, so a large file is not held in
// memory twice. Objects that are rebuilt, or that share input bytes with another object, hold
// bytes of their own.
class ObjectText {
  public:
    ObjectText() = default;
    static ObjectText InInput(char* begin, std::size_t length, std::string_view suffix) {
        ObjectText text;
        text.m_input = begin;
        text.m_inputLength = length;
        text.m_suffix = suffix;
        return text;
    }

    void Assign(std::string bytes) {
        m_owned = std::move(bytes);
        m_input = nullptr;
        m_inputLength = 0;
        m_suffix = {};
    }
    // Copies the bytes out of the input buffer, so that changes stay with this object.
    void MakeOwned() {
        if (m_input != nullptr) {
            Assign(ToString());
        }
    }

    // The bytes without the suffix; changing them in place through MutableBody is allowed.
    std::string_view Body() const {
        return m_input != nullptr ? std::string_view(m_input, m_inputLength) : m_owned;
    }
    char* MutableBody() { return m_input != nullptr ? m_input : m_owned.data(); }
    std::string_view Suffix() const { return m_suffix; }
    std::size_t size() const { return Body().size() + m_suffix.size(); }
    bool empty() const { return size() == 0; }
    bool InInput() const { return m_input != nullptr; }
    std::string ToString() const {
        std::string bytes;
        bytes.reserve(size());
        bytes.append(Body());
        bytes.append(m_suffix);
        return bytes;
    }

  private:
    char* m_input = nullptr;
    std::size_t m_inputLength = 0;
    std::string_view m_suffix;
    std::string m_owned;
};

}  // namespace pdfcrypt
