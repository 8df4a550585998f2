#pragma once
// The converter's options record, built from its command line.
#include <cstddef>
#include <cstdint>
#include <string>

namespace scrivola {

// Longest document-information text the record holds; longer command-line
// values are refused rather than cut.
inline constexpr std::size_t kMaxInfoText = 1023;

// Collision modes: what a job does when its output already exists.
inline constexpr std::int32_t kCollisionOverwrite = 0;
inline constexpr std::int32_t kCollisionInsert = 1;
inline constexpr std::int32_t kCollisionAppend = 2;
inline constexpr std::int32_t kCollisionRename = 3;

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
    std::int32_t collisionMode = kCollisionOverwrite;
    std::string subject;
    std::string title;
    std::string author;
    std::string keywords;
};

}  // namespace scrivola
