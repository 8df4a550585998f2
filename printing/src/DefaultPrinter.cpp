#include "printing/DefaultPrinter.h"

#include <cstdlib>

#include "platform/Console.h"
#include "platform/Shell.h"

namespace scrivola {

std::string MissingPrinterQuestion() {
    return std::string("Can't locate the '") + kVirtualPrinterName +
           " Printer' in this computer.Would you like to download it from '" + kMakerWebSite +
           "' site?";
}

std::string SelectVirtualPrinter() {
    return SelectVirtualPrinter(PrinterSelectionServices{});
}

std::string SelectVirtualPrinter(const PrinterSelectionServices& services) {
    platform::Spooler spooler =
        services.spooler ? services.spooler() : platform::Spooler::CurrentUser();

    // The spooler stand-in takes a change at once, so no pause follows it.
    std::string savedPrinter = spooler.GetDefaultPrinter().value_or(std::string());
    const bool selected = spooler.SetDefaultPrinter(kVirtualPrinterName);
    if (selected) {
        return savedPrinter;
    }

    const bool wantsDownload = services.askYesNo ? services.askYesNo(MissingPrinterQuestion())
                                                 : platform::AskYesNo(MissingPrinterQuestion());
    if (wantsDownload) {
        if (services.openDocument) {
            services.openDocument(kPrinterDownloadPage);
        } else {
            platform::ShellOpenDocument(kPrinterDownloadPage);
        }
    }
    if (services.endProcess) {
        services.endProcess(0);
    }
    std::exit(0);
}

void RestoreDefaultPrinter(std::string& savedPrinter) {
    platform::Spooler spooler = platform::Spooler::CurrentUser();
    RestoreDefaultPrinter(savedPrinter, spooler);
}

void RestoreDefaultPrinter(std::string& savedPrinter, platform::Spooler& spooler) {
    if (savedPrinter.empty()) {
        return;  // there was no default before: the virtual printer stays
    }
    spooler.SetDefaultPrinter(savedPrinter);  // a printer removed meanwhile is passed over
    savedPrinter.clear();
}

}  // namespace scrivola
