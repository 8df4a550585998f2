#pragma once
// "PDF Info": the title, subject, author and keywords the converter writes
// into every PDF.
#include "pages/CPropertyPage.h"
#include "settings/SettingsRecords.h"

class QLineEdit;

class CSetPDFInfo : public CPropertyPage {
  public:
    static constexpr int kTemplateId = 133;
    static constexpr int kTitleEditId = 1032;
    static constexpr int kSubjectEditId = 1033;
    static constexpr int kAuthorEditId = 1034;
    static constexpr int kKeywordsEditId = 1035;

    CSetPDFInfo();
    void OnOK() override;
    const scrivola_win::PdfInfoRecord& Fields() const { return m_fields; }

  protected:
    void CreateControls(const DialogUnits& units) override;
    void OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override;

  private:
    scrivola_win::PdfInfoRecord m_fields;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_subject = nullptr;
    QLineEdit* m_author = nullptr;
    QLineEdit* m_keywords = nullptr;
};
