#include "pdfcrypt/EncryptPDFFile.h"

#include "EncryptEngine.h"

int EncryptPDFFile(const char* inputPath, const char* outputPath, int keyBits, int permissionBits,
                   const char* ownerPassword, const char* userPassword) {
    if (inputPath == nullptr || outputPath == nullptr || *inputPath == '\0' ||
        *outputPath == '\0') {
        return 0;
    }
    try {
        pdfcrypt::CPDFDocument document;
        if (!document.Open(inputPath)) {
            return 0;
        }
        const pdfcrypt::EncryptionSettings settings{keyBits, permissionBits,
                                                    ownerPassword ? ownerPassword : "",
                                                    userPassword ? userPassword : ""};
        if (!pdfcrypt::EncryptDocument(document, settings)) {
            return 0;
        }
        return document.WriteFile(outputPath) ? 1 : 0;
    } catch (...) {
        // Running out of memory on a huge file is a failed encryption like any other.
        return 0;
    }
}
