#include "OutputSink.h"

#include <unistd.h>

#include <cerrno>

namespace pdfcrypt {

void FileDescriptorSink::Write(std::string_view bytes) {
    position_ += static_cast<std::int64_t>(bytes.size());
    if (failed_) {
        return;
    }
    if (buffer_.size() + bytes.size() > kBufferSize) {
        Flush();
        if (bytes.size() >= kBufferSize) {
            WriteThrough(bytes);
            return;
        }
    }
    if (buffer_.capacity() < kBufferSize) {
        buffer_.reserve(kBufferSize);
    }
    buffer_.append(bytes);
}

void FileDescriptorSink::WriteThrough(std::string_view bytes) {
    while (!failed_ && !bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            failed_ = true;
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

bool FileDescriptorSink::Flush() {
    WriteThrough(buffer_);
    buffer_.clear();
    return !failed_;
}

}  // namespace pdfcrypt
