#include "drivers/ConvertDocument.h"

#include <optional>

#include "PrinterJobLock.h"
#include "drivers/WaitForOutput.h"
#include "platform/FileSystem.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrinterSettings.h"

namespace scrivola {

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
        return 0;
    }
    std::string savedPrinter = SelectVirtualPrinter();
    // A file already at the path (an earlier output) is not this job's result.
    const std::optional<FileIdentity> before = IdentifyFile(workingOutput);
    const int result = PrintDocument(input) != 0 ? WaitForOutput(workingOutput, before, clock) : 0;
    RestoreDefaultPrinter(savedPrinter);
    RestorePrinterAfterJob(previousPrinterValues);
    return result;
}

int ConvertDocument(const std::string& input, const std::string& workingOutput) {
    return ConvertDocument(input, workingOutput, platform::SystemClock());
}

}  // namespace scrivola
