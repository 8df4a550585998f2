#include "pdfcrypt/EncryptPDFFile.h"

#include "DebugChannel.h"
#include "EncryptEngine.h"

int EncryptPDFFile(const char* inputPath, const char* outputPath, int keyBits, int permissionBits,
                   const char* ownerPassword, const char* userPassword) {
    if (inputPath == nullptr || outputPath == nullptr || *inputPath == '\0' ||
        *outputPath == '\0') {
        return 0;
    }
    try {
        pdfcrypt::CPDFDocument document;
        const pdfcrypt::EncryptionSettings settings{keyBits, permissionBits,
                                                    ownerPassword ? ownerPassword : "",
                                                    userPassword ? userPassword : ""};
        if (document.Open(inputPath) && pdfcrypt::EncryptDocument(document, settings) &&
            document.WriteFile(outputPath)) {
            return 1;
        }
        const auto& reason = document.RefusalReason();
        pdfcrypt::WriteDebugLine(
            reason ? reason->Describe(inputPath)
                   : pdfcrypt::Refusal{"open", -1, -1, "cannot read the file"}.Describe(inputPath));
        return 0;
    } catch (...) {
        // Running out of memory on a huge file is a failed encryption like any other.
        pdfcrypt::WriteDebugLine(
            pdfcrypt::Refusal{"encrypt", -1, -1, "out of memory"}.Describe(inputPath));
        return 0;
    }
}
