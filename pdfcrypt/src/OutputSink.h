#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pdfcrypt {

// Where the writer puts the encrypted file: a string for in-memory use, a file descriptor for
// the real output.
class OutputSink {
  public:
    virtual ~OutputSink() = default;
    virtual void Write(std::string_view bytes) = 0;
    virtual std::int64_t Position() const = 0;
};

class StringSink final : public OutputSink {
  public:
    void Write(std::string_view bytes) override { m_bytes.append(bytes); }
    std::int64_t Position() const override { return static_cast<std::int64_t>(m_bytes.size()); }
    std::string& Bytes() { return m_bytes; }

  private:
    std::string m_bytes;
};

// Buffered writes to an open descriptor. The first error is kept and later writes are dropped,
// so the caller checks once, after Flush.
class FileDescriptorSink final : public OutputSink {
  public:
    explicit FileDescriptorSink(int fd) : m_fd(fd) {}
    void Write(std::string_view bytes) override;
    std::int64_t Position() const override { return m_position; }
    bool Flush();
    bool Failed() const { return m_failed; }

  private:
    void WriteThrough(std::string_view bytes);

    static constexpr std::size_t kBufferSize = 1 << 20;
    int m_fd;
    std::string m_buffer;
    std::int64_t m_position = 0;
    bool m_failed = false;
};

}  // namespace pdfcrypt
