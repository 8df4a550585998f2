#pragma once
// Where and in which format the printer writes a job, decided from its
// configuration alone.
#include <cstddef>
#include <string>

#include "printing/PrinterSettings.h"

namespace folivo {

enum class OutputFormat { Pdf, Tiff, Png, Jpeg, Bmp };

struct OutputPlan {
    // With AutomaticOutput 1, AutomaticValue 2 and a path in
    // AutomaticDirectory the job goes to exactly that path; otherwise to a
    // new file in the default folder.
    bool exactPath = false;
    std::string path;  // the exact path, or the default folder
    OutputFormat format = OutputFormat::Pdf;
    int resolutionDpi = 300;
};

OutputPlan PlanOutput(const scrivola::PrinterSettings& settings);

// By the extension, without regard to case: .tif/.tiff, .png, .jpg/.jpeg,
// .bmp; anything else is written as PDF.
OutputFormat FormatForPath(const std::string& path);

// True for the formats that hold one page per file.
bool IsSingleImageFormat(OutputFormat format);

// The Resolution setting: 0 to 5 pick 72, 150, 200, 300, 600 or 1200 dpi;
// a value from 36 to 2400 is taken as dots per inch itself; anything else
// gives 300 dpi.
int ResolutionDpi(int resolutionSetting);

// Files for page 2 onwards of a one-image output sit beside the first:
// "scan.png" gives "scan_2.png", "scan_3.png", ...
std::string PageFilePath(const std::string& firstPagePath, std::size_t pageNumber);

// $XDG_DOCUMENTS_DIR/Folivo, else $HOME/Documents/Folivo.
std::string DefaultOutputFolder();

// "folivo-YYYYMMDD-HHMMSS" plus "-N" for the Nth attempt (N >= 2), and ".pdf".
std::string DefaultOutputName(long long unixSeconds, int attempt);

}  // namespace folivo
