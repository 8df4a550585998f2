#pragma once
// "Base Setting": whether each finished PDF is opened for viewing.
#include "pages/CPropertyPage.h"
#include "settings/SettingsRecords.h"

class QCheckBox;

class CBaseSettingDlg : public CPropertyPage {
  public:
    static constexpr int kTemplateId = 132;
    static constexpr int kViewCheckId = 1031;

    CBaseSettingDlg();
    void OnOK() override;
    const scrivola_win::BaseSettingRecord& Fields() const { return m_fields; }

  protected:
    void CreateControls(const DialogUnits& units) override;
    void OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override;

  private:
    scrivola_win::BaseSettingRecord m_fields;
    QCheckBox* m_view = nullptr;
};
