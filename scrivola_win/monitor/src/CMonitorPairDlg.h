#pragma once
// "Setting": the monitored folder and the output folder of one monitor
// pair, each typed or picked with its Browse button.
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "monitor/MonitorPair.h"

class QLineEdit;
class QPushButton;

namespace monitor {

// Asks for a folder: (owner, initial folder) gives the chosen path, or
// nothing when cancelled.
using FolderChooser = std::function<std::optional<QString>(QWidget*, const QString&)>;

// The folder picker with "Please select a directory:", file-system
// folders only and a status line.
std::optional<QString> PickFolder(QWidget* owner, const QString& initialFolder);

class CMonitorPairDlg : public QDialog {
  public:
    static constexpr int kTemplateId = 1009;
    static constexpr int kMonitoredEditId = 1017;
    static constexpr int kOutputEditId = 1018;
    static constexpr int kBrowseOutputId = 1009;
    static constexpr int kBrowseMonitoredId = 1010;
    static constexpr int kOkId = 1;
    static constexpr int kCancelId = 2;
    static constexpr int kMonitoredLimit = 100;
    static constexpr int kOutputLimit = 256;

    // Both fields from `pair`; both Browse buttons start at its output folder.
    explicit CMonitorPairDlg(QWidget* owner, const MonitorPair& pair = {},
                             FolderChooser chooseFolder = &PickFolder);

    // The fields as OK left them.
    const MonitorPair& Fields() const { return m_fields; }

    // OK: the edits go to the fields with their length checks; a text over
    // its limit is reported and the dialog stays open.
    void accept() override;

  private:
    void CreateControls();
    bool DoDataExchange(bool saveAndValidate);
    void Browse(QLineEdit* target, int limit);

    MonitorPair m_fields;
    const QString m_initialFolder;
    FolderChooser m_chooseFolder;
    QLineEdit* m_monitored = nullptr;
    QLineEdit* m_output = nullptr;
};

}  // namespace monitor
