#include "OfficeTestSupport.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Spooler.h"

namespace office::testing {

namespace {

constexpr char kFakeSoffice[] = R"(#!/bin/sh
{ for a in "$@"; do printf '%s\n' "$a"; done; echo '--end--'; } >> "$FAKE_SOFFICE_LOG"
outdir=""; prev=""; last=""
for a in "$@"; do
  if [ "$prev" = "--outdir" ]; then outdir="$a"; fi
  prev="$a"; last="$a"
done
mode=$(cat "$FAKE_SOFFICE_MODE")
case "$mode" in
  hang) sleep 60 & echo $! >> "$FAKE_SOFFICE_PIDS"; echo $$ >> "$FAKE_SOFFICE_PIDS"; wait; exit 0;;
  nothing) echo "Error: source file could not be loaded"; exit 0;;
esac
base=$(basename "$last")
cp "$FAKE_SOFFICE_PDF" "$outdir/${base%.*}.pdf"
echo "convert $last"
)";

constexpr char kRecordingBackend[] = R"(#!/bin/sh
n=$(ls "$PRINTED_JOBS" | wc -l)
cp "$1" "$PRINTED_JOBS/job-$(printf %04d $n).pdf"
)";

void WriteExecutable(const std::string& path, const std::string& contents) {
    WriteFile(path, contents);
    ::chmod(path.c_str(), 0755);
}

}  // namespace

OfficeTestEnvironment::OfficeTestEnvironment() {
    for (const char* folder : {"bin", "empty", "jobs"}) {
        platform::CreateDirectories(Path(folder));
    }
    const char* path = std::getenv("PATH");
    Set("PATH", Path("bin") + ":" + (path ? path : "/usr/bin:/bin"));
    Set("FAKE_SOFFICE_LOG", Path("soffice.log"));
    Set("FAKE_SOFFICE_MODE", Path("soffice.mode"));
    Set("FAKE_SOFFICE_PDF", Path("rendered.pdf"));
    Set("FAKE_SOFFICE_PIDS", Path("soffice.pids"));
    Set("PRINTED_JOBS", Path("jobs"));
    WriteExecutable(Path("bin/soffice"), kFakeSoffice);
    WriteExecutable(Path("recording-printer"), kRecordingBackend);
    SetSofficeMode("convert");
    SetRenderedPdf(MinimalPdf(1));
}

void OfficeTestEnvironment::SetSofficeMode(const std::string& mode) {
    WriteFile(Path("soffice.mode"), mode);
}

void OfficeTestEnvironment::SetRenderedPdf(const std::string& contents) {
    WriteFile(Path("rendered.pdf"), contents);
}

std::vector<std::vector<std::string>> OfficeTestEnvironment::SofficeRuns() const {
    std::vector<std::vector<std::string>> runs(1);
    std::istringstream lines(testsupport::ReadFile(Path("soffice.log")));
    for (std::string line; std::getline(lines, line);) {
        if (line == "--end--") {
            runs.emplace_back();
        } else {
            runs.back().push_back(line);
        }
    }
    runs.pop_back();
    return runs;
}

std::vector<int> OfficeTestEnvironment::HungProcesses() const {
    std::vector<int> pids;
    std::istringstream lines(testsupport::ReadFile(Path("soffice.pids")));
    for (int pid; lines >> pid;) {
        pids.push_back(pid);
    }
    return pids;
}

void OfficeTestEnvironment::HideSoffice() {
    Set("PATH", Path("empty"));
}

void OfficeTestEnvironment::InstallRecordingPrinter(const std::string& name, bool makeDefault) {
    platform::Spooler spooler = platform::Spooler::CurrentUser();
    spooler.InstallPrinter(name, platform::QuoteArgument(Path("recording-printer")));
    if (makeDefault) {
        spooler.SetDefaultPrinter(name);
    }
}

std::vector<std::string> OfficeTestEnvironment::PrintedJobs() const {
    std::vector<std::string> jobs;
    for (const auto& entry : std::filesystem::directory_iterator(Path("jobs"))) {
        jobs.push_back(entry.path().string());
    }
    std::sort(jobs.begin(), jobs.end());
    return jobs;
}

std::vector<std::string> OfficeTestEnvironment::TempEntries() const {
    std::vector<std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(Path("tmp"))) {
        entries.push_back(entry.path().filename().string());
    }
    return entries;
}

}  // namespace office::testing
