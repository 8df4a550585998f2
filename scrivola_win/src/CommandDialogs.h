#pragma once
// The dialogs the main window's Add Files and Add Directory commands ask.
// Behind an interface so tests can answer for the user.
#include <QString>
#include <optional>
#include <string>
#include <vector>

class QFileDialog;
class QWidget;

class CommandDialogs {
  public:
    virtual ~CommandDialogs() = default;

    // Full paths of the documents chosen in the Add Files dialog; nothing
    // when it was cancelled.
    virtual std::optional<std::vector<std::string>> ChooseDocuments(QWidget* owner,
                                                                    const std::string& initialDir);
    // The folder chosen in the folder picker; nothing when cancelled.
    virtual std::optional<std::string> ChooseFolder(QWidget* owner,
                                                    const std::string& initialFolder);
};

// The Add Files dialog, set up but not shown: several existing files, the
// document type list with its first entry selected, the initial folder when
// one is given, "PDF" as default suffix.
QFileDialog* CreateAddFilesDialog(QWidget* owner, const std::string& initialDir);
