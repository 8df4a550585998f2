#pragma once
// A modal folder browser: a tree of the file system's folders, a status
// line with the selected folder's path, OK and Cancel. It opens at the
// initial folder, or at the top of the tree when there is none.
#include <QPointer>
#include <QString>

class QDialog;
class QWidget;

class CFolderPicker {
  public:
    enum BrowseFlag : unsigned {
        kOnlyFileSystemDirs = 0x0001,  // only folders with a path can be confirmed
        kStatusText = 0x0004,          // show the status line
    };

    CFolderPicker(QWidget* owner, const QString& title);

    // Setters have no effect while the browser is open.
    void SetOwner(QWidget* owner);
    void SetBrowseFlags(unsigned flags);
    void SetInitialFolder(const QString& path);

    // Shows the browser modally. True when the user confirmed a folder with
    // a file-system path; the path is then available from Path().
    bool Browse();
    QString Path() const { return m_path; }
    // The open browser, nullptr while none is open (tests drive it).
    QDialog* BrowserWindow() const { return m_browser; }

  private:
    QWidget* m_owner;
    QString m_title;
    unsigned m_flags = 0;
    QString m_path;
    QString m_initialFolder;
    QPointer<QDialog> m_browser;
};
