// pdfcrypt IN OUT KEYBITS PERMBITS OWNER USER: the encryption engine on its own.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "pdfcrypt/EncryptPDFFile.h"

namespace {

constexpr const char* kUsage =
    "usage: pdfcrypt IN OUT KEYBITS PERMBITS OWNER USER\n"
    "  Encrypts the PDF file IN into OUT (which may be IN itself).\n"
    "  KEYBITS   128 for a 128-bit key, anything else for 40 bits\n"
    "  PERMBITS  sum of the permissions granted: 4 printing, 8 changing,\n"
    "            16 copying, 32 annotations and forms\n"
    "  OWNER     owner password, USER user password (\"\" for none)\n"
    "Exit status 0 when OUT was written, 1 otherwise.\n";

bool ParseNumber(const char* text, int& value) {
    const std::string_view view(text);
    const auto result = std::from_chars(view.data(), view.data() + view.size(), value);
    return result.ec == std::errc() && result.ptr == view.data() + view.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    int keyBits = 0;
    int permissionBits = 0;
    if (!ParseNumber(argv[3], keyBits) || !ParseNumber(argv[4], permissionBits)) {
        std::fputs("pdfcrypt: KEYBITS and PERMBITS must be whole numbers\n", stderr);
        std::fputs(kUsage, stderr);
        return 1;
    }
    return EncryptPDFFile(argv[1], argv[2], keyBits, permissionBits, argv[5], argv[6]) == 1 ? 0 : 1;
}
