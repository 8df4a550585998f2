#pragma once
// Helpers for the toolkit's tests: scratch folders, small PDFs, running programs.
#include <map>
#include <string>
#include <vector>

#include "testing/PrivateHome.h"

namespace pdftool_test {

// An empty folder in a private home, removed with everything in it.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    std::vector<std::string> Names() const;  // sorted file names in the folder

  private:
    testsupport::PrivateHome m_home;
    std::string m_path;
};

// Writes a PDF with one page per text (Helvetica, so pdftotext reads it back)
// and the given /Info entries (UTF-8 values; none means no /Info at all).
void MakeTextPdf(const std::string& path, const std::vector<std::string>& pageTexts,
                 const std::map<std::string, std::string>& info = {});

struct ProgramResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

struct RunOptions {
    bool asUnprivilegedUser = false;  // drop to "nobody" when run as root
    long fileSizeLimit = -1;          // RLIMIT_FSIZE in bytes, -1 for none
};

ProgramResult RunProgram(const std::vector<std::string>& argv, const RunOptions& options = {});

std::string ToolPath();  // tools.cfg in SCRIVOLA_BIN_DIR
ProgramResult RunTool(const std::vector<std::string>& args, const RunOptions& options = {});

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// pdfinfo's fields ("Title", "Author", "Pages", ...) as UTF-8.
std::map<std::string, std::string> PdfInfo(const std::string& path);
// pdftotext's text, one entry per page, surrounding white space trimmed.
std::vector<std::string> PdfPageTexts(const std::string& path);
// True when "qpdf --check" finds nothing wrong.
bool QpdfCheckPasses(const std::string& path);

}  // namespace pdftool_test
