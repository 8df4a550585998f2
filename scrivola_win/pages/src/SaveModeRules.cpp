#include "SaveModeRules.h"

namespace pages {

using scrivola_win::DestinationMode;
using scrivola_win::MakePdfMode;
using scrivola_win::SaveMode;
using scrivola_win::SaveModeRecord;

void ApplySaveModeClick(SaveModeRecord& fields, int controlId) {
    switch (controlId) {
        case kCombineRadio:
            fields.makeMode = MakePdfMode::kCombineAll;
            // One combined file has no "beside the documents".
            if (fields.saveMode == SaveMode::kBesideDocuments) {
                fields.saveMode = SaveMode::kAskUser;
            }
            break;
        case kPerDocumentRadio:
            fields.makeMode = MakePdfMode::kOnePerDocument;
            break;
        case kPerFolderRadio:
            fields.makeMode = MakePdfMode::kOnePerFolder;
            break;
        case kAskRadio:
            fields.saveMode = SaveMode::kAskUser;
            break;
        case kBesideRadio:
            fields.saveMode = SaveMode::kBesideDocuments;
            break;
        case kFixedRadio:
            fields.saveMode = SaveMode::kFixedTarget;
            break;
        case kOverwriteRadio:
        case kInsertRadio:
        case kAppendRadio:
        case kRenameRadio:
            // The stored value follows the ids, not the order on screen.
            fields.destinationMode = static_cast<DestinationMode>(controlId - kOverwriteRadio);
            break;
        default:
            break;
    }
}

std::vector<ControlChange> SaveModeRefresh(const SaveModeRecord& fields) {
    std::vector<ControlChange> changes;
    const MakePdfMode make = fields.makeMode;
    if (make >= MakePdfMode::kCombineAll && make <= MakePdfMode::kOnePerFolder) {
        changes.push_back({kCombineRadio, make == MakePdfMode::kCombineAll, std::nullopt});
        changes.push_back({kPerDocumentRadio, make == MakePdfMode::kOnePerDocument, std::nullopt});
        changes.push_back({kPerFolderRadio, make == MakePdfMode::kOnePerFolder, std::nullopt});
        changes.push_back({kBesideRadio, std::nullopt, make != MakePdfMode::kCombineAll});
    }
    const SaveMode save = fields.saveMode;
    if (save >= SaveMode::kAskUser && save <= SaveMode::kFixedTarget) {
        const bool fixed = save == SaveMode::kFixedTarget;
        changes.push_back({kAskRadio, save == SaveMode::kAskUser, std::nullopt});
        changes.push_back({kBesideRadio, save == SaveMode::kBesideDocuments, std::nullopt});
        changes.push_back({kFixedRadio, fixed, std::nullopt});
        changes.push_back({kBrowseButton, std::nullopt, fixed});
        changes.push_back({kPathEdit, std::nullopt, fixed});
    }
    for (int id = kOverwriteRadio; id <= kRenameRadio; ++id) {
        changes.push_back(
            {id, static_cast<int>(fields.destinationMode) == id - kOverwriteRadio, std::nullopt});
    }
    return changes;
}

bool CheckOutputPath(SaveModeRecord& fields) {
    if (fields.saveMode != SaveMode::kFixedTarget) {
        return false;
    }
    const std::string& path = fields.filenameOrPath;
    bool fails = path.empty();
    if (!fails) {
        const bool namesFolder = path.back() == '/';
        fails = fields.makeMode == MakePdfMode::kCombineAll ? namesFolder : !namesFolder;
    }
    if (fails) {
        fields.saveMode = SaveMode::kAskUser;
    }
    return fails;
}

}  // namespace pages
