#include "office/AutomationServers.h"

#include "Servers.h"

namespace office {

void RegisterAutomationServers() {
    auto& classes = platform::automation::ClassTable::Instance();
    // Each creation starts a new application with a private folder of its own.
    classes.Register("Word.Application", [] {
        return CreateWordApplication(OfficeSession::Start("Word.Application"));
    });
    classes.Register("Excel.Application", [] {
        return CreateExcelApplication(OfficeSession::Start("Excel.Application"));
    });
    classes.Register("PowerPoint.Application", [] {
        return CreatePowerPointApplication(OfficeSession::Start("PowerPoint.Application"));
    });
    classes.Register("Visio.Application", [] {
        return CreateVisioApplication(OfficeSession::Start("Visio.Application"));
    });
    classes.Register("AcroExch.App", [] { return CreateAcrobatApplication(); });
    classes.Register("AcroExch.AVDoc", [] { return CreateAcrobatDocumentWindow(); });
}

}  // namespace office
