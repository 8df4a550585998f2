#pragma once
// Control and command identifiers of the main window and the About box.
// Each control's and each menu item's identifier is its objectName, so the
// commands can be found and triggered by id.
#include <QString>

namespace ids {

// Main window controls.
inline constexpr int kDocumentList = 1001;
inline constexpr int kAddFilesButton = 1002;
inline constexpr int kSettingButton = 1003;
inline constexpr int kMakePdfButton = 1004;
inline constexpr int kProgressBar = 1036;
inline constexpr int kMoveUpButton = 1043;    // also the Edit menu's "Move &Up"
inline constexpr int kMoveDownButton = 1044;  // also the Edit menu's "Move &Down"
inline constexpr int kCloseButton = 1;        // the dialog's OK

// Menu bar commands.
inline constexpr int kExit = 32777;
inline constexpr int kSettings = 32778;
inline constexpr int kAddFiles = 32785;
inline constexpr int kMonitor = 32788;
inline constexpr int kAddDirectory = 32799;
inline constexpr int kViewDocuments = 32771;
inline constexpr int kDeleteSelected = 32773;
inline constexpr int kDeleteAll = 32774;
inline constexpr int kHelp = 32779;
inline constexpr int kTechnicalSupport = 32782;
inline constexpr int kWebPage = 32783;
inline constexpr int kAbout = 32784;

// Context-menu commands that differ from the menu bar's.
inline constexpr int kContextAddFiles = 32775;
inline constexpr int kContextMoveUp = 32796;
inline constexpr int kContextMoveDown = 32797;

// Menus.
inline constexpr int kMainMenu = 141;
inline constexpr int kContextMenu = 129;

// About box.
inline constexpr int kWebLink = 1004;
inline constexpr int kMailLink = 1005;
inline constexpr int kAboutDetails = 1046;
inline constexpr int kAboutOk = 1;

inline QString Name(int id) {
    return QString::number(id);
}

}  // namespace ids
