#include "pages/DataExchange.h"

#include <QCheckBox>
#include <QLineEdit>

namespace pages {

void MakeTwoStateOnClick(QCheckBox* box) {
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
}

void ExchangeCheck(QCheckBox* box, scrivola_win::CheckState& value, bool saveAndValidate) {
    using scrivola_win::CheckBoxState;
    if (saveAndValidate) {
        switch (box->checkState()) {
            case Qt::Checked:
                value = CheckBoxState::kChecked;
                break;
            case Qt::PartiallyChecked:
                value = CheckBoxState::kUndecided;
                break;
            default:
                value = CheckBoxState::kUnchecked;
                break;
        }
        return;
    }
    const CheckBoxState shown = value.Shown();
    value = shown;
    box->setTristate(shown == CheckBoxState::kUndecided);
    box->setCheckState(shown == CheckBoxState::kUndecided ? Qt::PartiallyChecked
                       : shown == CheckBoxState::kChecked ? Qt::Checked
                                                          : Qt::Unchecked);
}

void ExchangeText(QLineEdit* edit, std::string& value, bool saveAndValidate) {
    if (saveAndValidate) {
        value = edit->text().toStdString();
    } else {
        edit->setText(QString::fromStdString(value));
    }
}

}  // namespace pages
