#include "platform/Spooler.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace platform {

namespace {

constexpr std::string_view kSpoolerKey = "Software\\Scrivola\\Spooler";
constexpr std::string_view kPrintersKey = "Software\\Scrivola\\Spooler\\Printers";
constexpr std::string_view kDefaultPrinterValue = "DefaultPrinter";
constexpr std::string_view kBackendValue = "Backend";
constexpr const char* kSystemTableVariable = "SCRIVOLA_SYSTEM_PRINTERS";
constexpr const char* kSystemTableDefault = "/etc/scrivola/printers.reg";

// Every user reads the system-wide table, whatever the installer's umask.
constexpr mode_t kSystemFolderMode = 0755;
constexpr mode_t kSystemTableMode = 0644;

// A backslash would make the name a path of several keys.
bool IsValidPrinterName(std::string_view printer) {
    return !printer.empty() && printer.find('\\') == std::string_view::npos;
}

std::string PrinterKey(std::string_view printer) {
    return std::string(kPrintersKey) + "\\" + std::string(printer);
}

bool HasPrinter(const Registry& table, std::string_view printer) {
    return IsValidPrinterName(printer) && table.KeyExists(PrinterKey(printer));
}

bool ContainsIgnoringCase(const std::vector<std::string>& names, std::string_view name) {
    for (const std::string& candidate : names) {
        if (EqualsIgnoreCase(candidate, name)) {
            return true;
        }
    }
    return false;
}

// The registry would make a missing folder private to the writer.
bool PrepareSystemTableFolder(const std::string& tablePath) {
    const std::string folder = SplitPath(tablePath).directory;
    if (folder.empty() || IsDirectory(folder)) {
        return true;
    }
    return CreateDirectories(folder) && chmod(folder.c_str(), kSystemFolderMode) == 0;
}

}  // namespace

std::optional<std::string> SystemPrinterTablePath() {
    const char* configured = std::getenv(kSystemTableVariable);
    if (configured == nullptr) {
        return std::string(kSystemTableDefault);
    }
    if (*configured == '\0') {
        return std::nullopt;
    }
    return std::string(configured);
}

Spooler::Spooler(Registry registry) : m_registry(std::move(registry)) {}

Spooler::Spooler(Registry registry, std::optional<Registry> systemTable)
    : m_registry(std::move(registry)), m_systemTable(std::move(systemTable)) {}

Spooler Spooler::CurrentUser() {
    std::optional<Registry> systemTable;
    if (auto path = SystemPrinterTablePath()) {
        systemTable.emplace(std::move(*path), Registry::Access::Shared);
    }
    return Spooler(Registry::CurrentUser(), std::move(systemTable));
}

std::vector<std::string> Spooler::InstalledPrinters() const {
    std::vector<std::string> printers = m_registry.SubKeys(kPrintersKey);
    if (m_systemTable) {
        for (std::string& name : m_systemTable->SubKeys(kPrintersKey)) {
            if (!ContainsIgnoringCase(printers, name)) {
                printers.push_back(std::move(name));
            }
        }
    }
    return printers;
}

bool Spooler::IsInstalled(std::string_view printer) const {
    return IsInstalledForUser(printer) || IsInstalledSystemWide(printer);
}

bool Spooler::IsInstalledForUser(std::string_view printer) const {
    return HasPrinter(m_registry, printer);
}

bool Spooler::IsInstalledSystemWide(std::string_view printer) const {
    return m_systemTable && HasPrinter(*m_systemTable, printer);
}

std::optional<std::string> Spooler::BackendCommand(std::string_view printer) const {
    if (!IsValidPrinterName(printer)) {
        return std::nullopt;
    }
    if (IsInstalledForUser(printer)) {
        return m_registry.QueryString(PrinterKey(printer), kBackendValue);
    }
    if (m_systemTable) {
        return m_systemTable->QueryString(PrinterKey(printer), kBackendValue);
    }
    return std::nullopt;
}

bool Spooler::InstallPrinter(std::string_view printer, std::string_view backendCommand) {
    return IsValidPrinterName(printer) &&
           m_registry.SetString(PrinterKey(printer), kBackendValue, backendCommand);
}

bool Spooler::RemovePrinter(std::string_view printer) {
    return IsValidPrinterName(printer) && m_registry.DeleteKey(PrinterKey(printer));
}

bool Spooler::InstallSystemPrinter(std::string_view printer, std::string_view backendCommand) {
    if (!m_systemTable || !IsValidPrinterName(printer) ||
        !PrepareSystemTableFolder(m_systemTable->FilePath()) ||
        !m_systemTable->SetString(PrinterKey(printer), kBackendValue, backendCommand)) {
        return false;
    }
    return chmod(m_systemTable->FilePath().c_str(), kSystemTableMode) == 0;
}

bool Spooler::RemoveSystemPrinter(std::string_view printer) {
    return m_systemTable && IsValidPrinterName(printer) &&
           m_systemTable->DeleteKey(PrinterKey(printer));
}

std::optional<std::string> Spooler::GetDefaultPrinter() const {
    auto name = m_registry.QueryString(kSpoolerKey, kDefaultPrinterValue);
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
            break;
        }
    }
    return m_registry.SetString(kSpoolerKey, kDefaultPrinterValue, installedName);
}

int Spooler::Submit(std::string_view printer, std::string_view jobFile, std::uint32_t timeLimitMs) {
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
    std::vector<std::string> arguments = SplitCommandLine(*backend);
    arguments.emplace_back(jobFile);
    const LimitedRun run = RunWithTimeLimit(arguments, timeLimitMs);
    switch (run.outcome) {
        case LimitedRun::Outcome::Finished:
            return run.exitCode;
        case LimitedRun::Outcome::TimedOut:
            OutputDebugText("the backend of " + target + " took too long and was ended\n");
            return kBackendTimedOut;
        case LimitedRun::Outcome::NotStarted:
            break;
    }
    return -1;
}

}  // namespace platform
