#include "pages/CPropertyPage.h"

#include <QWidget>

CPropertyPage::CPropertyPage(int templateId, const QString& caption, QSize templateSize)
    : m_templateId(templateId), m_caption(caption), m_templateSize(templateSize) {}

void CPropertyPage::OnSetActive(const DialogUnits& units) {
    if (!m_created) {
        m_created = true;
        CreateControls(units);
        ShowCreatedControls();
        OnInitDialog();
        return;
    }
    UpdateData(false);
}

void CPropertyPage::ShowCreatedControls() {
    // The controls are made while the sheet is already on screen, and children
    // added to a visible widget stay hidden until shown. Controls a page hid on
    // purpose keep their state.
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!control->testAttribute(Qt::WA_WState_ExplicitShowHide)) {
            control->show();
        }
    }
}

bool CPropertyPage::OnKillActive() {
    return UpdateData(true);
}

bool CPropertyPage::UpdateData(bool saveAndValidate) {
    DoDataExchange(saveAndValidate);
    return true;
}
