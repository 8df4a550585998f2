#include "EditTextLimit.h"

#include <QLineEdit>
#include <algorithm>

namespace monitor {

namespace {

// QLineEdit cuts its text to the maximum length, so the maximum never goes
// below the text there.
void FitMaxLength(QLineEdit* edit, int limit, int textLength) {
    edit->setMaxLength(std::max(limit, textLength));
}

}  // namespace

void SetEditTextLimit(QLineEdit* edit, int limit) {
    FitMaxLength(edit, limit, static_cast<int>(edit->text().size()));
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, limit](const QString& text) {
        FitMaxLength(edit, limit, static_cast<int>(text.size()));
    });
}

void SetLimitedEditText(QLineEdit* edit, const QString& text, int limit) {
    FitMaxLength(edit, limit, static_cast<int>(text.size()));
    edit->setText(text);
}

}  // namespace monitor
