#pragma once
// Opening documents read-only: they must exist, be regular, non-empty files
// and be readable. A folder named like a document, or a pipe, is refused.
#include <optional>
#include <string>
#include <string_view>

namespace office {

// Why the document cannot be opened for reading, or nothing when it can.
// Its first bytes must be those of a document format LibreOffice reads, or
// text: damaged or random bytes are refused rather than printed as garbage.
std::optional<std::string> DocumentOpenProblem(const std::string& path);

// The first bytes of a file (up to 4 KiB): a known document format, or text.
bool LooksLikeADocument(std::string_view head);

// Copies the document to `destination` (a new file), so the renderer works on
// a private copy with a name of our choosing. Throws AutomationError.
void CopyDocument(const std::string& source, const std::string& destination);

}  // namespace office
