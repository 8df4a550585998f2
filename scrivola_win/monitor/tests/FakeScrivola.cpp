// A stand-in for the console converter in the monitor's tests. It takes
// "-o <output>" and "-i <input>" among the converter's options, appends the
// input to $MONITOR_FAKE_LOG, writes "Folivosoft Inc: <n>" when
// $MONITOR_FAKE_PROGRESS is set, and writes a one-page PDF naming the
// input. Inputs whose name contains "fail" get no output.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "testing/MinimalPdf.h"

int main(int argc, char** argv) {
    std::string input;
    std::string output;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string option = argv[i];
        if (option == "-i") {
            input = argv[i + 1];
        } else if (option == "-o") {
            output = argv[i + 1];
        }
    }
    if (const char* log = std::getenv("MONITOR_FAKE_LOG")) {
        std::ofstream(log, std::ios::app) << input << "\n";
    }
    if (const char* progress = std::getenv("MONITOR_FAKE_PROGRESS")) {
        std::printf("Folivosoft Inc: %s\n", progress);
        std::fflush(stdout);
    }
    const std::size_t slash = input.find_last_of('/');
    const std::string name = slash == std::string::npos ? input : input.substr(slash + 1);
    if (input.empty() || output.empty() || name.find("fail") != std::string::npos) {
        return 1;
    }
    return testpdf::WritePdf(output, testpdf::MinimalPdf({"Converted " + name})) ? 0 : 1;
}
