#include "CEncryptOption.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "EncryptOptionRules.h"
#include "pages/DataExchange.h"
#include "pages/PageControls.h"

using pages::DialogRect;

CEncryptOption::CEncryptOption()
    : CPropertyPage(kTemplateId, QStringLiteral("Encrypt Options"), QSize(289, 249)) {}

void CEncryptOption::CreateControls(const DialogUnits& units) {
    using namespace pages;
    const PageControls controls(this, units);
    const auto keep = [this](int id, QWidget* control) {
        m_controls[id] = control;
        return control;
    };
    m_encrypt = controls.CheckBox(kEncryptCheck, QStringLiteral("Encrypt PDF File"),
                                  DialogRect{7, 7, 147, 8});
    keep(kPasswordGroup, controls.GroupBox(kPasswordGroup, QStringLiteral("Specify Password"),
                                           DialogRect{7, 23, 275, 85}));
    keep(kOpenPasswordLabel,
         controls.Label(kOpenPasswordLabel, QStringLiteral("Password Required to Open Document"),
                        DialogRect{19, 36, 236, 8}));
    keep(kUserPasswordLabel, controls.Label(kUserPasswordLabel, QStringLiteral("User Password:"),
                                            DialogRect{27, 50, 67, 8}, Qt::AlignRight));
    m_userPassword = controls.Edit(kUserPasswordEdit, DialogRect{101, 48, 112, 13});
    // Passwords never show on screen.
    m_userPassword->setEchoMode(QLineEdit::Password);
    keep(kUserPasswordEdit, m_userPassword);
    keep(kChangePasswordLabel,
         controls.Label(kChangePasswordLabel,
                        QStringLiteral("Password Required to Change Permissions and Passwords"),
                        DialogRect{19, 69, 236, 8}));
    keep(kOwnerPasswordLabel,
         controls.Label(kOwnerPasswordLabel, QStringLiteral("Master Password:"),
                        DialogRect{15, 83, 79, 8}, Qt::AlignRight));
    m_ownerPassword = controls.Edit(kOwnerPasswordEdit, DialogRect{101, 82, 112, 13});
    m_ownerPassword->setEchoMode(QLineEdit::Password);
    keep(kOwnerPasswordEdit, m_ownerPassword);
    keep(kLevelGroup, controls.GroupBox(kLevelGroup, QStringLiteral("Encryption Level:"),
                                        DialogRect{7, 113, 275, 46}));
    m_level40 = controls.AutoRadio(kLevel40Radio, QStringLiteral("40-bit RC4 (Acrobat 3.x, 4.x)"),
                                   DialogRect{19, 128, 144, 8});
    keep(kLevel40Radio, m_level40);
    m_level128 = controls.AutoRadio(kLevel128Radio, QStringLiteral("128-bit RC4 (Acrobat 5.0)"),
                                    DialogRect{19, 142, 144, 8});
    keep(kLevel128Radio, m_level128);
    keep(kPermissionGroup, controls.GroupBox(kPermissionGroup, QStringLiteral("Permission"),
                                             DialogRect{7, 163, 275, 80}));
    m_noPrint = controls.CheckBox(kNoPrintCheck, QStringLiteral("No Printing"),
                                  DialogRect{21, 176, 148, 12});
    keep(kNoPrintCheck, m_noPrint);
    m_noChange = controls.CheckBox(kNoChangeCheck, QStringLiteral("No Changing the Document"),
                                   DialogRect{21, 192, 148, 12});
    keep(kNoChangeCheck, m_noChange);
    m_noCopy = controls.CheckBox(kNoCopyCheck, QStringLiteral("No Content Copying or Extraction"),
                                 DialogRect{21, 208, 148, 12});
    keep(kNoCopyCheck, m_noCopy);
    m_noForm = controls.CheckBox(kNoFormCheck, QStringLiteral("No Adding or Changing Form Fields"),
                                 DialogRect{21, 224, 148, 12});
    keep(kNoFormCheck, m_noForm);

    for (QCheckBox* box : {m_encrypt, m_noPrint, m_noChange, m_noCopy, m_noForm}) {
        MakeTwoStateOnClick(box);
    }
    connect(m_level40, &QRadioButton::clicked, this, [this] { m_fields.level = 40; });
    connect(m_level128, &QRadioButton::clicked, this, [this] { m_fields.level = 128; });
    connect(m_encrypt, &QCheckBox::clicked, this, [this] { ApplyEnablingRule(); });
}

void CEncryptOption::OnInitDialog() {
    m_fields = scrivola_win::LoadEncrypt();
    const int levelButton = pages::LevelButtonFor(m_fields.level);
    m_level40->setChecked(levelButton == pages::kLevel40Radio);
    m_level128->setChecked(levelButton == pages::kLevel128Radio);
    UpdateData(false);
    ApplyEnablingRule();
}

void CEncryptOption::DoDataExchange(bool saveAndValidate) {
    pages::ExchangeText(m_userPassword, m_fields.userPassword, saveAndValidate);
    pages::ExchangeText(m_ownerPassword, m_fields.ownerPassword, saveAndValidate);
    pages::ExchangeCheck(m_noPrint, m_fields.noPrint, saveAndValidate);
    pages::ExchangeCheck(m_noChange, m_fields.noChange, saveAndValidate);
    pages::ExchangeCheck(m_noCopy, m_fields.noCopy, saveAndValidate);
    pages::ExchangeCheck(m_noForm, m_fields.noForm, saveAndValidate);
    pages::ExchangeCheck(m_encrypt, m_fields.encrypt, saveAndValidate);
}

void CEncryptOption::ApplyEnablingRule() {
    UpdateData(true);
    const bool on = m_fields.encrypt.IsOn();
    for (const int id : pages::kEncryptionDependentControls) {
        m_controls.at(id)->setEnabled(on);
    }
}

void CEncryptOption::OnOK() {
    UpdateData(true);
    scrivola_win::Store(m_fields);
}
