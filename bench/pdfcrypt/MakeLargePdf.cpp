// Writes a large, valid PDF for the encryption benchmark:
//   pdfcrypt_make_large_pdf OUT MEGABYTES [mixed|objects|streams]
// Each page has a text content stream, a binary image-like stream and an annotation with
// strings. "mixed" (the default) gives pages of about 21 KB; "objects" many small pages of a
// few hundred bytes per object, like pages merged from many small files; "streams" eight pages
// whose images are large. Output is the same every run.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Random {
  public:
    std::uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }

  private:
    std::uint32_t m_state = 2463534242u;
};

std::string Object(int number, const std::string& body) {
    return std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
}

std::string Stream(int number, const std::string& dictionary, const std::string& data) {
    return Object(number, "<< " + dictionary + " /Length " + std::to_string(data.size()) +
                              " >>\nstream\n" + data + "\nendstream");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string shape = argc == 4 ? argv[3] : "mixed";
    if ((argc != 3 && argc != 4) ||
        (shape != "mixed" && shape != "objects" && shape != "streams")) {
        std::fputs("usage: pdfcrypt_make_large_pdf OUT MEGABYTES [mixed|objects|streams]\n",
                   stderr);
        return 1;
    }
    const long long target = std::atoll(argv[2]) * 1024 * 1024;
    constexpr int kObjectsPerPage = 4;
    constexpr int kFirstPageObject = 4;
    // Bytes of one page's image and number of text lines on it.
    int imageSide = 64;
    int lines = 120;
    int pages = 0;
    if (shape == "objects") {
        imageSide = 4;
        lines = 1;
        pages = static_cast<int>(target / 1000) + 1;
    } else if (shape == "streams") {
        pages = 8;
        imageSide = static_cast<int>(std::sqrt(static_cast<double>(target) / (3.0 * pages))) + 1;
    } else {
        pages = static_cast<int>(target / (64 * 64 * 3 + 9 * 1024)) + 1;
    }
    const int imageBytes = imageSide * imageSide * 3;

    std::FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<long long> offsets{0};
    long long position = 0;
    const auto write = [&](const std::string& text) {
        offsets.push_back(position);
        std::fwrite(text.data(), 1, text.size(), out);
        position += static_cast<long long>(text.size());
    };
    const std::string header = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::fwrite(header.data(), 1, header.size(), out);
    position = static_cast<long long>(header.size());

    std::string kids;
    for (int page = 0; page < pages; ++page) {
        kids += std::to_string(kFirstPageObject + kObjectsPerPage * page) + " 0 R ";
    }
    write(Object(1, "<< /Type /Catalog /Pages 2 0 R >>"));
    write(
        Object(2, "<< /Type /Pages /Count " + std::to_string(pages) + " /Kids [" + kids + "] >>"));
    write(Object(3, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    Random random;
    for (int page = 0; page < pages; ++page) {
        const int self = kFirstPageObject + kObjectsPerPage * page;
        write(Object(self, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents " +
                               std::to_string(self + 1) + " 0 R /Annots [" +
                               std::to_string(self + 3) +
                               " 0 R] /Resources << /Font << /F1 3 0 R "
                               ">> /XObject << /Im1 " +
                               std::to_string(self + 2) + " 0 R >> >> >>"));
        std::string content = "BT /F1 10 Tf 50 750 Td 12 TL\n";
        for (int line = 0; line < lines; ++line) {
            content += "(Page " + std::to_string(page + 1) + " line " + std::to_string(line) +
                       " of the benchmark document.) '\n";
        }
        content += "ET\nq 100 0 0 100 400 50 cm /Im1 Do Q";
        write(Stream(self + 1, "", content));
        std::string image(static_cast<std::size_t>(imageBytes), '\0');
        for (char& byte : image) {
            byte = static_cast<char>(random.Next() >> 24);
        }
        write(Stream(self + 2,
                     "/Type /XObject /Subtype /Image /Width " + std::to_string(imageSide) +
                         " /Height " + std::to_string(imageSide) +
                         " /ColorSpace /DeviceRGB /BitsPerComponent 8",
                     image));
        write(
            Object(self + 3, "<< /Type /Annot /Subtype /Text /Rect [10 10 30 30] /Contents (Note " +
                                 std::to_string(page) + ": \\(see page\\)) /T <4E6F7465> >>"));
    }
    const int infoNumber = static_cast<int>(offsets.size());
    write(Object(infoNumber, "<< /Title (Benchmark document) /Producer (pdfcrypt bench) >>"));

    const long long xref = position;
    std::fprintf(out, "xref\n0 %zu\n0000000000 65535 f \n", offsets.size());
    for (std::size_t i = 1; i < offsets.size(); ++i) {
        std::fprintf(out, "%010lld 00000 n \n", offsets[i]);
    }
    std::fprintf(out,
                 "trailer\n<< /Size %zu /Root 1 0 R /Info %d 0 R >>\nstartxref\n%lld\n%%%%EOF\n",
                 offsets.size(), infoNumber, xref);
    return std::fclose(out) == 0 ? 0 : 1;
}
