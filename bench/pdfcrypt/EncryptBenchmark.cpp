// In-process throughput of the engine (reading, encrypting and writing to memory) on a generated
// document, without process start-up or disk I/O.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "EncryptEngine.h"

namespace {

std::string LargeDocument() {
    static const std::string bytes = [] {
        const std::string path = std::string(P_tmpdir) + "/pdfcrypt_bench_input.pdf";
        const std::string command = std::string(PDFCRYPT_MAKE_LARGE_PDF) + " " + path + " 40";
        if (std::system(command.c_str()) != 0) {
            return std::string();
        }
        std::ifstream in(path, std::ios::binary);
        std::ostringstream data;
        data << in.rdbuf();
        std::remove(path.c_str());
        return data.str();
    }();
    return bytes;
}

void EncryptInMemory(benchmark::State& state) {
    const std::string input = LargeDocument();
    const pdfcrypt::EncryptionSettings settings{static_cast<int>(state.range(0)), 4, "owner",
                                                "user"};
    std::string output;
    for (auto _ : state) {
        if (pdfcrypt::EncryptPDFBytes(input, settings, output) != 1) {
            state.SkipWithError("encryption failed");
            break;
        }
        benchmark::DoNotOptimize(output.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}
BENCHMARK(EncryptInMemory)->Arg(40)->Arg(128)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
