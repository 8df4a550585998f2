#include "OutputPlan.h"

#include <cstdlib>
#include <ctime>

#include "platform/Paths.h"
#include "platform/XdgDirectories.h"

namespace folivo {

OutputPlan PlanOutput(const scrivola::PrinterSettings& settings) {
    OutputPlan plan;
    plan.resolutionDpi = ResolutionDpi(settings.Resolution);
    if (settings.AutomaticOutput == 1 && settings.AutomaticValue == 2 &&
        !settings.AutomaticDirectory.empty()) {
        plan.exactPath = true;
        plan.path = settings.AutomaticDirectory;
        plan.format = FormatForPath(plan.path);
    } else {
        plan.path = DefaultOutputFolder();
    }
    return plan;
}

OutputFormat FormatForPath(const std::string& path) {
    const std::string extension = platform::ToLowerAscii(platform::SplitPath(path).extension);
    if (extension == ".tif" || extension == ".tiff") {
        return OutputFormat::Tiff;
    }
    if (extension == ".png") {
        return OutputFormat::Png;
    }
    if (extension == ".jpg" || extension == ".jpeg") {
        return OutputFormat::Jpeg;
    }
    if (extension == ".bmp") {
        return OutputFormat::Bmp;
    }
    return OutputFormat::Pdf;
}

bool IsSingleImageFormat(OutputFormat format) {
    return format == OutputFormat::Png || format == OutputFormat::Jpeg ||
           format == OutputFormat::Bmp;
}

int ResolutionDpi(int resolutionSetting) {
    static constexpr int kSteps[] = {72, 150, 200, 300, 600, 1200};
    if (resolutionSetting >= 0 && resolutionSetting < static_cast<int>(std::size(kSteps))) {
        return kSteps[resolutionSetting];
    }
    if (resolutionSetting >= 36 && resolutionSetting <= 2400) {
        return resolutionSetting;
    }
    return 300;
}

std::string PageFilePath(const std::string& firstPagePath, std::size_t pageNumber) {
    const platform::PathParts parts = platform::SplitPath(firstPagePath);
    return parts.directory + parts.name + "_" + std::to_string(pageNumber) + parts.extension;
}

std::string DefaultOutputFolder() {
    const std::string documents = platform::DocumentsDirectory();
    return platform::JoinPath(documents.empty() ? std::string("/tmp") : documents, "Folivo");
}

std::string DefaultOutputName(long long unixSeconds, int attempt) {
    const std::time_t seconds = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string name = std::string("folivo-") + stamp;
    if (attempt >= 2) {
        name += "-" + std::to_string(attempt);
    }
    return name + ".pdf";
}

}  // namespace folivo
