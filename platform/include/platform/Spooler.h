#pragma once
// The print spooler: installed printers and the user's default printer.
//
// Printers come from two tables in the registry file format: the user's own
// registry and a system-wide table that every user reads (installed there by
// the administrator, for instance by the package). Both use the keys
//
//   Software\Scrivola\Spooler\Printers\<name>   "Backend"="<command line>"
//
// A printer the user installed shadows a system-wide one of the same name.
// The default printer is always the user's own:
//
//   Software\Scrivola\Spooler            "DefaultPrinter"="<name>"
//
// A printer's backend is a command line; a job is printed by running it with
// the job file's path appended as one more (quoted) argument.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace platform {

// Where the system-wide printer table lives: the value of
// SCRIVOLA_SYSTEM_PRINTERS when that is set (an empty value means there is
// no system-wide table), else /etc/scrivola/printers.reg.
std::optional<std::string> SystemPrinterTablePath();

class Spooler {
  public:
    // The user's registry only, without a system-wide table.
    explicit Spooler(Registry registry);
    Spooler(Registry registry, std::optional<Registry> systemTable);
    // The current user's registry and the system-wide table.
    static Spooler CurrentUser();

    // The user's printers, then the system-wide ones the user has not shadowed.
    std::vector<std::string> InstalledPrinters() const;
    bool IsInstalled(std::string_view printer) const;
    bool IsInstalledForUser(std::string_view printer) const;
    bool IsInstalledSystemWide(std::string_view printer) const;
    std::optional<std::string> BackendCommand(std::string_view printer) const;
    // Installs or removes a printer for this user only.
    bool InstallPrinter(std::string_view printer, std::string_view backendCommand);
    bool RemovePrinter(std::string_view printer);
    // Installs or removes a printer for every user. The table's folder is
    // created readable by everyone; writing needs the administrator's rights.
    bool InstallSystemPrinter(std::string_view printer, std::string_view backendCommand);
    bool RemoveSystemPrinter(std::string_view printer);

    // Nothing when no default printer is set.
    std::optional<std::string> GetDefaultPrinter() const;
    // Fails (and changes nothing) when the printer is not installed, for the
    // user or system-wide.
    bool SetDefaultPrinter(std::string_view printer);

    // Prints a job file on the named printer (the default one when the name
    // is empty): runs its backend and waits, at most `timeLimitMs`. The
    // backend's exit code; -1 when there is no such printer or the backend
    // cannot be started; kBackendTimedOut when it was killed for taking too
    // long (a hung backend would hold the printer lock for every later job).
    static constexpr std::uint32_t kBackendTimeLimitMs = 5 * 60 * 1000;
    static constexpr int kBackendTimedOut = -2;
    int Submit(std::string_view printer, std::string_view jobFile,
               std::uint32_t timeLimitMs = kBackendTimeLimitMs);

  private:
    Registry m_registry;
    std::optional<Registry> m_systemTable;
};

}  // namespace platform
