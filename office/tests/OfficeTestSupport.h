#pragma once
// A private environment for the server tests: a private home, a stand-in
// soffice first in PATH, and a printer that keeps every job it gets.
#include <string>
#include <vector>

#include "testing/MinimalPdf.h"
#include "testing/PrivateHome.h"

namespace office::testing {

// A PDF of `pages` pages, page N showing the text "Page N".
using testpdf::MinimalPdf;

using testsupport::WriteFile;

class OfficeTestEnvironment {
  public:
    OfficeTestEnvironment();

    std::string Path(const std::string& name) const { return m_home.Path(name); }
    // Sets or clears a variable for the test's lifetime.
    void Set(const std::string& name, const std::string& value) { m_home.Set(name, value); }
    void Unset(const std::string& name) { m_home.Unset(name); }

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
    testsupport::PrivateHome m_home;
};

}  // namespace office::testing
