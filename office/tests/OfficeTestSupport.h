#pragma once
// A private environment for the server tests: HOME, XDG folders and TMPDIR
// in a temporary folder, a stand-in soffice first in PATH, and a printer
// that keeps every job it gets.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "testing/MinimalPdf.h"

namespace office::testing {

// A PDF of `pages` pages, page N showing the text "Page N".
using testpdf::MinimalPdf;

void WriteFile(const std::string& path, const std::string& contents);

class OfficeTestEnvironment {
  public:
    OfficeTestEnvironment();
    ~OfficeTestEnvironment();
    OfficeTestEnvironment(const OfficeTestEnvironment&) = delete;
    OfficeTestEnvironment& operator=(const OfficeTestEnvironment&) = delete;

    std::string Path(const std::string& name) const;

    // The stand-in soffice: "convert" copies `renderedPdf` to the output
    // folder under the input's base name, "nothing" writes nothing, "hang"
    // never ends (it starts a child of its own as well).
    void SetSofficeMode(const std::string& mode);
    void SetRenderedPdf(const std::string& contents);
    // Arguments of every soffice run, one list per run.
    std::vector<std::vector<std::string>> SofficeRuns() const;
    // Process ids the hanging soffice wrote down.
    std::vector<int> HungProcesses() const;

    // Puts only an empty folder in PATH, so that soffice is not found.
    void HideSoffice();

    // Installs a printer whose backend keeps a copy of each job.
    void InstallRecordingPrinter(const std::string& name, bool makeDefault);
    // Jobs the recording printers received, in order.
    std::vector<std::string> PrintedJobs() const;

    // Entries of TMPDIR (the servers' private folders live there).
    std::vector<std::string> TempEntries() const;

  private:
    std::string m_root;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

}  // namespace office::testing
