#pragma once
// The Save Mode page's rules: what each click does to the fields, which
// controls show what after a change, and the output-path check on OK.
#include <optional>
#include <string_view>
#include <vector>

#include "settings/SettingsRecords.h"

namespace pages {

// Control ids of the Save Mode page.
enum SaveModeControl {
    kCombineRadio = 1020,
    kPerDocumentRadio = 1021,
    kPerFolderRadio = 1022,
    kAskRadio = 1023,
    kBesideRadio = 1024,
    kFixedRadio = 1025,
    kBrowseButton = 1026,
    kPathEdit = 1027,
    kOverwriteRadio = 1041,
    kInsertRadio = 1042,
    kAppendRadio = 1043,
    kRenameRadio = 1044,
};

inline constexpr std::string_view kOutputPathWarning =
    "Please double check the output filename or directory, thanks!";

// What a click on one of the page's radio buttons does to the fields.
void ApplySaveModeClick(scrivola_win::SaveModeRecord& fields, int controlId);

// One control's new state; a missing part stays as it is.
struct ControlChange {
    int id;
    std::optional<bool> checked;
    std::optional<bool> enabled;
    friend bool operator==(const ControlChange&, const ControlChange&) = default;
};

// The refresh step: the changes that make the controls show the fields.
// Values outside their ranges leave their group's controls as they are.
std::vector<ControlChange> SaveModeRefresh(const scrivola_win::SaveModeRecord& fields);

// The check on OK: in save mode 2 the path must be given, and must name a
// folder (ending with '/') in make modes 1 and 2 and a file (not ending
// with '/') in make mode 0. A failing path sets save mode 0 and returns
// true, asking for the warning; the path itself is kept as typed.
bool CheckOutputPath(scrivola_win::SaveModeRecord& fields);

}  // namespace pages
