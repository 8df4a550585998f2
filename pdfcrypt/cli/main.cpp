// pdfcrypt IN OUT KEYBITS PERMBITS OWNER USER: the encryption engine on its own.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "PasswordInput.h"
#include "pdfcrypt/EncryptPDFFile.h"

namespace {

constexpr const char* kUsage =
    "usage: pdfcrypt IN OUT KEYBITS PERMBITS OWNER USER\n"
    "       pdfcrypt --passwords-from-stdin IN OUT KEYBITS PERMBITS\n"
    "  Encrypts the PDF file IN into OUT (which may be IN itself).\n"
    "  KEYBITS   128 for a 128-bit key, anything else for 40 bits\n"
    "  PERMBITS  sum of the permissions granted: 4 printing, 8 changing,\n"
    "            16 copying, 32 annotations and forms\n"
    "  OWNER     owner password, USER user password (\"\" for none)\n"
    "  --passwords-from-stdin  read OWNER from the first line of standard input and\n"
    "            USER from the second, so they do not show in the process list\n"
    "Exit status 0 when OUT was written, 1 otherwise.\n";

bool ParseNumber(const char* text, int& value) {
    const std::string_view view(text);
    const auto result = std::from_chars(view.data(), view.data() + view.size(), value);
    return result.ec == std::errc() && result.ptr == view.data() + view.size();
}

std::string ReadStandardInput() {
    std::string bytes;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        bytes.append(buffer, got);
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const bool fromStdin = argc > 1 && std::strcmp(argv[1], "--passwords-from-stdin") == 0;
    char** args = fromStdin ? argv + 1 : argv;
    const int count = fromStdin ? argc - 1 : argc;
    if (count != (fromStdin ? 5 : 7)) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    int keyBits = 0;
    int permissionBits = 0;
    if (!ParseNumber(args[3], keyBits) || !ParseNumber(args[4], permissionBits)) {
        std::fputs("pdfcrypt: KEYBITS and PERMBITS must be whole numbers\n", stderr);
        std::fputs(kUsage, stderr);
        return 1;
    }
    std::string owner;
    std::string user;
    if (fromStdin) {
        const auto passwords = pdfcrypt::ParsePasswordLines(ReadStandardInput());
        if (!passwords) {
            std::fputs(
                "pdfcrypt: standard input must hold the owner password on the first line "
                "and the user password on the second\n",
                stderr);
            return 1;
        }
        owner = passwords->owner;
        user = passwords->user;
    } else {
        owner = args[5];
        user = args[6];
    }
    return EncryptPDFFile(args[1], args[2], keyBits, permissionBits, owner.c_str(), user.c_str()) ==
                   1
               ? 0
               : 1;
}
