// Runs the reader and the encryptor on arbitrary bytes. Whatever the engine accepts must come
// out whole: it reads again, and an independent reader (qpdf, when installed) opens it with the
// user password without errors.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CPDFDocument.h"
#include "EncryptEngine.h"

extern char** environ;

namespace {

// The file of this process for qpdf to read; fixed per process, so parallel jobs do not clash.
const std::string& OutputPath() {
    static const std::string path = [] {
        const char* folder = std::getenv("TMPDIR");
        return std::string(folder && *folder ? folder : "/tmp") + "/fuzz_encrypt." +
               std::to_string(::getpid()) + ".pdf";
    }();
    return path;
}

bool HaveQpdf() {
    static const bool found = ::access("/usr/bin/qpdf", X_OK) == 0;
    return found;
}

// qpdf --check exits 0 when the file is sound, 3 when it only warned, 2 on errors.
int QpdfCheck(const std::string& bytes, const char* passwordOption) {
    std::FILE* file = std::fopen(OutputPath().c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string path = OutputPath();
    char qpdf[] = "/usr/bin/qpdf";
    char check[] = "--check";
    std::string password = passwordOption;
    char* argv[] = {qpdf, check, password.data(), path.data(), nullptr};
    pid_t pid = 0;
    int status = 0;
    if (::posix_spawn(&pid, qpdf, &actions, nullptr, argv, environ) == 0) {
        ::waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::remove(OutputPath().c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

}  // namespace

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
        // An output with errors is a fault unless the input had errors of its own.
        if (HaveQpdf() && QpdfCheck(output, "--password=user") == 2 &&
            QpdfCheck(input, "--password=") != 2) {
            __builtin_trap();
        }
    }
    return 0;
}
