#include "monitor/DirectoryMonitor.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "MonitorPairStore.h"
#include "MonitorSheet.h"
#include "pages/CPropertySheetWithLogoDlg.h"

namespace monitor {

QString MonitorMenuText(bool running) {
    return running ? QStringLiteral("&Monitor A Special Directory (Running) ...")
                   : QStringLiteral("&Monitor A Special Directory (Stoped) ...");
}

DirectoryMonitor::DirectoryMonitor(QObject* window, ProgressSetter setProgress,
                                   std::string converterPath)
    : m_converter(RunnerMonitorConverter::Create(std::move(converterPath), window,
                                                 std::move(setProgress))) {}

DirectoryMonitor::DirectoryMonitor(std::shared_ptr<MonitorConverter> converter)
    : m_converter(std::move(converter)) {}

DirectoryMonitor::~DirectoryMonitor() {
    StopDirectoryMonitor();
}

bool DirectoryMonitor::StartDirectoryMonitor(QWidget* window) {
    StopDirectoryMonitor();
    std::vector<MonitorPair> pairs = LoadMonitorPairs();
    if (pairs.empty()) {
        return false;
    }
    if (!m_thread.Start(std::move(pairs), m_converter)) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"),
                        QStringLiteral("Create 'Monitor Directory' thread error."), QMessageBox::Ok,
                        window);
        box.exec();
        return false;
    }
    return true;
}

void DirectoryMonitor::StopDirectoryMonitor() {
    m_thread.Stop(kStopWait);
}

void DirectoryMonitor::UpdateMonitorMenuText(QMenuBar* menuBar) const {
    if (menuBar == nullptr) {
        return;
    }
    QMenu* fileMenu = nullptr;
    for (QAction* action : menuBar->actions()) {
        if (action->menu() != nullptr) {
            fileMenu = action->menu();
            break;
        }
    }
    if (fileMenu == nullptr) {
        return;
    }
    const QString commandName = QString::number(kMonitorCommandId);
    for (QAction* item : fileMenu->actions()) {
        if (item->objectName() == commandName) {
            item->setText(MonitorMenuText(IsRunning()));
        }
    }
}

void DirectoryMonitor::MonitorCommand(QWidget* window, QMenuBar* menuBar) {
    const std::unique_ptr<CPropertySheetWithLogoDlg> sheet = CreateMonitorSheet(window);
    if (sheet->exec() == QDialog::Accepted) {
        StartDirectoryMonitor(window);
    }
    UpdateMonitorMenuText(menuBar);
}

}  // namespace monitor
