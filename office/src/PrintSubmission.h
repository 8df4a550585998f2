#pragma once
// Handing a rendered PDF to the spooler.
#include <string>

namespace office {

// Prints the PDF on the named printer, or on the default printer when the
// name is empty. Throws AutomationError when the printer does not exist or
// its backend fails.
void SubmitPrintJob(const std::string& printer, const std::string& pdf);

}  // namespace office

namespace office {

// Prints pages first..last (counted from 0) of the PDF: the file itself when
// the range covers every page, else an extract written into
// `scratchFolder` for the time of the job. Throws AutomationError.
void SubmitPrintPages(const std::string& printer, const std::string& pdf, int first, int last,
                      const std::string& scratchFolder);

}  // namespace office
