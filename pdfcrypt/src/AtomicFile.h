#pragma once

#include <functional>
#include <string>

#include "OutputSink.h"

namespace pdfcrypt {

// Writes a file through a temporary file in the target's folder: the content is produced into
// the temporary file, flushed to disk, and renamed over the target only when every step
// succeeded. On failure the temporary file is removed and the target is left as it was.
// An existing target keeps its permission bits and is refused when it is not writable; a
// symbolic link is followed, so the file it points at is the one replaced.
bool ReplaceFileAtomically(const std::string& target,
                           const std::function<bool(OutputSink&)>& produce);

}  // namespace pdfcrypt
