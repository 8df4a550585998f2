#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ObjectText.h"

namespace pdfcrypt {

// Where a stream's data lie in its object text, as its /Length gives them.
// Positions within a text of at most 2 GiB.
struct StreamLayout {
    std::uint32_t dataStart = 0;
    std::uint32_t dataLength = 0;
    // The "stream" keyword, which ends the dictionary.
    std::uint32_t keyword = 0;
};

// One row of the cross-reference table; the index in the table is the object number.
struct XrefEntry {
    static constexpr std::uint8_t kUnfilled = 0xFF;

    std::int32_t objectNumber = -1;
    // Input position (header offset included) for in-use rows, 0 for free rows and gaps,
    // -1 while no section has given the row. Wider than the file's 32-bit positions so that
    // adding the header offset to a hostile value cannot overflow.
    std::int64_t offset = -1;
    std::int32_t generation = -1;
    std::uint8_t type = kUnfilled;
    ObjectText objectText;
    // Set for a stream object once its text is loaded.
    std::optional<StreamLayout> stream;
    // Where the writer put the object in the output.
    std::int64_t newOffset = 0;

    bool IsUnfilled() const { return type == kUnfilled; }
};

struct CPDFXref {
    std::vector<XrefEntry> entries;
    std::int32_t root = 0;
    std::int32_t info = -1;
    std::int32_t encryptObject = -1;
};

}  // namespace pdfcrypt
