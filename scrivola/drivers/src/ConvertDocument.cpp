#include "drivers/ConvertDocument.h"

#include <optional>

#include "PrinterJobLock.h"
#include "drivers/WaitForOutput.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrinterSettings.h"

namespace scrivola {

namespace {

// The printer's settings could not be written: say where, once per job, on
// standard error and the debug channel (a damaged registry file is left as
// it is).
void ReportUnwritablePrinterSettings() {
    platform::ReportProblem("scrivola: cannot write the virtual printer's settings in " +
                            platform::Registry::CurrentUser().FilePath() +
                            " (damaged or not writable); the file is left as it is");
}

}  // namespace

int ConvertDocument(const std::string& input, const std::string& workingOutput,
                    platform::Clock& clock) {
    if (!platform::GetFileStatus(input)) {
        return 0;
    }
    PrinterJobLock lock;
    if (!lock.Held()) {
        return 0;
    }
    // A path the printer cannot be given would send the job elsewhere.
    PrinterJobValues previousPrinterValues;
    if (!ConfigurePrinterForJob(workingOutput, &previousPrinterValues)) {
        if (workingOutput.size() <= kPrinterTextCapacity) {
            ReportUnwritablePrinterSettings();
        }
        return 0;
    }
    std::string savedPrinter = SelectVirtualPrinter();
    // A file already at the path (an earlier output) is not this job's result.
    const std::optional<platform::FileStamp> before = platform::StampOf(workingOutput);
    const int result = PrintDocument(input) != 0 ? WaitForOutput(workingOutput, before, clock) : 0;
    RestoreDefaultPrinter(savedPrinter);
    RestorePrinterAfterJob(previousPrinterValues);
    return result;
}

int ConvertDocument(const std::string& input, const std::string& workingOutput) {
    return ConvertDocument(input, workingOutput, platform::SystemClock());
}

}  // namespace scrivola
