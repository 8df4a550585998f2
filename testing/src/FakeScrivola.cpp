// A stand-in for the console converter in the front end's tests. It takes
// the converter's options, records its command line (and a list file's
// lines) in $FAKE_SCRIVOLA_LOG, writes the converter's progress and result
// lines, and writes a small PDF with one page per document. Documents whose
// name contains "fail" are not converted; when none is, no output is
// written. $FAKE_SCRIVOLA_PROGRESS, when set, is written as one more
// progress line first; $FAKE_SCRIVOLA_DELAY_MS pauses after each document.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "testing/MinimalPdf.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
    std::string input;
    std::string output;
    std::string title;
    int width = 595;
    int height = 842;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "-i") {
            input = value;
        } else if (option == "-o") {
            output = value;
        } else if (option == "-t") {
            title = value;
        } else if (option == "-w") {
            width = std::atoi(value.c_str());
        } else if (option == "-h") {
            height = std::atoi(value.c_str());
        }
    }

    std::vector<std::string> documents;
    if (EndsWith(input, ".ver")) {
        std::ifstream list(input);
        for (std::string line; std::getline(list, line) && !line.empty();) {
            documents.push_back(line);
        }
    } else if (!input.empty()) {
        documents.push_back(input);
    }

    if (const char* logPath = std::getenv("FAKE_SCRIVOLA_LOG")) {
        std::ofstream log(logPath, std::ios::app);
        for (int i = 0; i < argc; ++i) {
            log << "ARG " << argv[i] << "\n";
        }
        if (EndsWith(input, ".ver")) {
            for (const std::string& document : documents) {
                log << "LIST " << document << "\n";
            }
        }
        log << "END\n";
    }

    if (const char* progress = std::getenv("FAKE_SCRIVOLA_PROGRESS")) {
        std::printf("Folivosoft Inc: %s\n", progress);
        std::fflush(stdout);
    }
    const char* delayText = std::getenv("FAKE_SCRIVOLA_DELAY_MS");
    const int delayMs = delayText != nullptr ? std::atoi(delayText) : 0;
    const int count = static_cast<int>(documents.size());
    std::vector<std::string> converted;
    for (int i = 0; i < count; ++i) {
        if (count > 1) {
            std::printf("Folivosoft Inc: %d\n", (99 + 100 * i) / count);
            std::fflush(stdout);
        }
        const std::string& document = documents[static_cast<std::size_t>(i)];
        const bool fails = NameOf(document).find("fail") != std::string::npos;
        if (!fails) {
            converted.push_back(document);
        }
        std::printf("%s ==> %s, result=%d\n", document.c_str(), output.c_str(), fails ? 0 : 1);
        std::fflush(stdout);
        if (delayMs > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        }
    }
    std::fprintf(stderr, "fake converter: %d of %d converted\n", static_cast<int>(converted.size()),
                 count);
    if (converted.empty()) {
        return 1;
    }
    testpdf::PdfOptions options;
    options.width = width;
    options.height = height;
    options.title = title;
    options.producer = "fake converter";
    options.fileIdentifier = true;
    return testpdf::WritePdf(output, testpdf::MinimalPdf(converted, options)) ? 0 : 1;
}
