#include "monitor/RunnerMonitorConverter.h"

#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"
#include "runner/RunnerSettings.h"

namespace monitor {

std::string DefaultConverterPath() {
    return platform::RunningProgramDirectory() + "scrivola";
}

RunnerMonitorConverter::Host::Host(std::string converterPath, QObject* progressReceiver,
                                   ProgressSetter setProgress)
    : m_converterPath(std::move(converterPath)),
      m_progressReceiver(progressReceiver),
      m_setProgress(std::move(setProgress)),
      m_uiThread(std::this_thread::get_id()) {}

void RunnerMonitorConverter::Host::SetProgressPosition(int percent) {
    // The runner queues progress from the monitor thread to the UI thread;
    // it arrives here directly only when no event loop exists, and the
    // window is then no place to go.
    if (std::this_thread::get_id() != m_uiThread || m_progressReceiver.isNull() || !m_setProgress) {
        return;
    }
    m_setProgress(percent);
}

RunnerMonitorConverter::RunnerMonitorConverter(std::string converterPath, QObject* progressReceiver,
                                               ProgressSetter setProgress)
    : m_host(std::move(converterPath), progressReceiver, std::move(setProgress)),
      m_runner(m_host) {}

std::shared_ptr<RunnerMonitorConverter> RunnerMonitorConverter::Create(std::string converterPath,
                                                                       QObject* progressReceiver,
                                                                       ProgressSetter setProgress) {
    const std::thread::id uiThread = std::this_thread::get_id();
    return std::shared_ptr<RunnerMonitorConverter>(
        new RunnerMonitorConverter(std::move(converterPath), progressReceiver,
                                   std::move(setProgress)),
        [uiThread](RunnerMonitorConverter* converter) {
            // The runner's event context belongs to the UI thread, which may
            // be delivering an event to it right now. The last release comes
            // from another thread only when a thread outlived the monitor,
            // that is when the program is ending.
            if (std::this_thread::get_id() == uiThread) {
                delete converter;
            }
        });
}

std::string RunnerMonitorConverter::RunConversion(const std::string& inputPath,
                                                  const std::string& outputPath) {
    // The runner picks the free name itself and does not say which; the
    // same rule over the same folder, just before, names it.
    std::string written = outputPath;
    if (runner::ReadConverterOptions().destinationMode ==
            scrivola_win::DestinationMode::kFreeName &&
        platform::PathExists(outputPath)) {
        written = runner::ConversionRunner::MakeFreeName(outputPath);
    }
    m_runner.RunConversion(inputPath, outputPath);
    return written;
}

}  // namespace monitor
