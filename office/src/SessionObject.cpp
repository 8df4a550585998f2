#include "SessionObject.h"

#include "platform/Spooler.h"

namespace office {

void CheckPrinterInstalled(const std::string& printer) {
    if (!platform::Spooler::CurrentUser().IsInstalled(printer)) {
        throw AutomationError(platform::automation::DISP_E_EXCEPTION,
                              "there is no printer \"" + printer + "\"");
    }
}

}  // namespace office
