// The document list driven through the real main window.
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>

#include "DocumentRecord.h"
#include "MainWindowFixture.h"
#include "settings/SettingsKeys.h"
#include "widgets/CHoverIconButton.h"

namespace {

using scrivola_win::kDateColumn;
using scrivola_win::kFilenameColumn;
using scrivola_win::kFilepathColumn;
using scrivola_win::kSizeColumn;
using Names = std::vector<std::string>;

TEST_F(WinMainWindowTest, AddFilesAppendsRowsAndRemembersTheFolder) {
    const std::string docs = (m_home.Files() / "docs").string();
    const std::string big = MakeFile("docs/big.XLS", 123456);
    const std::string small = MakeFile("docs/small.doc", 999);
    const std::string overlong = "/" + std::string(300, 'l') + ".doc";

    AddFiles({big, small, overlong});
    EXPECT_EQ(Column(kFilenameColumn), (Names{"big.XLS", "small.doc"}));
    EXPECT_EQ(Column(kFilepathColumn), (Names{docs + "/", docs + "/"}));
    EXPECT_EQ(Column(kSizeColumn), (Names{"  123 KB", "    0 KB"}));
    EXPECT_FALSE(List().ItemText(0, kDateColumn).isEmpty());
    EXPECT_FALSE(List().ItemText(0, scrivola_win::kTypeColumn).isEmpty());
    EXPECT_FALSE(List().ItemIcon(0).isNull());
    EXPECT_EQ(m_window->RowFullPath(1), small);
    EXPECT_EQ(scrivola_win::ReadSetting(scrivola_win::settings::kAddFilesInitialDir), docs);

    // One file: its folder with the closing slash; same file twice gives two rows.
    AddFiles({small});
    EXPECT_EQ(Column(kFilenameColumn), (Names{"big.XLS", "small.doc", "small.doc"}));
    EXPECT_EQ(scrivola_win::ReadSetting(scrivola_win::settings::kAddFilesInitialDir), docs + "/");
    EXPECT_EQ(scrivola_win::ReadSetting(scrivola_win::settings::kAddDirectoryInitialDir), "");

    // The dialog opens in the remembered folder; cancelling changes nothing.
    m_window->AddFilesCommand();
    EXPECT_EQ(m_dialogs->lastInitialDir, docs + "/");
    EXPECT_EQ(List().RowCount(), 3);
}

TEST_F(WinMainWindowTest, EveryAddFilesTriggerAsksForDocuments) {
    Control<CHoverIconButton>(ids::kAddFilesButton)->click();
    m_window->findChild<QAction*>(ids::Name(ids::kAddFiles))->trigger();
    Key(&List(), Qt::Key_Insert);
    m_window->OnCommand(ids::kContextAddFiles);
    EXPECT_EQ(m_dialogs->documentQuestions, 4);
    EXPECT_EQ(List().RowCount(), 0);
}

TEST_F(WinMainWindowTest, AddDirectoryListsNestedDocumentsAndRemembersItsOwnFolder) {
    MakeFile("tree/a.doc");
    MakeFile("tree/skip.txt");
    MakeFile("tree/inner/b.rtf");
    m_dialogs->folderAnswers.push_back((m_home.Files() / "tree").string());
    m_window->findChild<QAction*>(ids::Name(ids::kAddDirectory))->trigger();

    Names names = Column(kFilenameColumn);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"a.doc", "b.rtf"}));
    EXPECT_EQ(scrivola_win::ReadSetting(scrivola_win::settings::kAddDirectoryInitialDir),
              (m_home.Files() / "tree").string());
    EXPECT_EQ(scrivola_win::ReadSetting(scrivola_win::settings::kAddFilesInitialDir), "");

    m_window->AddDirectoryCommand();  // cancelled
    EXPECT_EQ(m_dialogs->lastInitialDir, (m_home.Files() / "tree").string());
    EXPECT_EQ(List().RowCount(), 2);
}

TEST_F(WinMainWindowTest, HeaderClicksSortDescendingFirstAndNewRowsGoToTheEnd) {
    AddFiles({MakeFile("b.doc", 5000), MakeFile("A.doc", 90000), MakeFile("c.doc", 200)});
    ASSERT_EQ(List().SortHeader()->SortColumn(), kFilenameColumn);
    EXPECT_FALSE(List().SortHeader()->IsDescending());

    ClickHeader(kSizeColumn);
    EXPECT_EQ(Column(kFilenameColumn), (Names{"A.doc", "b.doc", "c.doc"}));
    EXPECT_EQ(List().SortHeader()->SortColumn(), kSizeColumn);
    EXPECT_TRUE(List().SortHeader()->IsDescending());

    ClickHeader(kSizeColumn);
    EXPECT_EQ(Column(kFilenameColumn), (Names{"c.doc", "b.doc", "A.doc"}));

    ClickHeader(kFilenameColumn);
    EXPECT_EQ(Column(kFilenameColumn), (Names{"c.doc", "b.doc", "A.doc"}));
    ClickHeader(kFilenameColumn);
    EXPECT_EQ(Column(kFilenameColumn), (Names{"A.doc", "b.doc", "c.doc"}));

    AddFiles({MakeFile("0.doc")});
    EXPECT_EQ(Column(kFilenameColumn), (Names{"A.doc", "b.doc", "c.doc", "0.doc"}));

    m_window->SortByColumn(kFilenameColumn, true);
    EXPECT_EQ(Column(kFilenameColumn), (Names{"c.doc", "b.doc", "A.doc", "0.doc"}));
}

