#include "pages/SettingsSheet.h"

#include "pages/CBaseSettingDlg.h"
#include "pages/CEncryptOption.h"
#include "pages/CPropertySheetWithLogoDlg.h"
#include "pages/CSaveModeDlg.h"
#include "pages/CSetPDFInfo.h"

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
