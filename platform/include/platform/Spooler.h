#pragma once
// The print spooler: installed printers and the user's default printer,
// kept in the per-user registry.
//
//   Software\Scrivola\Spooler            "DefaultPrinter"="<name>"
//   Software\Scrivola\Spooler\Printers\<name>   "Backend"="<command line>"
//
// A printer's backend is a command line; a job is printed by running it with
// the job file's path appended as one more (quoted) argument.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace platform {

class Spooler {
public:
    explicit Spooler(Registry registry);
    static Spooler CurrentUser();

    std::vector<std::string> InstalledPrinters() const;
    bool IsInstalled(std::string_view printer) const;
    std::optional<std::string> BackendCommand(std::string_view printer) const;
    bool InstallPrinter(std::string_view printer, std::string_view backendCommand);
    bool RemovePrinter(std::string_view printer);

    // Nothing when no default printer is set.
    std::optional<std::string> GetDefaultPrinter() const;
    // Fails (and changes nothing) when the printer is not installed.
    bool SetDefaultPrinter(std::string_view printer);

    // Prints a job file on the named printer (the default one when the name
    // is empty): runs its backend and waits. The backend's exit code, or -1
    // when there is no such printer or the backend cannot be started.
    int Submit(std::string_view printer, std::string_view jobFile);

private:
    Registry registry_;
};

}  // namespace platform
