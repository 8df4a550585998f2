#pragma once
// Unix stream sockets of the render service.
#include <sys/types.h>

#include <optional>
#include <string>

#include "FileDescriptor.h"

namespace office::render {

using office::FileDescriptor;

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
