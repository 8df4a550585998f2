#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "OutputSink.h"

namespace pdfcrypt {

// Writes a file through a temporary file in the target's folder: the content is produced into
// the temporary file, flushed to disk, checked by verify (which reads the temporary file back
// through its descriptor), and renamed over the target only when every step succeeded; then
// the folder is flushed too. On failure the temporary file is removed and the target is left
// as it was. An existing target keeps its permission bits and is refused when it is not
// writable; a symbolic link is followed, so the file it points at is the one replaced.
bool ReplaceFileAtomically(const std::string& target,
                           const std::function<bool(OutputSink&)>& produce,
                           const std::function<bool(int fd)>& verify);

// Up to length bytes of an open file from offset; fewer at its end or on an error.
std::string ReadFileAt(int fd, std::int64_t offset, std::size_t length);

}  // namespace pdfcrypt
