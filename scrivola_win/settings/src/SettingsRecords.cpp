#include "settings/SettingsRecords.h"

namespace scrivola_win {

namespace {

namespace keys = settings;

// Flags go to and from the file as the number stored, so that an undecided
// check box (2) survives a visit to its page.
CheckState ReadCheck(const FlagSetting& setting) {
    return CheckState::FromStored(
        OpenStore(setting.store)
            .ReadInt(setting.section, setting.key, DefaultCheck(setting).Stored()));
}

void WriteCheck(const FlagSetting& setting, CheckState state) {
    OpenStore(setting.store).WriteInt(setting.section, setting.key, state.Stored());
}

template <typename Mode>
Mode ReadMode(const IntSetting& setting) {
    return static_cast<Mode>(ReadSetting(setting));
}

template <typename Mode>
void WriteMode(const IntSetting& setting, Mode mode) {
    WriteSetting(setting, static_cast<int>(mode));
}

}  // namespace

BaseSettingRecord LoadBaseSetting() {
    BaseSettingRecord record;
    record.checkView = ReadCheck(keys::kCheckView);
    record.dpi = ReadSetting(keys::kDpi);
    record.pageIndex = ReadSetting(keys::kPageIndex);
    record.colorIndex = ReadSetting(keys::kColorIndex);
    record.landscape = ReadSetting(keys::kPageOrientation);
    return record;
}

void Store(const BaseSettingRecord& record) {
    WriteCheck(keys::kCheckView, record.checkView);
}

PdfInfoRecord LoadPdfInfo() {
    PdfInfoRecord record;
    record.author = ReadSetting(keys::kAuthor);
    record.subject = ReadSetting(keys::kSubject);
    record.title = ReadSetting(keys::kTitle);
    record.keywords = ReadSetting(keys::kKeywords);
    return record;
}

void Store(const PdfInfoRecord& record) {
    WriteSetting(keys::kAuthor, record.author);
    WriteSetting(keys::kSubject, record.subject);
    WriteSetting(keys::kTitle, record.title);
    WriteSetting(keys::kKeywords, record.keywords);
}

SaveModeRecord LoadSaveMode() {
    SaveModeRecord record;
    record.makeMode = ReadMode<MakePdfMode>(keys::kMakePdfMode);
    record.saveMode = ReadMode<SaveMode>(keys::kSaveMode);
    record.filenameOrPath = ReadSetting(keys::kFilenameOrPath);
    record.destinationMode = ReadMode<DestinationMode>(keys::kDestinationMode);
    return record;
}

void Store(const SaveModeRecord& record) {
    WriteMode(keys::kMakePdfMode, record.makeMode);
    WriteMode(keys::kSaveMode, record.saveMode);
    WriteSetting(keys::kFilenameOrPath, record.filenameOrPath);
    WriteMode(keys::kDestinationMode, record.destinationMode);
}

EncryptRecord LoadEncrypt() {
    EncryptRecord record;
    record.encrypt = ReadCheck(keys::kCheckEncrypt);
    record.ownerPassword = ReadSetting(keys::kOwnerPwd);
    record.userPassword = ReadSetting(keys::kUserPwd);
    record.noChange = ReadCheck(keys::kNoChange);
    record.noCopy = ReadCheck(keys::kNoCopy);
    record.noForm = ReadCheck(keys::kNoForm);
    record.noPrint = ReadCheck(keys::kNoPrint);
    record.level = ReadSetting(keys::kEncryptionLevel);
    return record;
}

void Store(const EncryptRecord& record) {
    WriteCheck(keys::kCheckEncrypt, record.encrypt);
    WriteSetting(keys::kOwnerPwd, record.ownerPassword);
    WriteSetting(keys::kUserPwd, record.userPassword);
    WriteCheck(keys::kNoChange, record.noChange);
    WriteCheck(keys::kNoCopy, record.noCopy);
    WriteCheck(keys::kNoForm, record.noForm);
    WriteCheck(keys::kNoPrint, record.noPrint);
    WriteSetting(keys::kEncryptionLevel, record.level);
}

MonitorOptionRecord LoadMonitorOption() {
    return {ReadCheck(keys::kEraseOriginalFile)};
}

void Store(const MonitorOptionRecord& record) {
    WriteSetting(keys::kEraseOriginalFile, record.eraseOriginalFile.IsOn());
}

}  // namespace scrivola_win
