#include "pages/SettingsSheet.h"

#include "CBaseSettingDlg.h"
#include "CEncryptOption.h"
#include "CSaveModeDlg.h"
#include "CSetPDFInfo.h"
#include "pages/CPropertySheetWithLogoDlg.h"

std::unique_ptr<CPropertySheetWithLogoDlg> CreateSettingsSheet(QWidget* owner) {
    auto sheet = std::make_unique<CPropertySheetWithLogoDlg>(
        QStringLiteral("Folivo Document Converter v2.1"), owner, 0);
    sheet->SetLogoLabel(QStringLiteral("Folivosoft"));
    sheet->AddPage(new CSaveModeDlg);
    sheet->AddPage(new CBaseSettingDlg);
    sheet->AddPage(new CSetPDFInfo);
    sheet->AddPage(new CEncryptOption);
    return sheet;
}

void RunSettingsCommand(QWidget* owner) {
    const std::unique_ptr<CPropertySheetWithLogoDlg> sheet = CreateSettingsSheet(owner);
    sheet->exec();
}
