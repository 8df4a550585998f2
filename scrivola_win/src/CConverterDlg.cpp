#include "CConverterDlg.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QThread>
#include <QUrl>

#include "AppIcons.h"
#include "CommandDialogs.h"
#include "DocumentRecord.h"
#include "FrontEndCommands.h"
#include "MainMenus.h"
#include "MainWindowIds.h"
#include "ProductInfo.h"
#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"
#include "settings/SettingsStore.h"
#include "widgets/CHoverIconButton.h"
#include "widgets/CPercentProgressCtrl.h"
#include "widgets/CSortListCtrl.h"
#include "widgets/DialogUnits.h"

namespace {

// The window's layout in dialog units, below the menu bar.
constexpr int kTemplateWidth = 384;
constexpr int kTemplateHeight = 233;

struct ButtonPlacement {
    int id;
    const char* caption;
    AppIconId icon;
    int x;
};

constexpr ButtonPlacement kButtons[] = {
    {ids::kAddFilesButton, "Add File(s)", AppIconId::AddFiles, 7},
    {ids::kSettingButton, "Setting", AppIconId::Setting, 60},
    {ids::kMakePdfButton, "Make PDF", AppIconId::MakePdf, 113},
    {ids::kMoveUpButton, "Move Up", AppIconId::MoveUp, 166},
    {ids::kMoveDownButton, "Move Down", AppIconId::MoveDown, 219},
    {ids::kCloseButton, "Close", AppIconId::Close, 272},
};
constexpr int kButtonTop = 175;
constexpr int kButtonWidth = 52;
constexpr int kButtonHeight = 35;
constexpr int kButtonIconSize = 32;
const QColor kButtonHoverFill(220, 220, 220);

struct ColumnHeading {
    const char* heading;
    int widthPixels;
};

constexpr ColumnHeading kColumns[] = {
    {"Filename", 150}, {"Filepath", 150}, {"Size", 80}, {"Date", 150}, {"Type", 150},
};

}  // namespace

CConverterDlg::CConverterDlg(std::shared_ptr<FrontEndCommands> commands,
                             std::shared_ptr<CommandDialogs> dialogs, QWidget* parent)
    : CSizingDialog(parent),
      m_commands(commands ? std::move(commands) : std::make_shared<FrontEndCommands>()),
      m_dialogs(dialogs ? std::move(dialogs) : std::make_shared<CommandDialogs>()) {
    setObjectName(QStringLiteral("102"));
    // Known before anything starts: the monitor converts with it.
    m_converterPath = platform::RunningProgramDirectory() + "scrivola";
    setWindowTitle(product::kCaption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);

    CreateControls();

    // Start-up, in the order the window's behaviour depends on.
    InitSizing(10);
    const QIcon appIcon = AppIcon(AppIconId::Application);
    setWindowIcon(appIcon);
    SetUpDocumentList();
    RegisterSizingControls();
    setAcceptDrops(true);
    m_progress->SetBarRange(0, 100);
    m_progress->SetShowPercentage(true);
    CenterOnScreen();
    SetUpButtons();
    m_commands->StartMonitor(*this);
    scrivola_win::HideSettingsFile();

    // Keys are taken before any control of this window sees them.
    qApp->installEventFilter(this);
}

CConverterDlg::~CConverterDlg() {
    qApp->removeEventFilter(this);
    if (m_list != nullptr) {
        m_list->DeleteAllRows();
    }
}

void CConverterDlg::CreateControls() {
    const DialogUnits du = DialogUnits::ForFont(font());

    m_menuBar = CreateMainMenuBar(this, [this](int id) { OnCommand(id); });
    m_monitorAction = m_menuBar->findChild<QAction*>(ids::Name(ids::kMonitor));
    const int menuHeight = m_menuBar->sizeHint().height();
    const QSize client = du.ToPixels(kTemplateWidth, kTemplateHeight);
    m_menuBar->setGeometry(0, 0, client.width(), menuHeight);

    const auto place = [&](QWidget* control, int x, int y, int w, int h) {
        control->setGeometry(du.ToPixels(x, y, w, h).translated(0, menuHeight));
    };

    m_list = new CSortListCtrl(this, /*sortable=*/true);
    m_list->setObjectName(ids::Name(ids::kDocumentList));
    place(m_list, 7, 7, 370, 163);

    for (const ButtonPlacement& placement : kButtons) {
        auto* button = new CHoverIconButton(QString::fromUtf8(placement.caption), this);
        button->setObjectName(ids::Name(placement.id));
        button->setAutoDefault(false);
        place(button, placement.x, kButtonTop, kButtonWidth, kButtonHeight);
        const int id = placement.id;
        connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
        m_buttons.push_back(button);
    }
    m_buttons.back()->setDefault(true);

    m_progress = new CPercentProgressCtrl(this);
    m_progress->setObjectName(ids::Name(ids::kProgressBar));
    place(m_progress, 7, 214, 370, 12);

    resize(client.width(), client.height() + menuHeight);
}

