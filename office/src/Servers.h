#pragma once
// Factories of the application objects.
#include <memory>

#include "OfficeSession.h"
#include "platform/Automation.h"

namespace office {

using ServerPtr = std::shared_ptr<platform::automation::Dispatch>;

ServerPtr CreateWordApplication(std::shared_ptr<OfficeSession> session);
ServerPtr CreateExcelApplication(std::shared_ptr<OfficeSession> session);
ServerPtr CreatePowerPointApplication(std::shared_ptr<OfficeSession> session);
ServerPtr CreateVisioApplication(std::shared_ptr<OfficeSession> session);
ServerPtr CreateAcrobatApplication();
ServerPtr CreateAcrobatDocumentWindow();

}  // namespace office
