#include "pages/CPropertyPage.h"

CPropertyPage::CPropertyPage(int templateId, const QString& caption, QSize templateSize)
    : m_templateId(templateId), m_caption(caption), m_templateSize(templateSize) {}

void CPropertyPage::OnSetActive(const DialogUnits& units) {
    if (!m_created) {
        m_created = true;
        CreateControls(units);
        OnInitDialog();
        return;
    }
    UpdateData(false);
}

bool CPropertyPage::OnKillActive() {
    return UpdateData(true);
}

bool CPropertyPage::UpdateData(bool saveAndValidate) {
    DoDataExchange(saveAndValidate);
    return true;
}
