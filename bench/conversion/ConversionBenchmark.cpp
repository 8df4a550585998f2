// The time of one conversion, split into rendering (LibreOffice), the
// printer (folivoprint through the spooler) and the time the wait for the
// printed file sleeps between its looks, with what is left over as "other"
// (LibreOffice's start-up varies from run to run, so on a busy machine
// "other" can come out slightly negative).
//
//   conversion_benchmark [--benchmark_repetitions=N] [document]
//
// The document defaults to examples/letter.doc. Runs in a private HOME,
// configuration and TMPDIR, with the printer installed there.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "OfficeSession.h"
#include "drivers/ConvertDocument.h"
#include "office/AutomationServers.h"
#include "platform/Automation.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "platform/Spooler.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrinterSettings.h"

namespace {

std::string g_document = SCRIVOLA_SOURCE_DIR "/examples/letter.doc";

// Real sleeps, counted.
class CountingClock : public platform::Clock {
  public:
    std::uint64_t TickMs() override { return platform::SystemClock().TickMs(); }
    void SleepMs(std::uint32_t milliseconds) override {
        m_slept += milliseconds;
        platform::SystemClock().SleepMs(milliseconds);
    }
    std::uint64_t SleptMs() const { return m_slept; }

  private:
    std::uint64_t m_slept = 0;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A private user for the run.
std::string PrepareEnvironment() {
    const std::string root = *platform::CreateTempDirectory("scrivola-bench-");
    ::setenv("HOME", root.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
    platform::CreateDirectories(root + "/tmp");
    platform::CreateDirectories(root + "/out");
    ::setenv("TMPDIR", (root + "/tmp").c_str(), 1);
    // A render service of its own, which ends once the folder is removed.
    platform::CreateDirectories(root + "/runtime");
    ::setenv("XDG_RUNTIME_DIR", (root + "/runtime").c_str(), 1);
    platform::ProcessOptions quiet;
    quiet.discardOutput = true;
    platform::RunAndWait(platform::JoinCommandLine({FOLIVOPRINT_PATH, "--install"}), quiet);
    return root;
}

void BM_OneConversion(benchmark::State& state) {
    const std::string root = PrepareEnvironment();
    platform::automation::Initialize();
    office::RegisterAutomationServers();
    const std::string output = root + "/out/result.pdf";
    double rendering = 0, printer = 0, waits = 0, total = 0;

    for (auto _ : state) {
        // Rendering alone, as a server does it: fresh private profile.
        auto start = std::chrono::steady_clock::now();
        std::string rendered;
        {
            auto session = office::OfficeSession::Start("bench");
            const office::RenderedDocument document = session->Render(g_document);
            rendering += SecondsSince(start);

            // The printer alone: the spooler runs folivoprint on the job.
            scrivola::ConfigurePrinterForJob(output);
            start = std::chrono::steady_clock::now();
            if (platform::Spooler::CurrentUser().Submit(scrivola::kVirtualPrinterName,
                                                        document.pdf) != 0) {
                state.SkipWithError("the printer failed");
                break;
            }
            printer += SecondsSince(start);
        }
        platform::DeleteFile(output);

        // The whole conversion, counting what its wait sleeps.
        CountingClock clock;
        start = std::chrono::steady_clock::now();
        if (scrivola::ConvertDocument(g_document, output, clock) != 1) {
            state.SkipWithError("the conversion failed");
            break;
        }
        total += SecondsSince(start);
        waits += clock.SleptMs() / 1000.0;
        platform::DeleteFile(output);
    }

    const double runs = static_cast<double>(state.iterations());
    if (runs > 0) {
        state.counters["total_s"] = total / runs;
        state.counters["rendering_s"] = rendering / runs;
        state.counters["printer_s"] = printer / runs;
        state.counters["waits_s"] = waits / runs;
        state.counters["other_s"] = (total - rendering - printer - waits) / runs;
    }
    platform::automation::Uninitialize();
    platform::RemoveTree(root);
}
BENCHMARK(BM_OneConversion)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc > 1) {
        g_document = argv[1];
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
