#include "CBaseSettingDlg.h"

#include <QCheckBox>

#include "pages/DataExchange.h"
#include "pages/PageControls.h"

using pages::DialogRect;
using pages::kNoId;

CBaseSettingDlg::CBaseSettingDlg()
    : CPropertyPage(kTemplateId, QStringLiteral("Base Setting"), QSize(241, 220)) {}

void CBaseSettingDlg::CreateControls(const DialogUnits& units) {
    const pages::PageControls controls(this, units);
    controls.GroupBox(kNoId, QString(), DialogRect{7, 53, 227, 32});
    m_view = controls.CheckBox(kViewCheckId, QStringLiteral("View after conversion"),
                               DialogRect{50, 65, 141, 8});
    pages::MakeTwoStateOnClick(m_view);
}

void CBaseSettingDlg::OnInitDialog() {
    m_fields = scrivola_win::LoadBaseSetting();
    UpdateData(false);
}

void CBaseSettingDlg::DoDataExchange(bool saveAndValidate) {
    pages::ExchangeCheck(m_view, m_fields.checkView, saveAndValidate);
}

void CBaseSettingDlg::OnOK() {
    UpdateData(true);
    scrivola_win::Store(m_fields);
}
