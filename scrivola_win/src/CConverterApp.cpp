#include "CConverterApp.h"

#include "CConverterDlg.h"
#include "CommandDialogs.h"
#include "FrontEndCommands.h"

CConverterApp::CConverterApp(std::shared_ptr<FrontEndCommands> commands,
                             std::shared_ptr<CommandDialogs> dialogs)
    : m_commands(std::move(commands)), m_dialogs(std::move(dialogs)) {}

int CConverterApp::Run() {
    CConverterDlg window(m_commands, m_dialogs);
    if (m_windowReady) {
        m_windowReady(window);
    }
    window.exec();
    return 0;
}
