#pragma once
// Opening documents read-only: they must exist, be regular, non-empty files
// and be readable. A folder named like a document, or a pipe, is refused.
#include <optional>
#include <string>

namespace office {

// Why the document cannot be opened for reading, or nothing when it can.
std::optional<std::string> DocumentOpenProblem(const std::string& path);

// Copies the document to `destination` (a new file), so the renderer works on
// a private copy with a name of our choosing. Throws AutomationError.
void CopyDocument(const std::string& source, const std::string& destination);

}  // namespace office
