#pragma once
// A page of a property sheet. The page's controls are made and its
// settings read the first time the sheet shows it; a page never shown
// stays empty and writes nothing.
#include <QSize>
#include <QString>
#include <QWidget>

#include "widgets/DialogUnits.h"

class CPropertyPage : public QWidget {
  public:
    // The template's caption (the tab's label) and size in dialog units.
    CPropertyPage(int templateId, const QString& caption, QSize templateSize);

    int TemplateId() const { return m_templateId; }
    const QString& Caption() const { return m_caption; }
    QSize TemplateSize() const { return m_templateSize; }
    bool IsCreated() const { return m_created; }

    // Called by the sheet each time the page comes to the front; the first
    // time it makes the controls and runs OnInitDialog, later it shows the
    // fields again.
    void OnSetActive(const DialogUnits& units);
    // Called when the page loses the front: the controls go to the fields.
    // False keeps the page in front.
    virtual bool OnKillActive();
    // The sheet's OK, for a page that was shown; writes the page's settings.
    virtual void OnOK() {}

  protected:
    virtual void CreateControls(const DialogUnits& units) = 0;
    // Reads the page's settings and shows them.
    virtual void OnInitDialog() = 0;
    // Fields to controls (false) or controls to fields (true).
    virtual void DoDataExchange(bool saveAndValidate) = 0;
    bool UpdateData(bool saveAndValidate);

  private:
    void ShowCreatedControls();

    int m_templateId;
    QString m_caption;
    QSize m_templateSize;
    bool m_created = false;
};
