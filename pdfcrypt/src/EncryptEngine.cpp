#include "EncryptEngine.h"

#include <new>

namespace pdfcrypt {
namespace {

// Permissions beyond the four that can be refused are always granted.
constexpr std::uint32_t kGrantedPermissions = 0xFFFFFFC0;

}  // namespace

bool EncryptDocument(CPDFDocument& document, const EncryptionSettings& settings) {
    if (document.Encrypted()) {
        return document.Refuse("open", -1, -1, "already encrypted");
    }
    const int keyLength = settings.keyBits == 128 ? 16 : 5;
    document.PrepareEncryption(
        keyLength, static_cast<std::uint32_t>(settings.permissionBits) | kGrantedPermissions,
        settings.ownerPassword, settings.userPassword);
    document.EncryptObjects();
    document.AddEncryptDictionary();
    document.SetEncrypted(true);
    return true;
}

int EncryptPDFBytes(std::string input, const EncryptionSettings& settings, std::string& output) {
    output.clear();
    try {
        CPDFDocument document;
        if (!document.OpenBytes(std::move(input)) || !EncryptDocument(document, settings)) {
            return 0;
        }
        StringSink sink;
        if (!document.WriteTo(sink)) {
            return 0;
        }
        const std::string& bytes = sink.Bytes();
        const auto read = [&bytes](std::int64_t offset, std::size_t length) {
            if (offset < 0 || static_cast<std::size_t>(offset) >= bytes.size()) {
                return std::string();
            }
            return bytes.substr(static_cast<std::size_t>(offset), length);
        };
        if (!document.VerifyOutput(read, static_cast<std::int64_t>(bytes.size()))) {
            return 0;
        }
        output = std::move(sink.Bytes());
        return 1;
    } catch (const std::bad_alloc&) {
        output.clear();
        return 0;
    }
}

}  // namespace pdfcrypt
