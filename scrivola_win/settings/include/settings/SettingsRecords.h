#pragma once
// One record per section of the application profile (and the monitor's
// option in the settings file). The settings pages, the runner and the
// monitor all read these records; each Load goes to the file afresh, so a
// change saved on the settings sheet applies to the next use. Defaults come
// from the key index.
#include <string>

#include "settings/SettingsKeys.h"
#include "settings/SettingsModes.h"

namespace scrivola_win {

// A flag's default, as the number a missing key reads as.
constexpr CheckState DefaultCheck(const FlagSetting& setting) {
    return CheckState::FromStored(setting.defaultValue ? 1 : 0);
}

// [BaseSettingDlg]
struct BaseSettingRecord {
    CheckState checkView = DefaultCheck(settings::kCheckView);
    // The runner's own keys; no page edits them.
    std::string dpi{settings::kDpi.defaultValue};
    int pageIndex = settings::kPageIndex.defaultValue;
    int colorIndex = settings::kColorIndex.defaultValue;
    bool landscape = settings::kPageOrientation.defaultValue;

    friend bool operator==(const BaseSettingRecord&, const BaseSettingRecord&) = default;
};
BaseSettingRecord LoadBaseSetting();
// Writes only m_bCheckView, the Base Setting page's one key: the runner's
// keys are never written, so a profile without them keeps its defaults.
void Store(const BaseSettingRecord& record);

// [SetPDFInfo]
struct PdfInfoRecord {
    std::string author;
    std::string subject;
    std::string title;
    std::string keywords;

    friend bool operator==(const PdfInfoRecord&, const PdfInfoRecord&) = default;
};
PdfInfoRecord LoadPdfInfo();
// Empty texts are written as empty values, not removed.
void Store(const PdfInfoRecord& record);

// [SaveMode]
struct SaveModeRecord {
    MakePdfMode makeMode = static_cast<MakePdfMode>(settings::kMakePdfMode.defaultValue);
    SaveMode saveMode = static_cast<SaveMode>(settings::kSaveMode.defaultValue);
    std::string filenameOrPath{settings::kFilenameOrPath.defaultValue};
    DestinationMode destinationMode =
        static_cast<DestinationMode>(settings::kDestinationMode.defaultValue);

    friend bool operator==(const SaveModeRecord&, const SaveModeRecord&) = default;
};
SaveModeRecord LoadSaveMode();
void Store(const SaveModeRecord& record);

// [EncryptPDF]
struct EncryptRecord {
    CheckState encrypt = DefaultCheck(settings::kCheckEncrypt);
    std::string ownerPassword{settings::kOwnerPwd.defaultValue};
    std::string userPassword{settings::kUserPwd.defaultValue};
    CheckState noChange = DefaultCheck(settings::kNoChange);
    CheckState noCopy = DefaultCheck(settings::kNoCopy);
    CheckState noForm = DefaultCheck(settings::kNoForm);
    CheckState noPrint = DefaultCheck(settings::kNoPrint);
    // Key bits; the engine takes 128 as 128-bit, anything else as 40-bit.
    int level = settings::kEncryptionLevel.defaultValue;

    friend bool operator==(const EncryptRecord&, const EncryptRecord&) = default;
};
EncryptRecord LoadEncrypt();
void Store(const EncryptRecord& record);

// [scrivola_win] of the settings file: the directory monitor's option.
struct MonitorOptionRecord {
    CheckState eraseOriginalFile = DefaultCheck(settings::kEraseOriginalFile);

    friend bool operator==(const MonitorOptionRecord&, const MonitorOptionRecord&) = default;
};
MonitorOptionRecord LoadMonitorOption();
// The monitor page stores its flag as 0 or 1, never as undecided.
void Store(const MonitorOptionRecord& record);

}  // namespace scrivola_win
