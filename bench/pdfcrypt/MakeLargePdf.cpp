// Writes a large, valid PDF with many objects and streams for the encryption benchmark:
//   pdfcrypt_make_large_pdf OUT MEGABYTES
// Each page has a text content stream, a binary image-like stream and an annotation with
// strings, so both string and stream encryption carry weight. Output is the same every run.
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
    if (argc != 3) {
        std::fputs("usage: pdfcrypt_make_large_pdf OUT MEGABYTES\n", stderr);
        return 1;
    }
    const long long target = std::atoll(argv[2]) * 1024 * 1024;
    constexpr int kImageBytes = 64 * 64 * 3;
    constexpr int kObjectsPerPage = 4;
    constexpr int kFirstPageObject = 4;
    const int pages = static_cast<int>(target / (kImageBytes + 9 * 1024)) + 1;

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
        for (int line = 0; line < 120; ++line) {
            content += "(Page " + std::to_string(page + 1) + " line " + std::to_string(line) +
                       " of the benchmark document.) '\n";
        }
        content += "ET\nq 100 0 0 100 400 50 cm /Im1 Do Q";
        write(Stream(self + 1, "", content));
        std::string image(kImageBytes, '\0');
        for (char& byte : image) {
            byte = static_cast<char>(random.Next() >> 24);
        }
        write(Stream(self + 2,
                     "/Type /XObject /Subtype /Image /Width 64 /Height 64 /ColorSpace /DeviceRGB "
                     "/BitsPerComponent 8",
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
