#include "pages/DataExchange.h"

#include <QCheckBox>
#include <QLineEdit>

#include "PageSettings.h"

namespace pages {

namespace {
constexpr int kUndecided = 2;
}

void MakeTwoStateOnClick(QCheckBox* box) {
    QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
}

void ExchangeCheck(QCheckBox* box, int& value, bool saveAndValidate) {
    if (saveAndValidate) {
        switch (box->checkState()) {
            case Qt::Checked:
                value = 1;
                break;
            case Qt::PartiallyChecked:
                value = kUndecided;
                break;
            default:
                value = 0;
                break;
        }
        return;
    }
    value = CheckBoxValue(value);
    box->setTristate(value == kUndecided);
    box->setCheckState(value == kUndecided ? Qt::PartiallyChecked
                       : value == 1        ? Qt::Checked
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
