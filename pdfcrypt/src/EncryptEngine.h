#pragma once

#include <string>
#include <string_view>

#include "CPDFDocument.h"

namespace pdfcrypt {

struct EncryptionSettings {
    int keyBits = 40;
    int permissionBits = 0;
    std::string_view ownerPassword;
    std::string_view userPassword;
};

// Refuses a document that is already encrypted; otherwise encrypts every object in memory and
// adds the encryption dictionary, ready for writing.
bool EncryptDocument(CPDFDocument& document, const EncryptionSettings& settings);

// The whole engine on bytes in memory, for tests and fuzzing: 1 and the encrypted file in
// output, or 0.
int EncryptPDFBytes(std::string input, const EncryptionSettings& settings, std::string& output);

}  // namespace pdfcrypt
