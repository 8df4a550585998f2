#pragma once
// Moving values between a page's fields and its controls. Check boxes
// exchange 0 (unchecked), 1 (checked) and 2 (undecided); the undecided look
// lasts until the user clicks the box.
#include <string>

class QCheckBox;
class QLineEdit;

namespace pages {

// Makes a click leave the undecided look behind for good.
void MakeTwoStateOnClick(QCheckBox* box);

// Fields to the box (false) or the box to the field (true). Loading a
// value outside 0..2 resets the field to 0.
void ExchangeCheck(QCheckBox* box, int& value, bool saveAndValidate);

// Plain text, as typed.
void ExchangeText(QLineEdit* edit, std::string& value, bool saveAndValidate);

}  // namespace pages
