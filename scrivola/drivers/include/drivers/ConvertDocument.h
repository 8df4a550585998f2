#pragma once
// One document to one file: the virtual printer is set up for the job, the
// document's authoring application prints it, and the printed file is awaited.
#include <string>

#include "drivers/ApplicationDrivers.h"
#include "drivers/FormatDispatch.h"
#include "drivers/WaitForOutput.h"
#include "platform/Clock.h"

namespace scrivola {

// 1 when the working output exists after the wait, else 0. Two conversions
// of one user queue behind a per-user lock, since they share the printer's
// configuration and the default printer.
int ConvertDocument(const std::string& input, const std::string& workingOutput);
int ConvertDocument(const std::string& input, const std::string& workingOutput,
                    platform::Clock& clock);

}  // namespace scrivola
