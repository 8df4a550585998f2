#pragma once
// The monitor sheet: a property sheet with the one "Directory Monitor Tool"
// page.
#include <memory>

#include "CImageManager.h"

class CPropertySheetWithLogoDlg;
class QWidget;

namespace monitor {

std::unique_ptr<CPropertySheetWithLogoDlg> CreateMonitorSheet(
    QWidget* owner, PairEditor editPair = &EditPairInDialog);

}  // namespace monitor
