#pragma once
// Where LibreOfficeKit is loaded from: LibreOffice's program folder, the
// folder of the real soffice program, or the folder SCRIVOLA_LOK_PROGRAM_DIR
// names.
#include <optional>
#include <string>

namespace office::render {

inline constexpr char kProgramFolderVariable[] = "SCRIVOLA_LOK_PROGRAM_DIR";

std::string LokProgramFolder(const std::string& soffice);

// Why LibreOfficeKit cannot be loaded from `folder`, or nothing when its
// library is there.
std::optional<std::string> LokFolderProblem(const std::string& folder);

}  // namespace office::render
