#pragma once
// The main window's commands that other parts of the front end carry out:
// the conversion runner (Make PDF), the settings sheet and the directory
// monitor. The main window calls them through this interface; the defaults
// do nothing, so the window works before those parts are plugged in.
class CConverterDlg;

class FrontEndCommands {
  public:
    virtual ~FrontEndCommands() = default;

    // The "Make PDF" button. The window is in its converting state meanwhile.
    virtual void MakePdf(CConverterDlg& window) { (void)window; }
    // The "Setting" button and "&Settings...": the modal settings sheet.
    virtual void OpenSettings(CConverterDlg& window) { (void)window; }
    // "&Monitor A Special Directory...": the monitored-directory list.
    virtual void OpenMonitor(CConverterDlg& window) { (void)window; }
    // At start-up, once the window is set up: starts the directory monitor
    // and sets its menu text (CConverterDlg::SetMonitorMenuText).
    virtual void StartMonitor(CConverterDlg& window) { (void)window; }
    // The window is closing: stop whatever runs on its behalf.
    virtual void WindowClosing(CConverterDlg& window) { (void)window; }
};
