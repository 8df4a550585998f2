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
        text.input_ = begin;
        text.inputLength_ = length;
        text.suffix_ = suffix;
        return text;
    }

    void Assign(std::string bytes) {
        owned_ = std::move(bytes);
        input_ = nullptr;
        inputLength_ = 0;
        suffix_ = {};
    }
    // Copies the bytes out of the input buffer, so that changes stay with this object.
    void MakeOwned() {
        if (input_ != nullptr) {
            Assign(ToString());
        }
    }

    // The bytes without the suffix; changing them in place through MutableBody is allowed.
    std::string_view Body() const {
        return input_ != nullptr ? std::string_view(input_, inputLength_) : owned_;
    }
    char* MutableBody() { return input_ != nullptr ? input_ : owned_.data(); }
    std::string_view Suffix() const { return suffix_; }
    std::size_t size() const { return Body().size() + suffix_.size(); }
    bool empty() const { return size() == 0; }
    bool InInput() const { return input_ != nullptr; }
    std::string ToString() const {
        std::string bytes;
        bytes.reserve(size());
        bytes.append(Body());
        bytes.append(suffix_);
        return bytes;
    }

  private:
    char* input_ = nullptr;
    std::size_t inputLength_ = 0;
    std::string_view suffix_;
    std::string owned_;
};

}  // namespace pdfcrypt
