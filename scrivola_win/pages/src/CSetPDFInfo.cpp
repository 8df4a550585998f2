#include "CSetPDFInfo.h"

#include <QLineEdit>

#include "pages/DataExchange.h"
#include "pages/PageControls.h"

using pages::DialogRect;
using pages::kNoId;

CSetPDFInfo::CSetPDFInfo()
    : CPropertyPage(kTemplateId, QStringLiteral("PDF Info"), QSize(259, 219)) {}

void CSetPDFInfo::CreateControls(const DialogUnits& units) {
    const pages::PageControls controls(this, units);
    const Qt::Alignment right = Qt::AlignRight;
    controls.Label(kNoId, QStringLiteral("Title:"), DialogRect{15, 31, 37, 8}, right);
    m_title = controls.Edit(kTitleEditId, DialogRect{54, 30, 190, 12});
    controls.Label(kNoId, QStringLiteral("Subject:"), DialogRect{15, 62, 37, 8}, right);
    m_subject = controls.Edit(kSubjectEditId, DialogRect{54, 61, 190, 12});
    controls.Label(kNoId, QStringLiteral("Author:"), DialogRect{15, 93, 37, 8}, right);
    m_author = controls.Edit(kAuthorEditId, DialogRect{54, 92, 190, 12});
    controls.Label(kNoId, QStringLiteral("Keywords:"), DialogRect{15, 124, 37, 8}, right);
    m_keywords = controls.Edit(kKeywordsEditId, DialogRect{54, 123, 190, 12});
}

void CSetPDFInfo::OnInitDialog() {
    m_fields = scrivola_win::LoadPdfInfo();
    UpdateData(false);
}

void CSetPDFInfo::DoDataExchange(bool saveAndValidate) {
    pages::ExchangeText(m_author, m_fields.author, saveAndValidate);
    pages::ExchangeText(m_subject, m_fields.subject, saveAndValidate);
    pages::ExchangeText(m_title, m_fields.title, saveAndValidate);
    pages::ExchangeText(m_keywords, m_fields.keywords, saveAndValidate);
}

void CSetPDFInfo::OnOK() {
    UpdateData(true);
    scrivola_win::Store(m_fields);
}
