#pragma once

#include <string_view>

namespace pdfcrypt {

// Appends one line to the file named by SCRIVOLA_DEBUG_LOG, when that variable is set; drops it
// otherwise. Never fails the caller.
void WriteDebugLine(std::string_view line);

}  // namespace pdfcrypt
