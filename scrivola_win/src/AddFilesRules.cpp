#include "AddFilesRules.h"

#include <algorithm>
#include <iterator>

#include "formats/DocumentFormats.h"
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

std::string FilterLabel(std::string_view title, const std::vector<std::string>& patterns) {
    std::string label = std::string(title) + "(";
    for (std::size_t i = 0; i < patterns.size(); ++i) {
        label += (i > 0 ? ";" : "") + patterns[i];
    }
    return label + ")";
}

// The kinds the list offered from the first release on; each has an entry
// of its own.
constexpr std::string_view kFirstKinds[] = {".doc", ".rtf", ".xls", ".ppt", ".vsd"};

// Every listed extension of a family but the first kinds.
FileTypeFilter FamilyFilter(std::string_view title, formats::Family family) {
    std::vector<std::string> patterns;
    for (std::string_view extension : formats::ListedExtensions(family)) {
        if (std::find(std::begin(kFirstKinds), std::end(kFirstKinds), extension) ==
            std::end(kFirstKinds)) {
            patterns.push_back("*" + std::string(extension));
        }
    }
    return {FilterLabel(title, patterns), patterns};
}

}  // namespace

const std::vector<FileTypeFilter>& AddFilesTypeFilters() {
    static const std::vector<FileTypeFilter> filters = [] {
        using formats::Family;
        const std::vector<FileTypeFilter> families = {
            FamilyFilter("Word Documents", Family::WordProcessor),
            FamilyFilter("Spreadsheets", Family::Spreadsheet),
            FamilyFilter("Presentations", Family::Presentation),
            FamilyFilter("Diagrams", Family::Diagram),
        };
        // "ALL File" keeps its first five patterns as they always were
        // ("*doc" without its dot among them) and takes every newer one.
        std::vector<std::string> all = {"*doc", "*.rtf", "*.xls", "*.ppt", "*.vsd"};
        for (const FileTypeFilter& family : families) {
            all.insert(all.end(), family.patterns.begin(), family.patterns.end());
        }
        std::vector<FileTypeFilter> list = {
            {FilterLabel("ALL File", all), all}, {"DOC File(*.doc)", {"*.doc"}},
            {"RTF File(*.rtf)", {"*.rtf"}},      {"XLS File(*.xls)", {"*.xls"}},
            {"VSD File(*.vsd)", {"*.vsd"}},      {"PPT File(*.ppt)", {"*.ppt"}},
        };
        list.insert(list.end(), families.begin(), families.end());
        return list;
    }();
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
