#include "AddFilesRules.h"

#include "platform/Paths.h"
#include "settings/SettingsKeys.h"

namespace scrivola_win {

namespace {

std::string FolderWithoutClosingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::size_t SelectionTextLength(const std::string& folder, const std::vector<std::string>& paths) {
    std::size_t length = folder.size() + 1;
    for (const std::string& path : paths) {
        const platform::PathParts parts = platform::SplitPath(path);
        length += parts.name.size() + parts.extension.size() + 1;
    }
    return length + 1;
}

std::string ReadRememberedFolder(const SettingsStore& store, const TextSetting& setting) {
    const std::optional<std::string> stored = store.ReadStoredString(setting.section, setting.key);
    if (!stored || stored->size() > platform::kMaxPath) {
        return std::string(setting.defaultValue);
    }
    return *stored;
}

}  // namespace

const std::vector<FileTypeFilter>& AddFilesTypeFilters() {
    static const std::vector<FileTypeFilter> filters = {
        {"ALL File(*doc;*.rtf;*.xls;*.ppt;*.vsd)", {"*doc", "*.rtf", "*.xls", "*.ppt", "*.vsd"}},
        {"DOC File(*.doc)", {"*.doc"}},
        {"RTF File(*.rtf)", {"*.rtf"}},
        {"XLS File(*.xls)", {"*.xls"}},
        {"VSD File(*.vsd)", {"*.vsd"}},
        {"PPT File(*.ppt)", {"*.ppt"}},
    };
    return filters;
}

std::optional<AddFilesResult> InterpretAddFilesSelection(
    const std::vector<std::string>& selectedPaths) {
    if (selectedPaths.empty()) {
        return std::nullopt;
    }
    const std::string folder = platform::SplitPath(selectedPaths.front()).directory;
    if (SelectionTextLength(folder, selectedPaths) > kAddFilesSelectionCapacity) {
        return std::nullopt;
    }
    AddFilesResult result;
    result.paths = selectedPaths;
    result.rememberedFolder = selectedPaths.size() == 1 ? platform::WithTrailingSlash(folder)
                                                        : FolderWithoutClosingSlash(folder);
    return result;
}

std::string AddFilesInitialDir(const SettingsStore& settingsFile) {
    return ReadRememberedFolder(settingsFile, settings::kAddFilesInitialDir);
}

void RememberAddFilesFolder(SettingsStore& settingsFile, const std::string& folder) {
    if (folder.size() > platform::kMaxPath) {
        return;
    }
    settingsFile.WriteString(settings::kAddFilesInitialDir.section,
                             settings::kAddFilesInitialDir.key, folder);
}

std::string AddDirectoryInitialDir(const SettingsStore& settingsFile) {
    return ReadRememberedFolder(settingsFile, settings::kAddDirectoryInitialDir);
}

void RememberAddDirectoryFolder(SettingsStore& settingsFile, const std::string& folder) {
    if (folder.size() > platform::kMaxPath) {
        return;
    }
    settingsFile.WriteString(settings::kAddDirectoryInitialDir.section,
                             settings::kAddDirectoryInitialDir.key, folder);
}

}  // namespace scrivola_win
