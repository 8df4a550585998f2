#include "UnixSocket.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace office::render {

namespace {

bool FillAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

}  // namespace

namespace {

// A new stream socket and the address of `path`; an invalid one when the
// path does not fit an address or no socket can be had.
FileDescriptor NewSocketFor(const std::string& path, sockaddr_un& address) {
    if (!FillAddress(path, address)) {
        return {};
    }
    return FileDescriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
}

}  // namespace

FileDescriptor ConnectTo(const std::string& path) {
    sockaddr_un address{};
    FileDescriptor socket = NewSocketFor(path, address);
    if (!socket.IsValid()) {
        return {};
    }
    int result;
    do {
        result =
            ::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        socket.Reset();
        return {};
    }
    return socket;
}

FileDescriptor ListenAt(const std::string& path) {
    sockaddr_un address{};
    FileDescriptor socket = NewSocketFor(path, address);
    if (!socket.IsValid()) {
        return {};
    }
    if (::bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(socket.Get(), 64) != 0) {
        socket.Reset();
    }
    return socket;
}

std::optional<PeerIdentity> PeerOf(int socket) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) {
        return std::nullopt;
    }
    return PeerIdentity{credentials.pid, credentials.uid};
}

}  // namespace office::render
