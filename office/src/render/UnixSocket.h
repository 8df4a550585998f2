#pragma once
// Unix stream sockets of the render service and the descriptors they use.
#include <sys/types.h>

#include <optional>
#include <string>

namespace office::render {

// Owns a descriptor and closes it.
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
    void Reset(int fd = -1);

  private:
    int m_fd = -1;
};

// A connected socket, or an invalid descriptor with errno set.
FileDescriptor ConnectTo(const std::string& path);

// A socket bound to `path` and listening, or an invalid descriptor with
// errno set (EADDRINUSE when something exists at the path).
FileDescriptor ListenAt(const std::string& path);

struct PeerIdentity {
    pid_t pid = -1;
    uid_t uid = 0;
};

std::optional<PeerIdentity> PeerOf(int socket);

}  // namespace office::render
