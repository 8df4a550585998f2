#pragma once

#include <cstdint>
#include <string>

namespace pdfcrypt {

// Reads a whole regular file of at most maxSize bytes. Anything else (a missing file, a folder,
// a device or pipe, a larger file, a read error) gives false.
bool ReadRegularFile(const std::string& path, std::int64_t maxSize, std::string& bytes);

}  // namespace pdfcrypt
