#include "MonitorSheet.h"

#include "pages/CPropertySheetWithLogoDlg.h"

namespace monitor {

std::unique_ptr<CPropertySheetWithLogoDlg> CreateMonitorSheet(QWidget* owner, PairEditor editPair) {
    auto sheet = std::make_unique<CPropertySheetWithLogoDlg>(QStringLiteral("Vellixa"), owner, 0);
    sheet->SetLogoLabel(QStringLiteral("scrivola_win"));
    sheet->AddPage(new CImageManager(std::move(editPair)));
    return sheet;
}

}  // namespace monitor
