#pragma once
// The main window: the document list, six command buttons, the progress bar
// and the menu bar. The user collects documents, orders them and hands them
// to the conversion runner with Make PDF.
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "scrivola_win/DocumentCollector.h"
#include "widgets/CSizingDialog.h"

class CHoverIconButton;
class CPercentProgressCtrl;
class CSortListCtrl;
class CommandDialogs;
class FrontEndCommands;
class QAction;
class QMenu;
class QMenuBar;

class CConverterDlg : public CSizingDialog {
    Q_OBJECT
  public:
    explicit CConverterDlg(std::shared_ptr<FrontEndCommands> commands = {},
                           std::shared_ptr<CommandDialogs> dialogs = {}, QWidget* parent = nullptr);
    ~CConverterDlg() override;

    // Runs the command with this id, whatever triggered it (button, menu
    // item, key). Unknown ids do nothing; false then.
    bool OnCommand(int commandId);

    // The commands of the command table.
    void AddFilesCommand();
    void AddDirectoryCommand();
    void AddDocumentsToList(const scrivola_win::PendingList& paths);
    void ViewSelectedDocuments();
    void DeleteSelectedItems();
    void DeleteAllItems();
    void MoveSelectionUp();
    void MoveSelectionDown();
    void SelectAllItems();
    void MakePdfCommand();
    void ShowAboutBox();

    // For the conversion runner and the monitor.
    int RowCount() const;
    QString RowText(int row, int column) const;
    // Filepath text followed by Filename text.
    std::string RowFullPath(int row) const;
    void SortByColumn(int column, bool descending);
    // From any thread; from others the change is queued to the window.
    void SetProgressPos(int percent);
    int ProgressPos() const;
    void SetCommandButtonsEnabled(bool enabled);
    // The console converter beside this program.
    const std::string& ConverterPath() const { return m_converterPath; }
    void SetMonitorMenuText(const QString& text);
    bool IsConverting() const { return m_converting; }

    CSortListCtrl* DocumentList() const { return m_list; }
    CPercentProgressCtrl* ProgressBar() const { return m_progress; }
    QMenuBar* MainMenuBar() const { return m_menuBar; }
    // The list's context menu while it is open, else nullptr.
    QMenu* OpenContextMenu() const;

    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void CreateControls();
    void SetUpDocumentList();
    void SetUpButtons();
    void RegisterSizingControls();
    void CenterOnScreen();
    void ShowContextMenu(const QPoint& globalPos);
    bool HandleKey(QObject* receiver, QKeyEvent* event);

    std::shared_ptr<FrontEndCommands> m_commands;
    std::shared_ptr<CommandDialogs> m_dialogs;
    QMenuBar* m_menuBar = nullptr;
    QAction* m_monitorAction = nullptr;
    CSortListCtrl* m_list = nullptr;
    CPercentProgressCtrl* m_progress = nullptr;
    std::vector<CHoverIconButton*> m_buttons;
    QMenu* m_contextMenu = nullptr;
    std::string m_converterPath;
    bool m_converting = false;
    bool m_closeRequested = false;
};
