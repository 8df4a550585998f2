#pragma once
// Moving values between a page's fields and its controls. Check boxes
// exchange 0 (unchecked), 1 (checked) and 2 (undecided); the undecided look
// lasts until the user clicks the box.
#include <string>

#include "settings/SettingsModes.h"

class QCheckBox;
class QLineEdit;

namespace pages {

// Makes a click leave the undecided look behind for good.
void MakeTwoStateOnClick(QCheckBox* box);

// Fields to the box (false) or the box to the field (true). Loading a
// value the box cannot show resets the field to unchecked.
void ExchangeCheck(QCheckBox* box, scrivola_win::CheckState& value, bool saveAndValidate);

// Plain text, as typed.
void ExchangeText(QLineEdit* edit, std::string& value, bool saveAndValidate);

}  // namespace pages
