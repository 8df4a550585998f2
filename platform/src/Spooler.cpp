#include "platform/Spooler.h"

#include "platform/Paths.h"
#include "platform/Process.h"

namespace platform {

namespace {

constexpr std::string_view kSpoolerKey = "Software\\Scrivola\\Spooler";
constexpr std::string_view kPrintersKey = "Software\\Scrivola\\Spooler\\Printers";
constexpr std::string_view kDefaultPrinterValue = "DefaultPrinter";
constexpr std::string_view kBackendValue = "Backend";

// A backslash would make the name a path of several keys.
bool IsValidPrinterName(std::string_view printer) {
    return !printer.empty() && printer.find('\\') == std::string_view::npos;
}

std::string PrinterKey(std::string_view printer) {
    return std::string(kPrintersKey) + "\\" + std::string(printer);
}

}  // namespace

Spooler::Spooler(Registry registry) : registry_(std::move(registry)) {}

Spooler Spooler::CurrentUser() {
    return Spooler(Registry::CurrentUser());
}

std::vector<std::string> Spooler::InstalledPrinters() const {
    return registry_.SubKeys(kPrintersKey);
}

bool Spooler::IsInstalled(std::string_view printer) const {
    return IsValidPrinterName(printer) && registry_.KeyExists(PrinterKey(printer));
}

std::optional<std::string> Spooler::BackendCommand(std::string_view printer) const {
    if (!IsValidPrinterName(printer)) {
        return std::nullopt;
    }
    return registry_.QueryString(PrinterKey(printer), kBackendValue);
}

bool Spooler::InstallPrinter(std::string_view printer, std::string_view backendCommand) {
    return IsValidPrinterName(printer) &&
           registry_.SetString(PrinterKey(printer), kBackendValue, backendCommand);
}

bool Spooler::RemovePrinter(std::string_view printer) {
    return IsValidPrinterName(printer) && registry_.DeleteKey(PrinterKey(printer));
}

std::optional<std::string> Spooler::GetDefaultPrinter() const {
    auto name = registry_.QueryString(kSpoolerKey, kDefaultPrinterValue);
    if (!name || name->empty()) {
        return std::nullopt;
    }
    return name;
}

bool Spooler::SetDefaultPrinter(std::string_view printer) {
    if (!IsInstalled(printer)) {
        return false;
    }
    // Store the name as it was installed, whatever case the caller used.
    std::string installedName(printer);
    for (const std::string& name : InstalledPrinters()) {
        if (EqualsIgnoreCase(name, printer)) {
            installedName = name;
        }
    }
    return registry_.SetString(kSpoolerKey, kDefaultPrinterValue, installedName);
}

int Spooler::Submit(std::string_view printer, std::string_view jobFile) {
    std::string target(printer);
    if (target.empty()) {
        const auto defaultPrinter = GetDefaultPrinter();
        if (!defaultPrinter) {
            return -1;
        }
        target = *defaultPrinter;
    }
    const auto backend = BackendCommand(target);
    if (!backend || backend->empty()) {
        return -1;
    }
    return RunAndWait(*backend + " " + QuoteArgument(jobFile));
}

}  // namespace platform
