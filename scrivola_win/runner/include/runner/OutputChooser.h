#pragma once
// The dialogs that ask where Make PDF writes its outputs.
#include <optional>
#include <string>

class QWidget;

namespace runner {

// Asks for a folder, titled "Please select an output directory ...". The
// chosen folder without a trailing '/' (except the root), or nothing when
// cancelled.
std::optional<std::string> ChooseOutputFolder(QWidget* owner);

// The save dialog for one PDF file ("PDF File(*.pdf)", confirming before an
// existing file is chosen). The full path, or nothing when cancelled.
std::optional<std::string> ChoosePdfSaveFile(QWidget* owner);

// The runner asks through this, so tests can answer without a dialog.
class OutputChooser {
  public:
    virtual ~OutputChooser() = default;
    virtual std::optional<std::string> SaveFile(QWidget* owner) = 0;
    virtual std::optional<std::string> Folder(QWidget* owner) = 0;
};

class DialogOutputChooser : public OutputChooser {
  public:
    std::optional<std::string> SaveFile(QWidget* owner) override {
        return ChoosePdfSaveFile(owner);
    }
    std::optional<std::string> Folder(QWidget* owner) override { return ChooseOutputFolder(owner); }
};

}  // namespace runner
