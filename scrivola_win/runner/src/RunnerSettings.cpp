#include "runner/RunnerSettings.h"

#include "settings/SettingsKeys.h"

namespace runner {

namespace keys = scrivola_win::settings;
using scrivola_win::ReadSetting;

int PermissionBits(const EncryptionSettings& encryption) {
    int bits = 0;
    if (!encryption.noPrint) {
        bits += 4;
    }
    if (!encryption.noChange) {
        bits += 8;
    }
    if (!encryption.noCopy) {
        bits += 16;
    }
    if (!encryption.noForm) {
        bits += 32;
    }
    return bits;
}

const std::string& EffectiveOwnerPassword(const EncryptionSettings& encryption) {
    return encryption.ownerPassword.empty() ? encryption.userPassword : encryption.ownerPassword;
}

MakePdfSettings ReadMakePdfSettings() {
    MakePdfSettings settings;
    settings.makeMode = ReadSetting(keys::kMakePdfMode);
    settings.saveMode = ReadSetting(keys::kSaveMode);
    settings.filenameOrPath = ReadSetting(keys::kFilenameOrPath);
    return settings;
}

ConverterOptions ReadConverterOptions() {
    ConverterOptions options;
    options.destinationMode = ReadSetting(keys::kDestinationMode);
    options.pageIndex = ReadSetting(keys::kPageIndex);
    options.landscape = ReadSetting(keys::kPageOrientation);
    options.colorIndex = ReadSetting(keys::kColorIndex);
    options.dpi = ReadSetting(keys::kDpi);
    options.author = ReadSetting(keys::kAuthor);
    options.subject = ReadSetting(keys::kSubject);
    options.title = ReadSetting(keys::kTitle);
    options.keywords = ReadSetting(keys::kKeywords);
    return options;
}

bool ReadViewAfterConversion() {
    return ReadSetting(keys::kCheckView);
}

EncryptionSettings ReadEncryptionSettings() {
    EncryptionSettings encryption;
    encryption.encrypt = ReadSetting(keys::kCheckEncrypt);
    if (!encryption.encrypt) {
        return encryption;
    }
    encryption.ownerPassword = ReadSetting(keys::kOwnerPwd);
    encryption.userPassword = ReadSetting(keys::kUserPwd);
    encryption.noChange = ReadSetting(keys::kNoChange);
    encryption.noCopy = ReadSetting(keys::kNoCopy);
    encryption.noForm = ReadSetting(keys::kNoForm);
    encryption.noPrint = ReadSetting(keys::kNoPrint);
    encryption.level = ReadSetting(keys::kEncryptionLevel);
    return encryption;
}

}  // namespace runner
