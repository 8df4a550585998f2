#pragma once
// "Encrypt Options": whether converted PDF files are encrypted, with which
// passwords, at which level and with which restrictions.
#include <map>

#include "pages/CPropertyPage.h"
#include "settings/SettingsRecords.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

class CEncryptOption : public CPropertyPage {
  public:
    static constexpr int kTemplateId = 131;

    CEncryptOption();
    void OnOK() override;
    const scrivola_win::EncryptRecord& Fields() const { return m_fields; }

  protected:
    void CreateControls(const DialogUnits& units) override;
    void OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override;

  private:
    void ApplyEnablingRule();

    scrivola_win::EncryptRecord m_fields;
    std::map<int, QWidget*> m_controls;
    QCheckBox* m_encrypt = nullptr;
    QLineEdit* m_userPassword = nullptr;
    QLineEdit* m_ownerPassword = nullptr;
    QRadioButton* m_level40 = nullptr;
    QRadioButton* m_level128 = nullptr;
    QCheckBox* m_noPrint = nullptr;
    QCheckBox* m_noChange = nullptr;
    QCheckBox* m_noCopy = nullptr;
    QCheckBox* m_noForm = nullptr;
};
