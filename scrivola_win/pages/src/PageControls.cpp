#include "pages/PageControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace pages {

QString ControlName(int id) {
    return QString::number(id);
}

void PageControls::Place(QWidget* control, int id, DialogRect rect) const {
    if (id != kNoId) {
        control->setObjectName(ControlName(id));
    }
    m_units.Place(control, rect.x, rect.y, rect.width, rect.height);
}

QGroupBox* PageControls::GroupBox(int id, const QString& text, DialogRect rect) const {
    auto* box = new QGroupBox(text, m_page);
    Place(box, id, rect);
    box->lower();  // the page's other controls sit on top of its frame
    return box;
}

QLabel* PageControls::Label(int id, const QString& text, DialogRect rect,
                            Qt::Alignment alignment) const {
    auto* label = new QLabel(text, m_page);
    label->setAlignment(alignment | Qt::AlignVCenter);
    Place(label, id, rect);
    return label;
}

QCheckBox* PageControls::CheckBox(int id, const QString& text, DialogRect rect) const {
    auto* box = new QCheckBox(text, m_page);
    Place(box, id, rect);
    return box;
}

QRadioButton* PageControls::ManualRadio(int id, const QString& text, DialogRect rect) const {
    auto* radio = new QRadioButton(text, m_page);
    radio->setAutoExclusive(false);
    Place(radio, id, rect);
    return radio;
}

QRadioButton* PageControls::AutoRadio(int id, const QString& text, DialogRect rect) const {
    auto* radio = new QRadioButton(text, m_page);
    Place(radio, id, rect);
    return radio;
}

QLineEdit* PageControls::Edit(int id, DialogRect rect) const {
    auto* edit = new QLineEdit(m_page);
    Place(edit, id, rect);
    return edit;
}

QPushButton* PageControls::Button(int id, const QString& text, DialogRect rect) const {
    auto* button = new QPushButton(text, m_page);
    button->setAutoDefault(false);
    Place(button, id, rect);
    return button;
}

}  // namespace pages
