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

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteExecutable(const std::string& path, const std::string& contents) {
    WriteFile(path, contents);
    ::chmod(path.c_str(), 0755);
}

}  // namespace

void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

OfficeTestEnvironment::OfficeTestEnvironment() {
    m_root = *platform::CreateTempDirectory("scrivola-office-test-");
    for (const char* name :
         {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "TMPDIR",
          "PATH", "FAKE_SOFFICE_LOG", "FAKE_SOFFICE_MODE", "FAKE_SOFFICE_PDF", "FAKE_SOFFICE_PIDS",
          "PRINTED_JOBS"}) {
        const char* value = std::getenv(name);
        m_saved.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
    }
    for (const char* folder : {"bin", "empty", "tmp", "jobs", "config", "data", "run", "cache"}) {
        platform::CreateDirectories(Path(folder));
    }
    ::setenv("HOME", m_root.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
    ::setenv("TMPDIR", Path("tmp").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", Path("run").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", Path("cache").c_str(), 1);
    ::chmod(Path("run").c_str(), 0700);
    const char* path = std::getenv("PATH");
    ::setenv("PATH", (Path("bin") + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
    ::setenv("FAKE_SOFFICE_LOG", Path("soffice.log").c_str(), 1);
    ::setenv("FAKE_SOFFICE_MODE", Path("soffice.mode").c_str(), 1);
    ::setenv("FAKE_SOFFICE_PDF", Path("rendered.pdf").c_str(), 1);
    ::setenv("FAKE_SOFFICE_PIDS", Path("soffice.pids").c_str(), 1);
    ::setenv("PRINTED_JOBS", Path("jobs").c_str(), 1);
    WriteExecutable(Path("bin/soffice"), kFakeSoffice);
    WriteExecutable(Path("recording-printer"), kRecordingBackend);
    SetSofficeMode("convert");
    SetRenderedPdf(MinimalPdf(1));
}

OfficeTestEnvironment::~OfficeTestEnvironment() {
    for (const auto& [name, value] : m_saved) {
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }
    platform::RemoveTree(m_root);
}

std::string OfficeTestEnvironment::Path(const std::string& name) const {
    return platform::JoinPath(m_root, name);
}

void OfficeTestEnvironment::SetSofficeMode(const std::string& mode) {
    WriteFile(Path("soffice.mode"), mode);
}

void OfficeTestEnvironment::SetRenderedPdf(const std::string& contents) {
    WriteFile(Path("rendered.pdf"), contents);
}

std::vector<std::vector<std::string>> OfficeTestEnvironment::SofficeRuns() const {
    std::vector<std::vector<std::string>> runs(1);
    std::istringstream lines(ReadFile(Path("soffice.log")));
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
    std::istringstream lines(ReadFile(Path("soffice.pids")));
    for (int pid; lines >> pid;) {
        pids.push_back(pid);
    }
    return pids;
}

void OfficeTestEnvironment::HideSoffice() {
    ::setenv("PATH", Path("empty").c_str(), 1);
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
