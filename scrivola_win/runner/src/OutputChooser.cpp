#include "runner/OutputChooser.h"

#include <QFileDialog>

#include "widgets/CFolderPicker.h"

namespace runner {

namespace {

// Folders come back without a trailing '/', except the root itself.
std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

}  // namespace

std::optional<std::string> ChooseOutputFolder(QWidget* owner) {
    CFolderPicker picker(owner, QStringLiteral("Please select an output directory ..."));
    picker.SetBrowseFlags(CFolderPicker::kOnlyFileSystemDirs);
    if (!picker.Browse() || picker.Path().isEmpty()) {
        return std::nullopt;
    }
    return WithoutTrailingSlash(picker.Path().toStdString());
}

std::optional<std::string> ChoosePdfSaveFile(QWidget* owner) {
    // Qt asks before an existing file is chosen unless told otherwise.
    const QString chosen = QFileDialog::getSaveFileName(owner, QString(), QString(),
                                                        QStringLiteral("PDF File(*.pdf)"));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.toStdString();
}

}  // namespace runner
