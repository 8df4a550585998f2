#include "settings/SettingsKeys.h"

#include <cstdio>

namespace scrivola_win {

SettingsStore OpenStore(StoreKind kind) {
    return kind == StoreKind::SettingsFile ? SettingsStore::SettingsFile()
                                           : SettingsStore::ApplicationProfile();
}

int ReadSetting(const IntSetting& setting) {
    return OpenStore(setting.store).ReadInt(setting.section, setting.key, setting.defaultValue);
}

bool ReadSetting(const FlagSetting& setting) {
    return OpenStore(setting.store)
               .ReadInt(setting.section, setting.key, setting.defaultValue ? 1 : 0) != 0;
}

std::string ReadSetting(const TextSetting& setting) {
    return OpenStore(setting.store).ReadString(setting.section, setting.key, setting.defaultValue);
}

bool WriteSetting(const IntSetting& setting, int value) {
    return OpenStore(setting.store).WriteInt(setting.section, setting.key, value);
}

bool WriteSetting(const FlagSetting& setting, bool on) {
    return OpenStore(setting.store).WriteInt(setting.section, setting.key, on ? 1 : 0);
}

bool WriteSetting(const TextSetting& setting, std::string_view value) {
    return OpenStore(setting.store).WriteString(setting.section, setting.key, value);
}

namespace settings {

namespace {

std::string NumberedKey(const char* prefix, int index) {
    char number[16];
    std::snprintf(number, sizeof number, "%02d", index);
    return std::string(prefix) + number;
}

}  // namespace

std::string ImageDirectoryAttribNameKey(int index) {
    return NumberedKey("ImageDirectoryAttribName", index);
}

std::string ImageDirectoryKey(int index) {
    return NumberedKey("ImageDirectory", index);
}

}  // namespace settings

}  // namespace scrivola_win
