#include "CommandDialogs.h"

#include <QFileDialog>
#include <QStringList>
#include <memory>

#include "AddFilesRules.h"
#include "ProductInfo.h"
#include "widgets/CFolderPicker.h"

namespace {

QStringList AddFilesNameFilters() {
    QStringList filters;
    for (const scrivola_win::FileTypeFilter& filter : scrivola_win::AddFilesTypeFilters()) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns) {
            patterns << QString::fromStdString(pattern);
        }
        // Qt reads the patterns from the last parentheses; the label shows alone.
        filters << QStringLiteral("%1 (%2)").arg(QString::fromStdString(filter.label),
                                                 patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

}  // namespace

QFileDialog* CreateAddFilesDialog(QWidget* owner, const std::string& initialDir) {
    auto* dialog = new QFileDialog(owner, product::kFileDialogTitle);
    dialog->setObjectName(QStringLiteral("addFilesDialog"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFiles);
    dialog->setOption(QFileDialog::HideNameFilterDetails, true);
    dialog->setNameFilters(AddFilesNameFilters());
    dialog->selectNameFilter(dialog->nameFilters().front());
    dialog->setDefaultSuffix(QStringLiteral("PDF"));
    if (!initialDir.empty()) {
        dialog->setDirectory(QString::fromStdString(initialDir));
    }
    return dialog;
}

std::optional<std::vector<std::string>> CommandDialogs::ChooseDocuments(
    QWidget* owner, const std::string& initialDir) {
    std::unique_ptr<QFileDialog> dialog(CreateAddFilesDialog(owner, initialDir));
    if (dialog->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    std::vector<std::string> paths;
    for (const QString& path : dialog->selectedFiles()) {
        paths.push_back(path.toStdString());
    }
    return paths;
}

std::optional<std::string> CommandDialogs::ChooseFolder(QWidget* owner,
                                                        const std::string& initialFolder) {
    CFolderPicker picker(owner, product::kSelectDirectoryTitle);
    picker.SetBrowseFlags(CFolderPicker::kOnlyFileSystemDirs | CFolderPicker::kStatusText);
    picker.SetInitialFolder(QString::fromStdString(initialFolder));
    if (!picker.Browse()) {
        return std::nullopt;
    }
    return picker.Path().toStdString();
}
