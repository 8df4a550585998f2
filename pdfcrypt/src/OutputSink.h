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
    void Write(std::string_view bytes) override { bytes_.append(bytes); }
    std::int64_t Position() const override { return static_cast<std::int64_t>(bytes_.size()); }
    std::string& Bytes() { return bytes_; }

  private:
    std::string bytes_;
};

// Buffered writes to an open descriptor. The first error is kept and later writes are dropped,
// so the caller checks once, after Flush.
class FileDescriptorSink final : public OutputSink {
  public:
    explicit FileDescriptorSink(int fd) : fd_(fd) {}
    void Write(std::string_view bytes) override;
    std::int64_t Position() const override { return position_; }
    bool Flush();
    bool Failed() const { return failed_; }

  private:
    void WriteThrough(std::string_view bytes);

    static constexpr std::size_t kBufferSize = 1 << 20;
    int fd_;
    std::string buffer_;
    std::int64_t position_ = 0;
    bool failed_ = false;
};

}  // namespace pdfcrypt
