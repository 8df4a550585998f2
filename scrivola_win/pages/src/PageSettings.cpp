#include "PageSettings.h"

#include "settings/SettingsKeys.h"

namespace pages {

namespace {

namespace keys = scrivola_win::settings;
using scrivola_win::FlagSetting;
using scrivola_win::OpenStore;
using scrivola_win::ReadSetting;
using scrivola_win::WriteSetting;

// Flags are read and written as the integers the check boxes hold, so a
// stored 2 survives a visit to the page.
int ReadFlagValue(const FlagSetting& setting, int defaultValue) {
    return OpenStore(setting.store).ReadInt(setting.section, setting.key, defaultValue);
}

int ReadFlagValue(const FlagSetting& setting) {
    return ReadFlagValue(setting, setting.defaultValue ? 1 : 0);
}

void WriteFlagValue(const FlagSetting& setting, int value) {
    OpenStore(setting.store).WriteInt(setting.section, setting.key, value);
}

}  // namespace

int CheckBoxValue(int stored) {
    return stored >= 0 && stored <= 2 ? stored : 0;
}

BaseSettingFields LoadBaseSetting(const BaseSettingFields& current) {
    return {ReadFlagValue(keys::kCheckView, current.checkView)};
}

void StoreBaseSetting(const BaseSettingFields& fields) {
    WriteFlagValue(keys::kCheckView, fields.checkView);
}

PdfInfoFields LoadPdfInfo() {
    PdfInfoFields fields;
    fields.author = ReadSetting(keys::kAuthor);
    fields.subject = ReadSetting(keys::kSubject);
    fields.title = ReadSetting(keys::kTitle);
    fields.keywords = ReadSetting(keys::kKeywords);
    return fields;
}

void StorePdfInfo(const PdfInfoFields& fields) {
    WriteSetting(keys::kAuthor, fields.author);
    WriteSetting(keys::kSubject, fields.subject);
    WriteSetting(keys::kTitle, fields.title);
    WriteSetting(keys::kKeywords, fields.keywords);
}

SaveModeFields LoadSaveMode() {
    SaveModeFields fields;
    fields.makeMode = ReadSetting(keys::kMakePdfMode);
    fields.saveMode = ReadSetting(keys::kSaveMode);
    fields.filenameOrPath = ReadSetting(keys::kFilenameOrPath);
    fields.destinationMode = ReadSetting(keys::kDestinationMode);
    return fields;
}

void StoreSaveMode(const SaveModeFields& fields) {
    WriteSetting(keys::kMakePdfMode, fields.makeMode);
    WriteSetting(keys::kSaveMode, fields.saveMode);
    WriteSetting(keys::kFilenameOrPath, fields.filenameOrPath);
    WriteSetting(keys::kDestinationMode, fields.destinationMode);
}

EncryptFields LoadEncrypt() {
    EncryptFields fields;
    fields.encrypt = ReadFlagValue(keys::kCheckEncrypt);
    fields.ownerPassword = ReadSetting(keys::kOwnerPwd);
    fields.userPassword = ReadSetting(keys::kUserPwd);
    fields.noChange = ReadFlagValue(keys::kNoChange);
    fields.noCopy = ReadFlagValue(keys::kNoCopy);
    fields.noForm = ReadFlagValue(keys::kNoForm);
    fields.noPrint = ReadFlagValue(keys::kNoPrint);
    fields.level = ReadSetting(keys::kEncryptionLevel);
    return fields;
}

void StoreEncrypt(const EncryptFields& fields) {
    WriteFlagValue(keys::kCheckEncrypt, fields.encrypt);
    WriteSetting(keys::kOwnerPwd, fields.ownerPassword);
    WriteSetting(keys::kUserPwd, fields.userPassword);
    WriteFlagValue(keys::kNoChange, fields.noChange);
    WriteFlagValue(keys::kNoCopy, fields.noCopy);
    WriteFlagValue(keys::kNoForm, fields.noForm);
    WriteFlagValue(keys::kNoPrint, fields.noPrint);
    WriteSetting(keys::kEncryptionLevel, fields.level);
}

}  // namespace pages
