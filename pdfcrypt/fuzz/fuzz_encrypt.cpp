// Runs the reader and the encryptor on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CPDFDocument.h"
#include "EncryptEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // Both levels, chosen by the input so the corpus keeps both in play.
    const pdfcrypt::EncryptionSettings settings{size % 2 == 0 ? 128 : 40, 0x2C, "owner", "user"};
    std::string output;
    if (pdfcrypt::EncryptPDFBytes(input, settings, output) == 1) {
        // What the engine writes, it can read again, and it never encrypts twice.
        pdfcrypt::CPDFDocument reread;
        if (!reread.OpenBytes(output) || !reread.Encrypted()) {
            __builtin_trap();
        }
    }
    return 0;
}
