#pragma once
// The main window's menu bar and the document list's context menu. Each
// item's objectName is its command id; choosing it calls `run` with that id.
#include <functional>

class QMenu;
class QMenuBar;
class QWidget;

using CommandRunner = std::function<void(int commandId)>;

QMenuBar* CreateMainMenuBar(QWidget* parent, const CommandRunner& run);
QMenu* CreateListContextMenu(QWidget* parent, const CommandRunner& run);
