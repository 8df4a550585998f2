#include "OutputSink.h"

#include <unistd.h>

#include <cerrno>

namespace pdfcrypt {

void FileDescriptorSink::Write(std::string_view bytes) {
    m_position += static_cast<std::int64_t>(bytes.size());
    if (m_failed) {
        return;
    }
    if (m_buffer.size() + bytes.size() > kBufferSize) {
        Flush();
        if (bytes.size() >= kBufferSize) {
            WriteThrough(bytes);
            return;
        }
    }
    if (m_buffer.capacity() < kBufferSize) {
        m_buffer.reserve(kBufferSize);
    }
    m_buffer.append(bytes);
}

void FileDescriptorSink::WriteThrough(std::string_view bytes) {
    while (!m_failed && !bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            m_failed = true;
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

bool FileDescriptorSink::Flush() {
    WriteThrough(m_buffer);
    m_buffer.clear();
    return !m_failed;
}

}  // namespace pdfcrypt
