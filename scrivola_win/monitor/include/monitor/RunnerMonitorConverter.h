#pragma once
// The monitor's conversions through the conversion runner, the same
// RunConversion that Make PDF uses. The runner's progress reaches the window
// as queued events handled on the UI thread.
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "monitor/MonitorConverter.h"
#include "runner/ConversionRunner.h"
#include "runner/RunnerHost.h"

class QObject;

namespace monitor {

// The console converter beside this program.
std::string DefaultConverterPath();

using ProgressSetter = std::function<void(int percent)>;

class RunnerMonitorConverter : public MonitorConverter {
  public:
    // Construct on the UI thread. Progress goes to `setProgress` on that
    // thread for as long as `progressReceiver` exists.
    RunnerMonitorConverter(std::string converterPath, QObject* progressReceiver,
                           ProgressSetter setProgress);

    // Shared with the monitor threads. Released on the UI thread it is
    // deleted; a thread left running past the program's end lets it go.
    static std::shared_ptr<RunnerMonitorConverter> Create(std::string converterPath,
                                                          QObject* progressReceiver,
                                                          ProgressSetter setProgress);

    std::string RunConversion(const std::string& inputPath, const std::string& outputPath) override;

    runner::ConversionRunner& Runner() { return m_runner; }

  private:
    // The runner's view of its caller: no document list, no dialogs.
    class Host : public runner::RunnerHost {
      public:
        Host(std::string converterPath, QObject* progressReceiver, ProgressSetter setProgress);
        int RowCount() const override { return 0; }
        std::string RowFilename(int) const override { return {}; }
        std::string RowFilepath(int) const override { return {}; }
        void SortByColumn(int, bool) override {}
        void SetProgressPosition(int percent) override;
        void SetCommandButtonsEnabled(bool) override {}
        QWidget* OwnerWidget() override { return nullptr; }
        std::string ConverterPath() const override { return m_converterPath; }

      private:
        const std::string m_converterPath;
        QPointer<QObject> m_progressReceiver;
        ProgressSetter m_setProgress;
        std::thread::id m_uiThread;
    };

    Host m_host;
    runner::ConversionRunner m_runner;
};

}  // namespace monitor
