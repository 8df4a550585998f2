#include "PrintSubmission.h"

#include <stdexcept>

#include "PdfDocument.h"
#include "platform/Automation.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Spooler.h"

namespace office {

using platform::automation::AutomationError;

void SubmitPrintJob(const std::string& printer, const std::string& pdf) {
    const int status = platform::Spooler::CurrentUser().Submit(printer, pdf);
    if (status != 0) {
        const std::string target = printer.empty() ? "the default printer" : "\"" + printer + "\"";
        throw AutomationError(
            platform::automation::DISP_E_EXCEPTION,
            "printing on " + target + " failed (status " + std::to_string(status) + ")");
    }
}

namespace {

// The extract is ours alone and goes whatever happens to the job.
struct ExtractFile {
    std::string path;
    ~ExtractFile() {
        if (!path.empty()) {
            platform::DeleteFile(path);
        }
    }
};

}  // namespace

void SubmitPrintPages(const std::string& printer, const std::string& pdf, int first, int last,
                      const std::string& scratchFolder) {
    ExtractFile extract;
    try {
        const PdfDocument document(pdf);
        if (first != 0 || last != document.PageCount() - 1) {
            extract.path = platform::JoinPath(scratchFolder, "pages.pdf");
            document.WritePages(first, last, extract.path);
        }
    } catch (const std::runtime_error& error) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION, error.what());
    }
    SubmitPrintJob(printer, extract.path.empty() ? pdf : extract.path);
}

}  // namespace office
