// A stand-in for the console converter in the monitor's tests. It takes
// "-o <output>" and "-i <input>" among the converter's options, appends the
// input to $MONITOR_FAKE_LOG, writes "Folivosoft Inc: <n>" when
// $MONITOR_FAKE_PROGRESS is set, and writes a one-page PDF naming the
// input. Inputs whose name contains "fail" get no output.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string EscapePdfText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::string OnePagePdf(const std::string& text) {
    const std::string content = "BT /F1 12 Tf 72 720 Td (" + EscapePdfText(text) + ") Tj ET";
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 4 0 R "
        ">> >> /Contents 5 0 R >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
    };
    std::string pdf = "%PDF-1.4\n";
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
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

}  // namespace

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
    std::ofstream pdf(output, std::ios::binary | std::ios::trunc);
    pdf << OnePagePdf("Converted " + name);
    return pdf ? 0 : 1;
}
