#pragma once
// Every section and key the front end keeps, with its store and default.
// The settings records (settings/SettingsRecords.h) and the remaining
// readers name their settings through these constants, never through string
// literals of their own.
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace scrivola_win {

enum class StoreKind { SettingsFile, ApplicationProfile };

SettingsStore OpenStore(StoreKind kind);

struct IntSetting {
    StoreKind store;
    std::string_view section;
    std::string_view key;
    int defaultValue;
};

// Stored as "0" or "1"; any non-zero stored value reads as on.
struct FlagSetting {
    StoreKind store;
    std::string_view section;
    std::string_view key;
    bool defaultValue;
};

struct TextSetting {
    StoreKind store;
    std::string_view section;
    std::string_view key;
    std::string_view defaultValue;
};

int ReadSetting(const IntSetting& setting);
bool ReadSetting(const FlagSetting& setting);
std::string ReadSetting(const TextSetting& setting);
bool WriteSetting(const IntSetting& setting, int value);
bool WriteSetting(const FlagSetting& setting, bool on);
bool WriteSetting(const TextSetting& setting, std::string_view value);

namespace settings {

inline constexpr std::string_view kBaseSettingSection = "BaseSettingDlg";
inline constexpr std::string_view kPdfInfoSection = "SetPDFInfo";
inline constexpr std::string_view kSaveModeSection = "SaveMode";
inline constexpr std::string_view kEncryptSection = "EncryptPDF";
// Two distinct sections, spelled so: Add Files uses the first, Add Directory the second.
inline constexpr std::string_view kAddFilesSection = "Parameter";
inline constexpr std::string_view kAddDirectorySection = "Paramter";
inline constexpr std::string_view kMonitorListSection = "ImageManage";
inline constexpr std::string_view kMonitorOptionSection = "scrivola_win";

constexpr StoreKind kProfile = StoreKind::ApplicationProfile;
constexpr StoreKind kFile = StoreKind::SettingsFile;

// Base Setting page and the runner's own keys.
inline constexpr FlagSetting kCheckView{kProfile, kBaseSettingSection, "m_bCheckView", true};
inline constexpr TextSetting kDpi{kProfile, kBaseSettingSection, "m_szDPI", "default"};
inline constexpr IntSetting kPageIndex{kProfile, kBaseSettingSection, "m_iPageIndex", 7};
inline constexpr IntSetting kColorIndex{kProfile, kBaseSettingSection, "m_iColorIndex", 2};
inline constexpr FlagSetting kPageOrientation{kProfile, kBaseSettingSection, "m_bPageOrientation",
                                              false};

// PDF Info page.
inline constexpr TextSetting kTitle{kProfile, kPdfInfoSection, "m_szTitle", ""};
inline constexpr TextSetting kSubject{kProfile, kPdfInfoSection, "m_szSubject", ""};
inline constexpr TextSetting kAuthor{kProfile, kPdfInfoSection, "m_szAuthor", ""};
inline constexpr TextSetting kKeywords{kProfile, kPdfInfoSection, "m_szKeywords", ""};

// Save Mode page.
inline constexpr IntSetting kMakePdfMode{kProfile, kSaveModeSection, "m_iMakePDFMode", 0};
inline constexpr IntSetting kSaveMode{kProfile, kSaveModeSection, "m_iSaveMode", 0};
inline constexpr TextSetting kFilenameOrPath{kProfile, kSaveModeSection, "m_szFilenameORPath", ""};
inline constexpr IntSetting kDestinationMode{kProfile, kSaveModeSection, "m_iDestinationMode", 0};

// Encrypt Options page.
inline constexpr FlagSetting kCheckEncrypt{kProfile, kEncryptSection, "m_bCheckEncrypt", false};
inline constexpr TextSetting kOwnerPwd{kProfile, kEncryptSection, "OwnerPwd", ""};
inline constexpr TextSetting kUserPwd{kProfile, kEncryptSection, "UserPwd", ""};
inline constexpr FlagSetting kNoPrint{kProfile, kEncryptSection, "m_bNoPrint", false};
inline constexpr FlagSetting kNoChange{kProfile, kEncryptSection, "m_bNoChange", false};
inline constexpr FlagSetting kNoCopy{kProfile, kEncryptSection, "m_bNoCopy", false};
inline constexpr FlagSetting kNoForm{kProfile, kEncryptSection, "m_bNoForm", false};
inline constexpr IntSetting kEncryptionLevel{kProfile, kEncryptSection, "m_iEncryptionLevel", 40};

// Folders remembered by the main window's Add Files and Add Directory.
inline constexpr TextSetting kAddFilesInitialDir{kFile, kAddFilesSection, "InitialDir", ""};
inline constexpr TextSetting kAddDirectoryInitialDir{kFile, kAddDirectorySection, "InitialDir", ""};

// Directory monitor.
inline constexpr IntSetting kDirectoryNum{kFile, kMonitorListSection, "DirectoryNum", 0};
inline constexpr FlagSetting kEraseOriginalFile{kFile, kMonitorOptionSection,
                                                "m_bEraseOriginalFile", false};
// "ImageDirectoryAttribName%02d" and "ImageDirectory%02d" of monitor pair
// `index` (zero-based, at least two digits); both in kMonitorListSection of
// the settings file, empty by default.
std::string ImageDirectoryAttribNameKey(int index);
std::string ImageDirectoryKey(int index);

}  // namespace settings

}  // namespace scrivola_win
