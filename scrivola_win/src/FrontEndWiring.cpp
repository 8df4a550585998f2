#include "FrontEndWiring.h"

#include "CConverterDlg.h"
#include "DocumentTexts.h"
#include "FrontEndCommands.h"
#include "monitor/DirectoryMonitor.h"
#include "pages/SettingsSheet.h"
#include "runner/ConversionRunner.h"
#include "runner/PrinterPresence.h"
#include "runner/RunnerHost.h"

namespace {

// The runner's view of the main window.
class MainWindowRunnerHost : public runner::RunnerHost {
  public:
    explicit MainWindowRunnerHost(CConverterDlg& window) : m_window(window) {}

    int RowCount() const override { return m_window.RowCount(); }
    std::string RowFilename(int row) const override {
        return m_window.RowText(row, scrivola_win::kFilenameColumn).toStdString();
    }
    std::string RowFilepath(int row) const override {
        return m_window.RowText(row, scrivola_win::kFilepathColumn).toStdString();
    }
    void SortByColumn(int column, bool ascending) override {
        m_window.SortByColumn(column, !ascending);
    }
    void SetProgressPosition(int percent) override { m_window.SetProgressPos(percent); }
    void SetCommandButtonsEnabled(bool enabled) override {
        m_window.SetCommandButtonsEnabled(enabled);
    }
    QWidget* OwnerWidget() override { return &m_window; }
    std::string ConverterPath() const override { return m_window.ConverterPath(); }

  private:
    CConverterDlg& m_window;
};

class WiredCommands : public FrontEndCommands {
  public:
    void MakePdf(CConverterDlg& window) override {
        if (window.RowCount() > 0 && !runner::VirtualPrinterInstalled()) {
            runner::OfferPrinterDownload(&window);
            return;
        }
        MainWindowRunnerHost host(window);
        runner::ConversionRunner conversion(host);
        conversion.MakePdfCommand();
    }

    void OpenSettings(CConverterDlg& window) override { RunSettingsCommand(&window); }

    void OpenMonitor(CConverterDlg& window) override {
        Monitor(window).MonitorCommand(&window, window.MainMenuBar());
    }

    void StartMonitor(CConverterDlg& window) override {
        monitor::DirectoryMonitor& directoryMonitor = Monitor(window);
        directoryMonitor.StartDirectoryMonitor(&window);
        directoryMonitor.UpdateMonitorMenuText(window.MainMenuBar());
    }

    void WindowClosing(CConverterDlg&) override { m_monitor.reset(); }

  private:
    monitor::DirectoryMonitor& Monitor(CConverterDlg& window) {
        if (!m_monitor) {
            m_monitor = std::make_unique<monitor::DirectoryMonitor>(
                &window, [&window](int percent) { window.SetProgressPos(percent); },
                window.ConverterPath());
        }
        return *m_monitor;
    }

    std::unique_ptr<monitor::DirectoryMonitor> m_monitor;
};

}  // namespace

std::shared_ptr<FrontEndCommands> CreateFrontEndCommands() {
    return std::make_shared<WiredCommands>();
}
