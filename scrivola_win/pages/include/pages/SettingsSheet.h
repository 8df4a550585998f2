#pragma once
// The settings command of the main window ("Setting" button and
// "&Settings..." menu item): the settings sheet with its four pages.
#include <memory>

class CPropertySheetWithLogoDlg;
class QWidget;

// The sheet with Save Mode, Base Setting, PDF Info and Encrypt Options, in
// that order, not yet shown.
std::unique_ptr<CPropertySheetWithLogoDlg> CreateSettingsSheet(QWidget* owner);

// Shows the sheet modally; whatever OK saves, the pages have saved.
void RunSettingsCommand(QWidget* owner);
