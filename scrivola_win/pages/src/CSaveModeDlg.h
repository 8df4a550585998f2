#pragma once
// "Save Mode": how the list becomes PDF files (one combined file, one per
// document, one per folder), where they go, and what happens when an output
// already exists.
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "pages/CPropertyPage.h"
#include "settings/SettingsRecords.h"

class QAbstractButton;
class QLineEdit;
class QPushButton;

class CSaveModeDlg : public CPropertyPage {
  public:
    static constexpr int kTemplateId = 107;

    using WarningFunction = std::function<void(QWidget* owner, const QString& text)>;
    using ChooseFunction = std::function<std::optional<std::string>(QWidget* owner)>;

    CSaveModeDlg();

    // The warning box and the two Browse dialogs; tests replace them.
    void SetWarningFunction(WarningFunction warn) { m_warn = std::move(warn); }
    void SetSaveFileChooser(ChooseFunction choose) { m_chooseFile = std::move(choose); }
    void SetFolderChooser(ChooseFunction choose) { m_chooseFolder = std::move(choose); }

    void OnOK() override;
    const scrivola_win::SaveModeRecord& Fields() const { return m_fields; }

  protected:
    void CreateControls(const DialogUnits& units) override;
    void OnInitDialog() override;
    void DoDataExchange(bool saveAndValidate) override;

  private:
    void OnRadioClicked(int id);
    void OnBrowse();
    void Refresh();
    QWidget* Control(int id) const;

    scrivola_win::SaveModeRecord m_fields;
    std::map<int, QWidget*> m_controls;
    QLineEdit* m_path = nullptr;
    WarningFunction m_warn;
    ChooseFunction m_chooseFile;
    ChooseFunction m_chooseFolder;
};
