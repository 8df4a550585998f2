#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pdfcrypt {

// The bytes of one object. After loading they are a run of the document's input buffer,
// followed by a fixed suffix, and are encrypted in place there, so a large file is not held in
// memory twice. Objects that are rebuilt, or that share input bytes with another object, hold
// bytes of their own. Kept small: a file can have millions of objects.
class ObjectText {
  public:
    ObjectText() = default;
    ObjectText(ObjectText&&) noexcept = default;
    ObjectText& operator=(ObjectText&&) noexcept = default;
    ObjectText(const ObjectText& other)
        : m_input(other.m_input),
          m_owned(other.m_owned ? std::make_unique<std::string>(*other.m_owned) : nullptr),
          m_suffix(other.m_suffix),
          m_inputLength(other.m_inputLength),
          m_suffixLength(other.m_suffixLength) {}
    ObjectText& operator=(const ObjectText& other) {
        if (this != &other) {
            *this = ObjectText(other);
        }
        return *this;
    }
    // suffix must outlive the text (a literal).
    static ObjectText InInput(char* begin, std::size_t length, std::string_view suffix) {
        ObjectText text;
        text.m_input = begin;
        text.m_inputLength = static_cast<std::uint32_t>(length);
        text.m_suffix = suffix.data();
        text.m_suffixLength = static_cast<std::uint32_t>(suffix.size());
        return text;
    }

    void Assign(std::string bytes) {
        m_owned = std::make_unique<std::string>(std::move(bytes));
        m_input = nullptr;
        m_inputLength = 0;
        m_suffix = nullptr;
        m_suffixLength = 0;
    }
    // Copies the bytes out of the input buffer, so that changes stay with this object.
    void MakeOwned() {
        if (m_input != nullptr) {
            Assign(ToString());
        }
    }

    // The bytes without the suffix; changing them in place through MutableBody is allowed.
    std::string_view Body() const {
        if (m_input != nullptr) {
            return std::string_view(m_input, m_inputLength);
        }
        return m_owned ? std::string_view(*m_owned) : std::string_view();
    }
    char* MutableBody() {
        return m_input != nullptr ? m_input : m_owned ? m_owned->data() : nullptr;
    }
    std::string_view Suffix() const {
        return m_suffix != nullptr ? std::string_view(m_suffix, m_suffixLength)
                                   : std::string_view();
    }
    std::size_t size() const { return Body().size() + m_suffixLength; }
    bool empty() const { return size() == 0; }
    bool InInput() const { return m_input != nullptr; }
    std::string ToString() const {
        std::string bytes;
        bytes.reserve(size());
        bytes.append(Body());
        bytes.append(Suffix());
        return bytes;
    }

  private:
    char* m_input = nullptr;
    std::unique_ptr<std::string> m_owned;
    const char* m_suffix = nullptr;
    // Inputs are at most 2 GiB.
    std::uint32_t m_inputLength = 0;
    std::uint32_t m_suffixLength = 0;
};

}  // namespace pdfcrypt
