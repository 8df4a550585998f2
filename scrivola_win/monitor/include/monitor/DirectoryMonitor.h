#pragma once
// The directory monitor as the main window sees it: started at start-up
// when pairs are stored, restarted when the monitor sheet closes with OK,
// stopped when the window closes, and shown in the File menu's text.
#include <QString>
#include <memory>
#include <string>

#include "monitor/MonitorThread.h"
#include "monitor/RunnerMonitorConverter.h"

class QMenuBar;
class QObject;
class QWidget;

namespace monitor {

// The command that opens the monitor sheet.
inline constexpr int kMonitorCommandId = 32788;

// The monitor command's menu text while the monitor runs or not.
QString MonitorMenuText(bool running);

class DirectoryMonitor {
  public:
    // Construct on the UI thread. The monitor's conversion progress goes to
    // `setProgress` on the UI thread while `window` exists.
    DirectoryMonitor(QObject* window, ProgressSetter setProgress,
                     std::string converterPath = DefaultConverterPath());
    // Converts through `converter` (tests).
    explicit DirectoryMonitor(std::shared_ptr<MonitorConverter> converter);
    // Stops the monitor as StopDirectoryMonitor does.
    ~DirectoryMonitor();
    DirectoryMonitor(const DirectoryMonitor&) = delete;
    DirectoryMonitor& operator=(const DirectoryMonitor&) = delete;

    // Stops the monitor, reloads the stored pairs and starts a thread when
    // there are any. True when a thread was started. A thread that cannot
    // be created is reported in a message box owned by `window`.
    bool StartDirectoryMonitor(QWidget* window);
    // Asks the thread to stop and waits at most 2000 ms; a thread still
    // converting then finishes and ends by itself.
    void StopDirectoryMonitor();
    bool IsRunning() const { return m_thread.IsRunning(); }

    // The text of the monitor command in the menu bar's first menu.
    void UpdateMonitorMenuText(QMenuBar* menuBar) const;

    // The monitor command: the monitor sheet, modal; OK restarts the
    // monitor from the stored list; the menu text is refreshed either way.
    void MonitorCommand(QWidget* window, QMenuBar* menuBar);

  private:
    std::shared_ptr<MonitorConverter> m_converter;
    MonitorThread m_thread;
};

}  // namespace monitor
