#include "printer/PrinterCommand.h"

#include <ctime>
#include <iostream>

#include "platform/Process.h"
#include "platform/ProgramPath.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Spooler.h"
#include "printer/JobWriter.h"
#include "printer/OutputPlan.h"
#include "scrivola/printing/DefaultPrinter.h"
#include "scrivola/printing/PrinterSettings.h"

namespace folivo {

namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

void PrintUsage(std::ostream& out) {
    out << "Usage: folivoprint --install | --uninstall | --status | JOBFILE\n"
           "  --install    install \""
        << scrivola::kVirtualPrinterName
        << "\" for this user\n"
           "  --uninstall  remove it\n"
           "  --status     say whether it is installed and where it writes\n"
           "  JOBFILE      print a PDF job (the spooler runs this)\n";
}

int Install() {
    const std::string backend = platform::QuoteArgument(platform::RunningProgramPath());
    if (!platform::Spooler::CurrentUser().InstallPrinter(scrivola::kVirtualPrinterName, backend)) {
        std::cerr << "folivoprint: cannot install \"" << scrivola::kVirtualPrinterName << "\"\n";
        return kFailure;
    }
    std::cout << "Installed \"" << scrivola::kVirtualPrinterName << "\" for this user.\n";
    return 0;
}

int Uninstall() {
    platform::Spooler spooler = platform::Spooler::CurrentUser();
    if (!spooler.IsInstalled(scrivola::kVirtualPrinterName)) {
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
    std::cout << "\"" << scrivola::kVirtualPrinterName << "\" is installed (backend " << *backend
              << ").\n";
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
    if (arguments.size() != 1) {
        PrintUsage(std::cerr);
        return kUsageError;
    }
    const std::string& argument = arguments.front();
    if (argument == "--install") {
        return Install();
    }
    if (argument == "--uninstall") {
        return Uninstall();
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
