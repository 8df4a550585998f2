// The main window's commands: what each button, menu item and key does.
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <filesystem>
#include <memory>

#include "AddFilesRules.h"
#include "CAboutDlg.h"
#include "CConverterDlg.h"
#include "CommandDialogs.h"
#include "DocumentListAccess.h"
#include "DocumentRecord.h"
#include "FileTypeInfo.h"
#include "FrontEndCommands.h"
#include "MainKeyMap.h"
#include "MainWindowIds.h"
#include "ProductInfo.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "platform/Shell.h"
#include "settings/SettingsStore.h"
#include "widgets/CPercentProgressCtrl.h"
#include "widgets/CSortListCtrl.h"

namespace {

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

}  // namespace

bool CConverterDlg::OnCommand(int commandId) {
    switch (commandId) {
        case ids::kAddFilesButton:
        case ids::kAddFiles:
        case ids::kContextAddFiles:
            AddFilesCommand();
            return true;
        case ids::kAddDirectory:
            AddDirectoryCommand();
            return true;
        case ids::kSettingButton:
        case ids::kSettings:
            m_commands->OpenSettings(*this);
            return true;
        case ids::kMonitor:
            m_commands->OpenMonitor(*this);
            return true;
        case ids::kMakePdfButton:
            MakePdfCommand();
            return true;
        case ids::kViewDocuments:
            ViewSelectedDocuments();
            return true;
        case ids::kDeleteSelected:
            DeleteSelectedItems();
            return true;
        case ids::kDeleteAll:
            DeleteAllItems();
            return true;
        case ids::kMoveUpButton:
        case ids::kContextMoveUp:
            MoveSelectionUp();
            return true;
        case ids::kMoveDownButton:
        case ids::kContextMoveDown:
            MoveSelectionDown();
            return true;
        case ids::kHelp:
            platform::ShellOpenDocument(platform::RunningProgramDirectory() + "help.htm");
            return true;
        case ids::kTechnicalSupport:
            platform::ShellOpen(("mailto:" + product::kSupportAddress).toStdString());
            return true;
        case ids::kWebPage:
            platform::ShellOpen(product::kWebAddress.toStdString());
            return true;
        case ids::kAbout:
            ShowAboutBox();
            return true;
        case ids::kCloseButton:
        case ids::kExit:
            accept();
            return true;
        default:
            return false;
    }
}

void CConverterDlg::AddFilesCommand() {
    scrivola_win::SettingsStore settingsFile = scrivola_win::SettingsStore::SettingsFile();
    const auto chosen =
        m_dialogs->ChooseDocuments(this, scrivola_win::AddFilesInitialDir(settingsFile));
    if (!chosen) {
        return;
    }
    const auto selection = scrivola_win::InterpretAddFilesSelection(*chosen);
    if (!selection) {
        return;
    }
    scrivola_win::RememberAddFilesFolder(settingsFile, selection->rememberedFolder);
    AddDocumentsToList(selection->paths);
}

void CConverterDlg::AddDirectoryCommand() {
    scrivola_win::SettingsStore settingsFile = scrivola_win::SettingsStore::SettingsFile();
    const auto folder =
        m_dialogs->ChooseFolder(this, scrivola_win::AddDirectoryInitialDir(settingsFile));
    if (!folder) {
        return;
    }
    scrivola_win::RememberAddDirectoryFolder(settingsFile, *folder);
    scrivola_win::PendingList pending;
    if (scrivola_win::CollectDirectory(*folder, pending, true) > 0) {
        AddDocumentsToList(pending);
    }
}

void CConverterDlg::AddDocumentsToList(const scrivola_win::PendingList& paths) {
    for (const std::string& given : paths) {
        const std::string path = AbsolutePath(given);
        if (path.size() > platform::kMaxPath) {
            continue;  // no row can name it, and no converter call could take it
        }
        const QString qpath = QString::fromStdString(path);
        const scrivola_win::DocumentTexts texts = scrivola_win::MakeDocumentTexts(
            path, FileTypeName(qpath).toStdString(), platform::GetFileStatus(path));
        QStringList cells;
        for (const std::string& text : texts) {
            cells << QString::fromStdString(text);
        }
        // Always at the end, whatever the sort state.
        const int row =
            m_list->AppendRow(cells, std::make_unique<DocumentRecord>(texts), FileTypeIcon(qpath));
        m_list->EnsureRowVisible(row);
    }
}

void CConverterDlg::ViewSelectedDocuments() {
    for (int row : m_list->SelectedRows()) {
        platform::ShellOpen(RowFullPath(row));
    }
}

void CConverterDlg::DeleteSelectedItems() {
    DocumentListAccess rows(*m_list);
    scrivola_win::DeleteSelectedRows(rows);
}

void CConverterDlg::DeleteAllItems() {
    DocumentListAccess rows(*m_list);
    scrivola_win::DeleteAllRows(rows);
}

void CConverterDlg::MoveSelectionUp() {
    DocumentListAccess rows(*m_list);
    scrivola_win::MoveSelectionUp(rows);
}

void CConverterDlg::MoveSelectionDown() {
    DocumentListAccess rows(*m_list);
    scrivola_win::MoveSelectionDown(rows);
}

void CConverterDlg::SelectAllItems() {
    m_list->SelectAllRows();
}

void CConverterDlg::MakePdfCommand() {
    if (m_converting) {
        return;  // the buttons are off meanwhile; nothing else starts a second run
    }
    if (RowCount() == 0) {
        return;  // an empty list converts nothing and leaves the window as it is
    }
    m_converting = true;
    SetCommandButtonsEnabled(false);
    m_commands->MakePdf(*this);
    SetCommandButtonsEnabled(true);
    m_progress->SetBarPos(0);
    m_converting = false;
    if (m_closeRequested) {
        m_closeRequested = false;
        done(Accepted);
    }
}

void CConverterDlg::ShowAboutBox() {
    CAboutDlg about(this);
    about.exec();
}

bool CConverterDlg::HandleKey(QObject* receiver, QKeyEvent* event) {
    // The menu bar navigates its menus with these keys itself.
    for (QObject* object = receiver; object != nullptr; object = object->parent()) {
        if (object == m_menuBar) {
            return false;
        }
    }
    switch (MainKeyActionFor(event->key(), event->modifiers())) {
        case MainKeyAction::PassOn:
            return false;
        case MainKeyAction::Swallow:
            return true;
        case MainKeyAction::ViewDocuments:
            ViewSelectedDocuments();
            return true;
        case MainKeyAction::AddFiles:
            AddFilesCommand();
            return true;
        case MainKeyAction::DeleteSelected:
            DeleteSelectedItems();
            return true;
        case MainKeyAction::SelectAll:
            SelectAllItems();
            return true;
        case MainKeyAction::MoveUp:
            MoveSelectionUp();
            return true;
        case MainKeyAction::MoveDown:
            MoveSelectionDown();
            return true;
        case MainKeyAction::ForwardToList: {
            if (receiver == m_list || receiver == m_list->viewport()) {
                return false;  // already on its way to the list
            }
            QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                           event->isAutoRepeat(), static_cast<ushort>(event->count()));
            QApplication::sendEvent(m_list, &copy);
            return true;
        }
    }
    return false;
}
