#include "SaveModeRules.h"

namespace pages {

namespace {

constexpr int kMakeCombine = 0;
constexpr int kSaveAsk = 0;
constexpr int kSaveBeside = 1;
constexpr int kSaveFixed = 2;

}  // namespace

void ApplySaveModeClick(SaveModeFields& fields, int controlId) {
    switch (controlId) {
        case kCombineRadio:
            fields.makeMode = kMakeCombine;
            // One combined file has no "beside the documents".
            if (fields.saveMode == kSaveBeside) {
                fields.saveMode = kSaveAsk;
            }
            break;
        case kPerDocumentRadio:
            fields.makeMode = 1;
            break;
        case kPerFolderRadio:
            fields.makeMode = 2;
            break;
        case kAskRadio:
            fields.saveMode = kSaveAsk;
            break;
        case kBesideRadio:
            fields.saveMode = kSaveBeside;
            break;
        case kFixedRadio:
            fields.saveMode = kSaveFixed;
            break;
        case kOverwriteRadio:
        case kInsertRadio:
        case kAppendRadio:
        case kRenameRadio:
            // The stored value follows the ids, not the order on screen.
            fields.destinationMode = controlId - kOverwriteRadio;
            break;
        default:
            break;
    }
}

std::vector<ControlChange> SaveModeRefresh(const SaveModeFields& fields) {
    std::vector<ControlChange> changes;
    if (fields.makeMode >= 0 && fields.makeMode <= 2) {
        changes.push_back({kCombineRadio, fields.makeMode == 0, std::nullopt});
        changes.push_back({kPerDocumentRadio, fields.makeMode == 1, std::nullopt});
        changes.push_back({kPerFolderRadio, fields.makeMode == 2, std::nullopt});
        changes.push_back({kBesideRadio, std::nullopt, fields.makeMode != kMakeCombine});
    }
    if (fields.saveMode >= kSaveAsk && fields.saveMode <= kSaveFixed) {
        const bool fixed = fields.saveMode == kSaveFixed;
        changes.push_back({kAskRadio, fields.saveMode == kSaveAsk, std::nullopt});
        changes.push_back({kBesideRadio, fields.saveMode == kSaveBeside, std::nullopt});
        changes.push_back({kFixedRadio, fixed, std::nullopt});
        changes.push_back({kBrowseButton, std::nullopt, fixed});
        changes.push_back({kPathEdit, std::nullopt, fixed});
    }
    for (int id = kOverwriteRadio; id <= kRenameRadio; ++id) {
        changes.push_back({id, fields.destinationMode == id - kOverwriteRadio, std::nullopt});
    }
    return changes;
}

bool CheckOutputPath(SaveModeFields& fields) {
    if (fields.saveMode != kSaveFixed) {
        return false;
    }
    const std::string& path = fields.filenameOrPath;
    bool fails = path.empty();
    if (!fails) {
        const bool namesFolder = path.back() == '/';
        fails = fields.makeMode == kMakeCombine ? namesFolder : !namesFolder;
    }
    if (fails) {
        fields.saveMode = kSaveAsk;
    }
    return fails;
}

}  // namespace pages
