#pragma once
// A modal property sheet with OK and Cancel (no Apply, no Help) that paints
// an engraved logo text at the left end of its button row. OK lets every
// page that was shown write its settings, in page order; Cancel writes
// nothing.
#include <QDialog>
#include <QFont>
#include <QString>
#include <vector>

#include "widgets/DialogUnits.h"

class CPropertyPage;
class QPushButton;
class QTabWidget;

class CPropertySheetWithLogoDlg : public QDialog {
  public:
    CPropertySheetWithLogoDlg(const QString& caption, QWidget* owner = nullptr, int firstPage = 0);

    // Pages are shown in the order they are added; the sheet owns them.
    void AddPage(CPropertyPage* page);
    void SetLogoLabel(const QString& text);
    void CreateLogoFont(const QString& face, int height, int weight, bool italic, bool underline);

    int PageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* Page(int index) const;
    QTabWidget* TabControl() const { return m_tabs; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }
    const QString& LogoLabel() const { return m_logoText; }
    const QFont& LogoFont() const { return m_logoFont; }

    void accept() override;

  protected:
    // Runs on the first display: the logo font and the first page.
    virtual void OnInitDialog();
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void ActivatePage(int index);

    QTabWidget* m_tabs;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::vector<CPropertyPage*> m_pages;
    DialogUnits m_units;
    int m_firstPage;
    int m_activePage = -1;
    bool m_initialised = false;
    QString m_logoText;
    QFont m_logoFont;
};