TEST_F(WinMainWindowTest, MovingCarriesTextsIconAndRecordAndSelectsOnlyTheMovedRow) {
    AddFiles({MakeFile("r0.doc"), MakeFile("r1.xls"), MakeFile("r2.ppt"), MakeFile("r3.doc")});
    const qint64 xlsIcon = List().ItemIcon(1).cacheKey();

    Select({0});
    Control<CHoverIconButton>(ids::kMoveUpButton)->click();
    EXPECT_EQ(Column(kFilenameColumn), (Names{"r0.doc", "r1.xls", "r2.ppt", "r3.doc"}));
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{0});

    Select({1, 3});
    Key(&List(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Column(kFilenameColumn), (Names{"r0.doc", "r2.ppt", "r1.xls", "r3.doc"}));
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{2});
    EXPECT_EQ(List().ItemIcon(2).cacheKey(), xlsIcon);
    const auto* record = dynamic_cast<const DocumentRecord*>(List().Record(2));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Texts()[kFilenameColumn], "r1.xls");

    Key(&List(), Qt::Key_O, Qt::ControlModifier);
    m_window->findChild<QAction*>(ids::Name(ids::kMoveUpButton))->trigger();
    EXPECT_EQ(Column(kFilenameColumn), (Names{"r1.xls", "r0.doc", "r2.ppt", "r3.doc"}));
    m_window->OnCommand(ids::kContextMoveDown);
    Control<CHoverIconButton>(ids::kMoveDownButton)->click();
    EXPECT_EQ(Column(kFilenameColumn), (Names{"r0.doc", "r2.ppt", "r1.xls", "r3.doc"}));
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{2});
}

TEST_F(WinMainWindowTest, DeleteSelectAllAndDeleteAll) {
    AddFiles({MakeFile("r0.doc"), MakeFile("r1.doc"), MakeFile("r2.doc"), MakeFile("r3.doc"),
              MakeFile("r4.doc")});
    Select({0, 2, 4});
    Key(&List(), Qt::Key_Delete);
    EXPECT_EQ(Column(kFilenameColumn), (Names{"r1.doc", "r3.doc"}));

    Key(Control(ids::kCloseButton), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 1}));
    m_window->findChild<QAction*>(ids::Name(ids::kDeleteSelected))->trigger();
    EXPECT_EQ(List().RowCount(), 0);

    AddFiles({MakeFile("r5.doc"), MakeFile("r6.doc")});
    m_window->findChild<QAction*>(ids::Name(ids::kDeleteAll))->trigger();
    EXPECT_EQ(List().RowCount(), 0);
}

TEST_F(WinMainWindowTest, EnterAndDoubleClickOpenTheSelectedDocuments) {
    const std::string first = MakeFile("one.doc");
    const std::string second = MakeFile("two.rtf");
    AddFiles({first, MakeFile("skipped.xls"), second});

    List().ClearRowSelection();
    Key(&List(), Qt::Key_Return);
    EXPECT_TRUE(OpenedPaths().empty());

    Select({0, 2});
    Key(Control(ids::kCloseButton), Qt::Key_Return);
    EXPECT_EQ(OpenedPaths(), (Names{first, second}));
    EXPECT_TRUE(m_window->isVisible()) << "Enter never presses the Close button";

    Select({2});
    emit List().RowDoubleClicked(2);
    EXPECT_EQ(OpenedPaths(), (Names{first, second, second}));
}

TEST_F(WinMainWindowTest, KeyHandlerSendsNavigationToTheListAndSwallowsEscape) {
    AddFiles({MakeFile("r0.doc"), MakeFile("r1.doc"), MakeFile("r2.doc")});
    List().setCurrentIndex(List().model()->index(0, 0));
    QWidget* closeButton = Control(ids::kCloseButton);
    closeButton->setFocus();

    Key(closeButton, Qt::Key_Down);
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{1});
    Key(closeButton, Qt::Key_Escape);
    EXPECT_TRUE(m_window->isVisible());
    Key(&List(), Qt::Key_End);
    EXPECT_EQ(List().SelectedRows(), std::vector<int>{1}) << "End does not move the selection";
}

TEST_F(WinMainWindowTest, ContextMenuOpensOnlyWithASelection) {
    AddFiles({MakeFile("r0.doc"), MakeFile("r1.doc")});
    const auto rightClick = [&](QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, List().viewport()->mapToGlobal(at));
        QApplication::sendEvent(List().viewport(), &event);
    };

    List().ClearRowSelection();
    rightClick(QPoint(5, List().viewport()->height() - 5));
    EXPECT_EQ(m_window->OpenContextMenu(), nullptr);

    Select({1});
    rightClick(QPoint(5, 5));
    QMenu* menu = m_window->OpenContextMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    QStringList itemIds;
    for (QAction* action : menu->actions()) {
        itemIds << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    }
    EXPECT_EQ(itemIds.join(QLatin1Char(' ')),
              QStringLiteral("32775 32771 32773 32774 - 32796 32797"));

    menu->findChild<QAction*>(ids::Name(ids::kContextMoveUp))->trigger();
    EXPECT_EQ(Column(kFilenameColumn), (Names{"r1.doc", "r0.doc"}));
    menu->close();
    QApplication::processEvents();
    EXPECT_EQ(m_window->OpenContextMenu(), nullptr);
}

TEST_F(WinMainWindowTest, DropsAddOnlyDocumentFiles) {
    const std::string report = MakeFile("drop/report.DOC");
    MakeFile("drop/folder.doc/inside.doc");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(report)),
                  QUrl::fromLocalFile(QString::fromStdString(MakeFile("drop/notes.txt"))),
                  QUrl::fromLocalFile(QString::fromStdString((m_home.Files() / "drop").string())),
                  QUrl::fromLocalFile(
                      QString::fromStdString((m_home.Files() / "drop/folder.doc").string()))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_window.get(), &drop);
    EXPECT_EQ(Column(kFilenameColumn), Names{"report.DOC"});
}

}  // namespace
