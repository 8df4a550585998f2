#pragma once
// Controls of the settings pages, each placed at its dialog-unit rectangle
// and named by its numeric id so tests and code find it by id.
#include <QString>
#include <Qt>

#include "widgets/DialogUnits.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace pages {

// Controls without an id in their dialog template.
inline constexpr int kNoId = -1;

struct DialogRect {
    int x;
    int y;
    int width;
    int height;
};

class PageControls {
  public:
    PageControls(QWidget* page, DialogUnits units) : m_page(page), m_units(units) {}

    QGroupBox* GroupBox(int id, const QString& text, DialogRect rect) const;
    QLabel* Label(int id, const QString& text, DialogRect rect,
                  Qt::Alignment alignment = Qt::AlignLeft) const;
    QCheckBox* CheckBox(int id, const QString& text, DialogRect rect) const;
    // Radio buttons that the page checks itself (not exclusive by themselves).
    QRadioButton* ManualRadio(int id, const QString& text, DialogRect rect) const;
    // Radio buttons that uncheck their siblings when clicked.
    QRadioButton* AutoRadio(int id, const QString& text, DialogRect rect) const;
    QLineEdit* Edit(int id, DialogRect rect) const;
    QPushButton* Button(int id, const QString& text, DialogRect rect) const;

  private:
    void Place(QWidget* control, int id, DialogRect rect) const;
    QWidget* m_page;
    DialogUnits m_units;
};

// The object name a control with this id carries.
QString ControlName(int id);

}  // namespace pages
