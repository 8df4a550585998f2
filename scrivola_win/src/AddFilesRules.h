#pragma once
// What the Add Files and Add Directory commands show and remember, apart
// from the dialogs themselves.
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace scrivola_win {

struct FileTypeFilter {
    std::string label;
    std::vector<std::string> patterns;
};

// The Add Files type list, first entry preselected. The first pattern is
// "*doc" without a dot, so it also shows names that merely end in "doc".
const std::vector<FileTypeFilter>& AddFilesTypeFilters();

// Room for the selection text: the folder and every chosen name, each
// ended by a terminator, plus the final one.
inline constexpr std::size_t kAddFilesSelectionCapacity = 20000;

struct AddFilesResult {
    std::vector<std::string> paths;  // in the order the dialog returned them
    // Folder written back to InitialDir: without its closing '/' for several
    // files (except the root), with it for a single file.
    std::string rememberedFolder;
};

// Interprets the full paths an open-file dialog returned. Nothing when the
// dialog returned none or the selection would not fit its capacity.
std::optional<AddFilesResult> InterpretAddFilesSelection(
    const std::vector<std::string>& selectedPaths);

// The folder the Add Files dialog opens in: the remembered one, or empty
// (the dialog's own choice) when none is stored or the stored value is
// longer than a path can be, since a cut path would name another folder.
std::string AddFilesInitialDir(const SettingsStore& settingsFile);
// Folders longer than a path can be are not remembered.
void RememberAddFilesFolder(SettingsStore& settingsFile, const std::string& folder);

// The same for the folder preselected by Add Directory.
std::string AddDirectoryInitialDir(const SettingsStore& settingsFile);
void RememberAddDirectoryFolder(SettingsStore& settingsFile, const std::string& folder);

}  // namespace scrivola_win
