#pragma once
// The Encrypt Options page's control ids and the controls that follow the
// "Encrypt PDF File" check box.
#include <array>

namespace pages {

enum EncryptControl {
    kNoPrintCheck = 1003,
    kUserPasswordEdit = 1004,
    kOwnerPasswordEdit = 1005,
    kNoChangeCheck = 1006,
    kNoCopyCheck = 1007,
    kNoFormCheck = 1008,
    kLevel40Radio = 1010,
    kLevel128Radio = 1011,
    kEncryptCheck = 1012,
    kPasswordGroup = 1013,
    kOpenPasswordLabel = 1014,
    kUserPasswordLabel = 1015,
    kChangePasswordLabel = 1016,
    kOwnerPasswordLabel = 1017,
    kLevelGroup = 1018,
    kPermissionGroup = 1019,
};

// Enabled exactly while encryption is switched on; their values are kept
// while they are disabled.
inline constexpr std::array<int, 15> kEncryptionDependentControls = {
    kUserPasswordEdit,   kOwnerPasswordEdit, kLevel40Radio,      kLevel128Radio,
    kNoPrintCheck,       kNoChangeCheck,     kNoCopyCheck,       kNoFormCheck,
    kPasswordGroup,      kOpenPasswordLabel, kUserPasswordLabel, kChangePasswordLabel,
    kOwnerPasswordLabel, kLevelGroup,        kPermissionGroup,
};

// The level button a stored level checks: 40 and 128 have theirs, any
// other value checks neither (and is kept until a button is clicked).
inline constexpr int LevelButtonFor(int level) {
    return level == 40 ? kLevel40Radio : level == 128 ? kLevel128Radio : 0;
}

}  // namespace pages
