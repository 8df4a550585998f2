#include "widgets/CFolderPicker.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/Paths.h"

namespace {

// A folder can be confirmed when it is a real directory whose path fits the
// system's path fields.
bool IsUsableFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir() &&
           static_cast<std::size_t>(path.toUtf8().size()) <= platform::kMaxPath;
}

}  // namespace

CFolderPicker::CFolderPicker(QWidget* owner, const QString& title)
    : m_owner(owner), m_title(title) {}

void CFolderPicker::SetOwner(QWidget* owner) {
    if (m_browser.isNull()) {
        m_owner = owner;
    }
}

void CFolderPicker::SetBrowseFlags(unsigned flags) {
    if (m_browser.isNull()) {
        m_flags = flags;
    }
}

void CFolderPicker::SetInitialFolder(const QString& path) {
    m_initialFolder = path;
}

bool CFolderPicker::Browse() {
    QDialog browser(m_owner);
    browser.setObjectName(QStringLiteral("folderPicker"));
    browser.setWindowTitle(QStringLiteral("Browse for Folder"));

    auto* title = new QLabel(m_title, &browser);
    title->setObjectName(QStringLiteral("title"));
    title->setWordWrap(true);

    auto* status = new QLabel(&browser);
    status->setObjectName(QStringLiteral("statusText"));
    status->setTextFormat(Qt::PlainText);
    status->setVisible((m_flags & kStatusText) != 0);

    auto* folders = new QFileSystemModel(&browser);
    folders->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    folders->setRootPath(QString());

    auto* tree = new QTreeView(&browser);
    tree->setObjectName(QStringLiteral("folderTree"));
    tree->setModel(folders);
    tree->setHeaderHidden(true);
    for (int column = 1; column < folders->columnCount(); ++column) {
        tree->hideColumn(column);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &browser);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &browser, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &browser, &QDialog::reject);

    auto* layout = new QVBoxLayout(&browser);
    layout->addWidget(title);
    layout->addWidget(status);
    layout->addWidget(tree, 1);
    layout->addWidget(buttons);
    browser.resize(320, 400);

    const bool onlyFileSystem = (m_flags & kOnlyFileSystemDirs) != 0;
    auto selectedPath = [folders, tree] {
        const QModelIndex current = tree->currentIndex();
        return current.isValid() ? folders->filePath(current) : QString();
    };
    auto updateState = [&, status, ok] {
        const QString path = selectedPath();
        status->setText(path);
        ok->setEnabled(onlyFileSystem ? IsUsableFolder(path) : !path.isEmpty());
    };
    QObject::connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, &browser,
                     updateState);

    // The initial folder when there is one, else the top of the tree; the
    // status line always shows what is selected.
    QModelIndex start;
    if (!m_initialFolder.isEmpty()) {
        start = folders->index(QDir::cleanPath(m_initialFolder));
    }
    if (!start.isValid()) {
        start = folders->index(QDir::rootPath());
    }
    updateState();
    tree->setCurrentIndex(start);
    tree->scrollTo(start);

    m_browser = &browser;
    const bool confirmed = browser.exec() == QDialog::Accepted;
    bool chosen = false;
    if (confirmed) {
        m_path.clear();
        const QString path = selectedPath();
        if (IsUsableFolder(path)) {
            m_path = path;
            chosen = true;
        }
    }
    m_browser = nullptr;
    return chosen;
}
