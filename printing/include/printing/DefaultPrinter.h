#pragma once
// Switching the user's default printer to the virtual printer for one job,
// and back. Selecting the virtual printer is also the test that it is
// installed: when it is not, the user is offered the download page and the
// program ends.
#include <functional>
#include <string>
#include <string_view>

#include "platform/Spooler.h"

namespace scrivola {

inline constexpr char kVirtualPrinterName[] = "Folivo Converter and Creator";
inline constexpr char kMakerWebSite[] = "https://scrivola.example.org/";
inline constexpr char kPrinterDownloadPage[] = "https://scrivola.example.org/printer/";

// The question asked when the virtual printer is not installed.
std::string MissingPrinterQuestion();

// What SelectVirtualPrinter works with; the defaults are the real ones.
struct PrinterSelectionServices {
    std::function<platform::Spooler()> spooler = [] { return platform::Spooler::CurrentUser(); };
    std::function<bool(std::string_view question)> askYesNo;
    std::function<int(std::string_view target)> openDocument;
    // Ends the process; must not return (tests throw from it).
    std::function<void(int exitStatus)> endProcess;
};

// Makes the virtual printer the default and returns the previous default
// printer ("" when there was none). When the virtual printer is missing, asks
// about its download page, opens it on Yes and ends the process with status 0.
std::string SelectVirtualPrinter();
std::string SelectVirtualPrinter(const PrinterSelectionServices& services);

// Puts the saved printer back as the default (nothing when the name is empty)
// and empties the name.
void RestoreDefaultPrinter(std::string& savedPrinter);
void RestoreDefaultPrinter(std::string& savedPrinter, platform::Spooler& spooler);

}  // namespace scrivola
