#pragma once
// The application object: runs the main window modally; the program ends
// when the window closes.
#include <functional>
#include <memory>

class CConverterDlg;
class CommandDialogs;
class FrontEndCommands;

class CConverterApp {
  public:
    explicit CConverterApp(std::shared_ptr<FrontEndCommands> commands = {},
                           std::shared_ptr<CommandDialogs> dialogs = {});

    // Shows the main window and returns when it has closed. Needs a
    // QApplication. Returns the program's exit status.
    int Run();

    // Called with the main window once it is set up, before it runs.
    void SetWindowReadyHook(std::function<void(CConverterDlg&)> hook) {
        m_windowReady = std::move(hook);
    }

  private:
    std::shared_ptr<FrontEndCommands> m_commands;
    std::shared_ptr<CommandDialogs> m_dialogs;
    std::function<void(CConverterDlg&)> m_windowReady;
};
