#pragma once
// The About box: the program's name and version, its maker, links to the
// maker's web page and the support address, and the build details.
#include <QDialog>
#include <QString>

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

// The build details shown in the About box, one line each.
QString AboutDetailsText();