void CConverterDlg::SetUpDocumentList() {
    m_list->setShowGrid(true);
    m_list->horizontalHeader()->setSectionsMovable(true);
    m_list->SetRowComparer(&CompareDocumentRecords);
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
        m_list->InsertColumn(column, QString::fromUtf8(kColumns[column].heading),
                             kColumns[column].widthPixels, Qt::AlignLeft);
    }
    // Column 0 ascending, so the first click on it sorts descending.
    m_list->SortByColumn(scrivola_win::kFilenameColumn, false);

    connect(m_list, &CSortListCtrl::RowDoubleClicked, this, [this] { ViewSelectedDocuments(); });
    connect(m_list, &CSortListCtrl::ContextMenuRequested, this, &CConverterDlg::ShowContextMenu);
}

void CConverterDlg::RegisterSizingControls() {
    AddSizingControl(m_menuBar, widgets::kAnchorStretch, widgets::kAnchorFixed);
    AddSizingControl(m_list, widgets::kAnchorStretch, widgets::kAnchorStretch);
    for (CHoverIconButton* button : m_buttons) {
        AddSizingControl(button, widgets::kAnchorFixed, widgets::kAnchorMove);
    }
    AddSizingControl(m_progress, widgets::kAnchorStretch, widgets::kAnchorMove);
}

void CConverterDlg::CenterOnScreen() {
    if (const QScreen* current = screen()) {
        const QRect available = current->availableGeometry();
        move(available.center() - rect().center());
    }
}

void CConverterDlg::SetUpButtons() {
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        CHoverIconButton* button = m_buttons[i];
        button->SetIcons(AppIcon(kButtons[i].icon), QIcon(), kButtonIconSize, kButtonIconSize);
        button->SetHoverFillColor(kButtonHoverFill);
        button->SetFlatLook(true);
        button->SetIconPlacement(1);
    }
}

int CConverterDlg::RowCount() const {
    return m_list->RowCount();
}

QString CConverterDlg::RowText(int row, int column) const {
    return m_list->ItemText(row, column);
}

std::string CConverterDlg::RowFullPath(int row) const {
    return (RowText(row, scrivola_win::kFilepathColumn) +
            RowText(row, scrivola_win::kFilenameColumn))
        .toStdString();
}

void CConverterDlg::SortByColumn(int column, bool descending) {
    m_list->SortByColumn(column, descending);
}

void CConverterDlg::SetProgressPos(int percent) {
    if (QThread::currentThread() != thread()) {
        // Queued to the window's thread; dropped if the window is gone by then.
        QMetaObject::invokeMethod(
            this, [this, percent] { SetProgressPos(percent); }, Qt::QueuedConnection);
        return;
    }
    m_progress->SetBarPos(percent);
}

int CConverterDlg::ProgressPos() const {
    return m_progress->BarPos();
}

void CConverterDlg::SetCommandButtonsEnabled(bool enabled) {
    for (CHoverIconButton* button : m_buttons) {
        button->setEnabled(enabled);
    }
}

void CConverterDlg::SetMonitorMenuText(const QString& text) {
    if (m_monitorAction != nullptr) {
        m_monitorAction->setText(text);
    }
}

QMenu* CConverterDlg::OpenContextMenu() const {
    return m_contextMenu;
}

void CConverterDlg::ShowContextMenu(const QPoint& globalPos) {
    if (m_list->SelectedRows().empty()) {
        return;
    }
    if (m_contextMenu != nullptr) {
        m_contextMenu->close();
    }
    m_contextMenu = CreateListContextMenu(this, [this](int id) { OnCommand(id); });
    m_contextMenu->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_contextMenu, &QObject::destroyed, this, [this] { m_contextMenu = nullptr; });
    m_contextMenu->popup(globalPos);
}

void CConverterDlg::done(int result) {
    // A close asked for while Make PDF runs waits until it has returned.
    if (m_converting) {
        m_closeRequested = true;
        return;
    }
    m_commands->WindowClosing(*this);
    CSizingDialog::done(result);
}

bool CConverterDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        return HandleKey(watched, static_cast<QKeyEvent*>(event));
    }
    return CSizingDialog::eventFilter(watched, event);
}

void CConverterDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CConverterDlg::dropEvent(QDropEvent* event) {
    scrivola_win::PendingList pending;
    for (const QUrl& url : event->mimeData()->urls()) {
        const std::string path = url.toLocalFile().toStdString();
        // Dropped folders are not searched, whatever their name ends in.
        if (url.isLocalFile() && !platform::IsDirectory(path)) {
            scrivola_win::CollectDocument(path, pending);
        }
    }
    event->acceptProposedAction();
    AddDocumentsToList(pending);
}
