// A stand-in for the console converter in the runner's tests. It takes the
// converter's options, records its command line (and a list file's lines)
// in $FAKE_SCRIVOLA_LOG, writes the converter's progress and result lines,
// and writes a small PDF with one page per document. Documents whose name
// contains "fail" are not converted; when none is, no output is written.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string PdfText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::string MakePdf(const std::vector<std::string>& pages, const std::string& title, int width,
                    int height) {
    std::vector<std::string> objects;
    const int pageCount = static_cast<int>(pages.size());
    const int fontObject = 3;
    const int firstPage = 4;  // each page is followed by its content stream
    const int infoObject = firstPage + 2 * pageCount;
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (int i = 0; i < pageCount; ++i) {
        kids += std::to_string(firstPage + 2 * i) + " 0 R ";
    }
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageCount) +
                      " >>");
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    for (int i = 0; i < pageCount; ++i) {
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + std::to_string(width) +
                          " " + std::to_string(height) + "] /Resources << /Font << /F1 " +
                          std::to_string(fontObject) + " 0 R >> >> /Contents " +
                          std::to_string(firstPage + 2 * i + 1) + " 0 R >>");
        const std::string content =
            "BT /F1 12 Tf 72 700 Td (" + PdfText(pages[static_cast<std::size_t>(i)]) + ") Tj ET";
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                          content + "\nendstream");
    }
    objects.push_back("<< /Title (" + PdfText(title) + ") /Producer (fake converter) >>");

    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Info " +
           std::to_string(infoObject) +
           " 0 R /ID [<0123456789abcdef0123456789abcdef><0123456789abcdef0123456789abcdef>] "
           ">>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
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
        const bool fails = document.find("fail") != std::string::npos;
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
    std::ofstream pdf(output, std::ios::binary | std::ios::trunc);
    pdf << MakePdf(converted, title, width, height);
    return pdf ? 0 : 1;
}
