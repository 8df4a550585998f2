// Every file of the fuzzing corpus through the same entry the fuzz target uses: each gives 0 or
// an encrypted file that reads back, the same way every time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "CPDFDocument.h"
#include "EncryptEngine.h"
#include "TestSupport.h"

namespace pdfcrypt {
namespace {

std::filesystem::path CorpusFolder() {
    const char* source = std::getenv("SCRIVOLA_SOURCE_DIR");
    if (source != nullptr && *source != '\0') {
        return std::filesystem::path(source) / "pdfcrypt" / "fuzz" / "corpus";
    }
    return PDFCRYPT_CORPUS_DIR;
}

TEST(CorpusReplayTest, EveryFileGivesZeroOrAReadableEncryptedFile) {
    const std::filesystem::path folder = CorpusFolder();
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    int files = 0;
    int encrypted = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        SCOPED_TRACE(entry.path().filename().string());
        const std::string input = test::ReadBytes(entry.path().string());
        for (int keyBits : {40, 128}) {
            const EncryptionSettings settings{keyBits, 0x2C, "owner", "user"};
            std::string first, second;
            const int result = EncryptPDFBytes(input, settings, first);
            ASSERT_EQ(EncryptPDFBytes(input, settings, second), result);
            EXPECT_EQ(first, second);
            if (result == 1) {
                CPDFDocument reread;
                EXPECT_TRUE(reread.OpenBytes(first));
                EXPECT_TRUE(reread.Encrypted());
                encrypted += keyBits == 128;
            } else {
                EXPECT_TRUE(first.empty());
            }
        }
        ++files;
    }
    // The corpus holds sound files as well as damaged ones.
    EXPECT_GT(files, 20);
    EXPECT_GT(encrypted, 5);
    EXPECT_LT(encrypted, files);
}

}  // namespace
}  // namespace pdfcrypt
