#pragma once
// A descriptor that is closed when its owner goes: documents, sockets, locks.

namespace office {

class FileDescriptor {
  public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { Reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.Release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    bool IsValid() const { return m_fd >= 0; }
    int Release();
    // Closes the descriptor held (errno kept as it was) and holds `fd`.
    void Reset(int fd = -1);

  private:
    int m_fd = -1;
};

}  // namespace office
