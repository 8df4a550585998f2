#include "PrinterCommand.h"

#include <ctime>
#include <iostream>
#include <vector>

#include "JobWriter.h"
#include "OutputPlan.h"
#include "platform/Process.h"
#include "platform/ProgramPath.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Spooler.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrinterSettings.h"

namespace folivo {

namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

void PrintUsage(std::ostream& out) {
    out << "Usage: folivoprint --install [--system] | --uninstall [--system] | --status | JOBFILE\n"
           "  --install    install \""
        << scrivola::kVirtualPrinterName
        << "\" for this user\n"
           "  --uninstall  remove it\n"
           "  --system     with --install or --uninstall: for every user (as root)\n"
           "  --status     say whether it is installed and where it writes\n"
           "  JOBFILE      print a PDF job (the spooler runs this)\n";
}

int Install(bool systemWide) {
    const std::string backend = platform::QuoteArgument(platform::RunningProgramPath());
    platform::Spooler spooler = platform::Spooler::CurrentUser();
    const bool installed =
        systemWide ? spooler.InstallSystemPrinter(scrivola::kVirtualPrinterName, backend)
                   : spooler.InstallPrinter(scrivola::kVirtualPrinterName, backend);
    if (!installed) {
        std::cerr << "folivoprint: cannot install \"" << scrivola::kVirtualPrinterName << "\"";
        if (systemWide) {
            std::cerr << " in " << platform::SystemPrinterTablePath().value_or("(no system table)");
        }
        std::cerr << "\n";
        return kFailure;
    }
    std::cout << "Installed \"" << scrivola::kVirtualPrinterName << "\" for "
              << (systemWide ? "every user" : "this user") << ".\n";
    return 0;
}

int UninstallSystemWide() {
    platform::Spooler spooler = platform::Spooler::CurrentUser();
    if (!spooler.IsInstalledSystemWide(scrivola::kVirtualPrinterName)) {
        std::cout << "\"" << scrivola::kVirtualPrinterName
                  << "\" is not installed for every user.\n";
        return 0;
    }
    if (!spooler.RemoveSystemPrinter(scrivola::kVirtualPrinterName)) {
        std::cerr << "folivoprint: cannot remove \"" << scrivola::kVirtualPrinterName << "\"\n";
        return kFailure;
    }
    std::cout << "Removed \"" << scrivola::kVirtualPrinterName << "\" for every user.\n";
    return 0;
}

int Uninstall(bool systemWide) {
    if (systemWide) {
        return UninstallSystemWide();
    }
    platform::Spooler spooler = platform::Spooler::CurrentUser();
    if (!spooler.IsInstalledForUser(scrivola::kVirtualPrinterName)) {
        if (spooler.IsInstalledSystemWide(scrivola::kVirtualPrinterName)) {
            std::cerr << "folivoprint: \"" << scrivola::kVirtualPrinterName
                      << "\" is installed for every user; remove it with "
                         "folivoprint --uninstall --system\n";
            return kFailure;
        }
        std::cout << "\"" << scrivola::kVirtualPrinterName << "\" is not installed.\n";
        return 0;
    }
    if (!spooler.RemovePrinter(scrivola::kVirtualPrinterName)) {
        std::cerr << "folivoprint: cannot remove \"" << scrivola::kVirtualPrinterName << "\"\n";
        return kFailure;
    }
    std::cout << "Removed \"" << scrivola::kVirtualPrinterName << "\".\n";
    return 0;
}

// Reads the configuration without creating it: asking must change nothing.
scrivola::PrinterSettings CurrentSettings() {
    scrivola::PrinterSettings settings;
    if (platform::Registry::CurrentUser().KeyExists(scrivola::kPrinterSettingsKey)) {
        scrivola::LoadPrinterSettings(settings);
    }
    return settings;
}

int Status() {
    const platform::Spooler spooler = platform::Spooler::CurrentUser();
    const std::optional<std::string> backend =
        spooler.BackendCommand(scrivola::kVirtualPrinterName);
    if (!backend) {
        std::cout << "\"" << scrivola::kVirtualPrinterName << "\" is not installed.\n";
        return 0;
    }
    std::cout << "\"" << scrivola::kVirtualPrinterName << "\" is installed "
              << (spooler.IsInstalledForUser(scrivola::kVirtualPrinterName) ? "for this user"
                                                                            : "for every user")
              << " (backend " << *backend << ").\n";
    const OutputPlan plan = PlanOutput(CurrentSettings());
    if (plan.exactPath) {
        std::cout << "The next job is written to " << plan.path << ".\n";
    } else {
        std::cout << "Jobs are written to new files in " << plan.path << ".\n";
    }
    return 0;
}

int PrintJob(const std::string& job) {
    scrivola::PrinterSettings settings;
    scrivola::LoadPrinterSettings(settings);
    const OutputPlan plan = PlanOutput(settings);
    WriteResult result;
    if (plan.exactPath) {
        result = WriteJobToPath(job, plan.path, plan.format, plan.resolutionDpi);
    } else {
        result = WriteJobToNewFile(job, plan.path, static_cast<long long>(std::time(nullptr)));
        if (!result.error) {
            std::cerr << "folivoprint: wrote " << result.path << "\n";
        }
    }
    if (result.error) {
        std::cerr << "folivoprint: " << *result.error << "\n";
        return kFailure;
    }
    if (settings.AutoView == 1) {
        platform::ShellOpen(result.path);
    }
    return 0;
}

}  // namespace

int RunFolivoprint(const std::vector<std::string>& arguments) {
    // --system may stand before or after --install and --uninstall only.
    std::vector<std::string> rest = arguments;
    const bool systemWide = std::erase(rest, std::string("--system")) == 1 && rest.size() == 1 &&
                            (rest.front() == "--install" || rest.front() == "--uninstall");
    if (rest.size() != 1 || (!systemWide && rest.size() != arguments.size())) {
        PrintUsage(std::cerr);
        return kUsageError;
    }
    const std::string& argument = rest.front();
    if (argument == "--install") {
        return Install(systemWide);
    }
    if (argument == "--uninstall") {
        return Uninstall(systemWide);
    }
    if (argument == "--status") {
        return Status();
    }
    if (argument == "--help" || argument == "-h") {
        PrintUsage(std::cout);
        return 0;
    }
    if (argument.size() > 1 && argument.front() == '-') {
        PrintUsage(std::cerr);
        return kUsageError;
    }
    return PrintJob(argument);
}

}  // namespace folivo
