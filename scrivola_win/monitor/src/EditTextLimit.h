#pragma once
// A text limit on an edit as the platform's edits have it: typing stops at
// the limit, but a longer text put there by the program is kept whole (and
// refused when the dialog checks it), never cut.
#include <QString>

class QLineEdit;

namespace monitor {

// Call after the edit's first text has been set.
void SetEditTextLimit(QLineEdit* edit, int limit);

// Replaces the text of an edit limited so, without cutting it.
void SetLimitedEditText(QLineEdit* edit, const QString& text, int limit);

}  // namespace monitor
