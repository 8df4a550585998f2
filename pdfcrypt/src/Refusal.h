#pragma once

#include <cstdint>
#include <string>

namespace pdfcrypt {

// Why a file was refused: the step, the object (-1 when none), the input offset (-1 when none)
// and what was wrong there.
struct Refusal {
    std::string step;
    std::int64_t object = -1;
    std::int64_t offset = -1;
    std::string message;

    // "file: step: object N: offset X: message", leaving out what is unknown.
    std::string Describe(const std::string& file) const {
        std::string text = "pdfcrypt: " + file + ": " + step;
        if (object >= 0) {
            text += ": object " + std::to_string(object);
        }
        if (offset >= 0) {
            text += ": offset " + std::to_string(offset);
        }
        return text + ": " + message;
    }
};

}  // namespace pdfcrypt
