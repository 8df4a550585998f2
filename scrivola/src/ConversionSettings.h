#pragma once
// The converter's options record, built from its command line.
#include <cstddef>
#include <cstdint>
#include <string>

namespace scrivola {

// Longest document-information text the record holds; longer command-line
// values are refused rather than cut.
inline constexpr std::size_t kMaxInfoText = 1023;

// What a job does when its output already exists; -p 0..3. Any other number
// is kept as given and makes each job with an existing output fail.
enum class CollisionMode : std::int32_t { kOverwrite = 0, kInsert = 1, kAppend = 2, kRename = 3 };

struct ConversionSettings {
    // Page size, colour, resolution and the options z, c, q, v are accepted so
    // that the front end's command line is valid; the page layout comes from
    // the printer's own configuration.
    std::int32_t pageWidth = 595;
    std::int32_t pageHeight = 0;
    std::int32_t colorMode = 3;
    std::int32_t optionZ = 1;
    std::int32_t optionC = 0;
    std::int32_t optionQ = 10;
    std::int32_t resolution = 100;
    std::int32_t optionV = 0;
    std::int32_t viewAfterConversion = 0;
    CollisionMode collisionMode = CollisionMode::kOverwrite;
    std::string subject;
    std::string title;
    std::string author;
    std::string keywords;
};

}  // namespace scrivola
