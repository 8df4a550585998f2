#pragma once
// The service's LibreOffice profile. LibreOffice notes the version it last
// ran as once its start centre has opened; LibreOfficeKit opens none, so
// each start would take the office for freshly upgraded and re-run its
// graphics self-tests, seconds of processor time. The service notes the
// version itself before starting the office.
#include <optional>
#include <string>
#include <string_view>

namespace office::render {

// The version ("7.4") in the installation's configuration beside the program
// folder, or nothing when it cannot be read.
std::optional<std::string> InstalledOfficeVersion(const std::string& programFolder);

// The profile's settings with `version` as the last version run: `settings`
// is the current text of the settings file ("" when there is none).
std::string WithLastVersion(std::string_view settings, const std::string& version);

// Applies WithLastVersion to the profile's settings file; false when it
// cannot be written.
bool NoteLastVersion(const std::string& profileFolder, const std::string& version);

}  // namespace office::render
